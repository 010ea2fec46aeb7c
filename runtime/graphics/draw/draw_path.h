// Path objects of Draw files: subpaths of lines and flattened Bézier curves, filled with the
// path's winding rule and outlined with its pen, dotted when it has a dash pattern, with
// triangular end caps.
#pragma once

#include <vector>

#include "base/byte_view.h"
#include "graphics/draw/draw_file.h"
#include "graphics/shapes.h"

namespace zd {

void DrawPathObject(DrawSurface& surface, const DrawPlacement& placement, ByteView object);

// The points a Bézier segment adds, in file units: t = 0.1, 0.2 ... 0.9 (accumulated by adding
// 0.1) rounded by adding 0.5 and truncating, then the end point exactly; a point equal to the
// one before it is left out. At most 10.
struct DrawPoint {
  int32_t x = 0, y = 0;
  bool operator==(const DrawPoint&) const = default;
};
std::vector<DrawPoint> FlattenBezier(DrawPoint p0, DrawPoint p1, DrawPoint p2, DrawPoint p3);

// The triangle of a triangle cap at pixel `end`, for a last segment running (dx, dy) in file
// units toward it, an outline width and the cap width in sixteenths of the line width. Empty
// for a segment without length.
std::vector<Point> TriangleCap(Point end, double dx, double dy, int32_t lineWidth, int capWidth,
                               double sx, double sy);

}  // namespace zd
