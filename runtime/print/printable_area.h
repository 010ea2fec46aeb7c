// Where a sheet can be printed on: the sheet less the page setup's margins, in points from the
// sheet's top-left corner, and a picture of the page fitted into it with its 4:3 shape kept.
#pragma once

#include <optional>

#include "platform/dialogs.h"

namespace zd {

struct PointRect {
  double x = 0, y = 0, w = 0, h = 0;
};

// The sheet's size in points, turned for landscape; nullopt when the paper has no sensible size.
struct SheetSize {
  double widthPt = 0, heightPt = 0;
};
std::optional<SheetSize> SheetOf(const platform::PageSetup& setup);

// The sheet less its margins; nullopt when the paper has no size, a margin is not a sensible
// length, or the margins leave nothing to print on.
std::optional<PointRect> PrintableArea(const platform::PageSetup& setup);

// The largest rectangle of `aspectW` : `aspectH` inside `area`, centred: a relatively taller
// area loses half its excess height at the top and half at the bottom, a wider one likewise
// at the sides.
PointRect FitKeepingShape(const PointRect& area, double aspectW = 640, double aspectH = 480);

}  // namespace zd
