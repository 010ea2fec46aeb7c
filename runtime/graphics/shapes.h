// Polygons and lines on the 8-bit canvas, as a 256-colour display's polygon and polyline calls
// drew them: filled polygons of many subpaths with the even-odd or non-zero rule, and lines with
// a pen width and an optional dotted style. Everything is drawn in one palette index, through
// the canvas's origin and clip.
#pragma once

#include <cstdint>
#include <span>

#include "graphics/canvas.h"

namespace zd {

struct Point {
  int x = 0, y = 0;
  bool operator==(const Point&) const = default;
};

// Which pixels lie inside a polygon whose subpaths cross or nest: an odd number of crossings
// (alternate), or a winding number other than zero (winding).
enum class FillRule : uint8_t { EvenOdd, NonZero };

// Fills the polygons given as consecutive runs of `points`, `counts[i]` points each; every run is
// closed back to its first point. A pixel is filled when its centre lies inside (on a left or
// top edge counts as inside, on a right or bottom edge as outside), so a rectangle's right
// column and bottom row are not filled, as on the display. Counts that run past the points are
// cut to the points there are.
void FillPolygons(Canvas& canvas, std::span<const Point> points, std::span<const int> counts,
                  FillRule rule, uint8_t index);
inline void FillPolygon(Canvas& canvas, std::span<const Point> points, FillRule rule,
                        uint8_t index) {
  const int count = int(points.size());
  FillPolygons(canvas, points, std::span<const int>(&count, 1), rule, index);
}

struct Pen {
  int width = 0;        // 0 and 1: the thinnest line, one pixel wide
  bool dotted = false;  // thin pens only: three pixels on, three off, running on along the line
  uint8_t index = 0;
};

// An open line through the points. Thin pens step from pixel to pixel and leave out the last
// point of every segment (the next segment starts there; the polyline's own last point stays
// undrawn, as the display's polyline left it). Wider pens fill each segment as a band of the
// pen's width with round ends and joins; a wide pen is never dotted.
void DrawPolyline(Canvas& canvas, std::span<const Point> points, const Pen& pen);

}  // namespace zd
