#include "print/printable_area.h"

#include <cmath>

#include "platform/print/paper_sizes.h"

namespace zd {
namespace {

// Nothing printed is smaller than this (points): a printable area thinner than a hair is none.
constexpr double kSmallestArea = 1.0;
// Paper larger than this (mm) is not paper: 10 m covers every roll a printer takes.
constexpr double kLargestSheetMm = 10000;

bool SensibleLength(double mm) { return std::isfinite(mm) && mm >= 0 && mm <= kLargestSheetMm; }

}  // namespace

std::optional<SheetSize> SheetOf(const platform::PageSetup& setup) {
  const platform::Paper& paper = setup.paper;
  if (!SensibleLength(paper.widthMm) || !SensibleLength(paper.heightMm) || paper.widthMm <= 0 ||
      paper.heightMm <= 0) {
    return std::nullopt;
  }
  SheetSize size;
  platform::SheetSizePt(setup, size.widthPt, size.heightPt);
  return size;
}

std::optional<PointRect> PrintableArea(const platform::PageSetup& setup) {
  const auto sheet = SheetOf(setup);
  if (!sheet) return std::nullopt;
  for (double margin : {setup.leftMm, setup.topMm, setup.rightMm, setup.bottomMm}) {
    if (!SensibleLength(margin)) return std::nullopt;
  }
  const double left = platform::MmToPt(setup.leftMm), top = platform::MmToPt(setup.topMm);
  const double right = sheet->widthPt - platform::MmToPt(setup.rightMm);
  const double bottom = sheet->heightPt - platform::MmToPt(setup.bottomMm);
  if (right - left < kSmallestArea || bottom - top < kSmallestArea) return std::nullopt;
  return PointRect{left, top, right - left, bottom - top};
}

PointRect FitKeepingShape(const PointRect& area, double aspectW, double aspectH) {
  PointRect fitted = area;
  if (area.w <= 0 || area.h <= 0 || aspectW <= 0 || aspectH <= 0) return fitted;
  if (area.h * aspectW > area.w * aspectH) {
    fitted.h = area.w * aspectH / aspectW;
    fitted.y = area.y + (area.h - fitted.h) / 2;
  } else {
    fitted.w = area.h * aspectW / aspectH;
    fitted.x = area.x + (area.w - fitted.w) / 2;
  }
  return fitted;
}

}  // namespace zd
