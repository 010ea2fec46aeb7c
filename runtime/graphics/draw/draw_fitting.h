// Where a Draw file lands in a rectangle: scaled to fit with its proportions kept and centred,
// and how its points, boxes and sizes become pixels.
#pragma once

#include <cmath>
#include <cstdint>

#include "graphics/draw/draw_format.h"
#include "graphics/rect.h"

namespace zd {

// trunc() into an int. Title data can make any product; one that leaves int, or is not a
// number at all, is held at the edge (or 0), far outside any canvas.
inline int TruncPixels(double v) {
  if (std::isnan(v)) return 0;
  return int(std::clamp(std::trunc(v), -1.0e9, 1.0e9));
}

struct DrawPlacement {
  Rect rect;  // the fitted rectangle
  double sx = 0, sy = 0;
  int originX = 0;  // X: pixel column of Draw x = 0
  int32_t y0 = 0;   // the file box's bottom, which lands on rect.bottom

  // A point of the file: (X + trunc(x * sx), bottom - trunc((y - y0) * sy)).
  int X(int32_t x) const {
    return int(
        std::clamp<int64_t>(int64_t(originX) + TruncPixels(x * sx), -1000000000, 1000000000));
  }
  int Y(int32_t y) const {
    return int(std::clamp<int64_t>(int64_t(rect.bottom) - TruncPixels((double(y) - y0) * sy),
                                   -1000000000, 1000000000));
  }
  // The same with the whole sums truncated, as text boxes take them.
  int BoxX(int32_t x) const { return TruncPixels(originX + x * sx); }
  int BoxY(int32_t y) const { return TruncPixels(rect.bottom - (double(y) - y0) * sy); }
};

// Fits the file box into `rect`: the ratio w / h decides which side shrinks (rounded to the
// nearest pixel), the shrunk side is centred with its halves truncated, and the scales are the
// fitted sizes over the box's.
DrawPlacement FitDrawing(const Rect& rect, const draw::Box& box);

}  // namespace zd
