#include "title/page_drawing.h"

#include <algorithm>
#include <cstdlib>
#include <functional>

#include "graphics/canvas.h"

namespace zd {
namespace {

__extension__ typedef __int128 Wide;  // products of two coordinates of a title's boxes

}  // namespace

PlotAction RectanglePlotAction(uint32_t word) {
  switch (word) {
    case 1: return PlotAction::Or;
    case 2: return PlotAction::And;
    case 3: return PlotAction::Xor;
    default: return PlotAction::Copy;
  }
}

void ForEachLinePixelInside(int64_t x0, int64_t y0, int64_t x1, int64_t y1, const Rect& limit,
                            const std::function<void(int x, int y)>& plot) {
  // The stepper moves one pixel along the major axis at every step; after i steps the minor
  // axis has moved floor((2 * minor * i + major) / (2 * major)) pixels. Products are taken in
  // 128 bits: title boxes reach billions of pixels.
  const bool xMajor = std::abs(x1 - x0) >= std::abs(y1 - y0);
  const int64_t major = xMajor ? std::abs(x1 - x0) : std::abs(y1 - y0);
  const int64_t minor = xMajor ? std::abs(y1 - y0) : std::abs(x1 - x0);
  if (major == 0 || limit.empty()) return;
  const int64_t majorStart = xMajor ? x0 : y0, minorStart = xMajor ? y0 : x0;
  const int64_t majorStep = (xMajor ? x1 > x0 : y1 > y0) ? 1 : -1;
  const int64_t minorStep = (xMajor ? y1 > y0 : x1 > x0) ? 1 : -1;
  const int64_t low = xMajor ? limit.left : limit.top, high = (xMajor ? limit.right : limit.bottom) - 1;
  const int64_t minorLow = xMajor ? limit.top : limit.left;
  const int64_t minorHigh = (xMajor ? limit.bottom : limit.right) - 1;
  // The steps whose major coordinate lies inside the limit.
  int64_t first = majorStep > 0 ? low - majorStart : majorStart - high;
  int64_t last = majorStep > 0 ? high - majorStart : majorStart - low;
  first = std::max<int64_t>(first, 0);
  last = std::min<int64_t>(last, major - 1);
  for (int64_t i = first; i <= last; ++i) {
    const Wide moved = (Wide(2) * minor * i + major) / (Wide(2) * major);
    const int64_t m = minorStart + minorStep * int64_t(moved);
    if (m < minorLow || m > minorHigh) continue;
    const int64_t along = majorStart + majorStep * i;
    plot(int(xMajor ? along : m), int(xMajor ? m : along));
  }
}

void DrawMissingPictureCross(Canvas& canvas, const Rect& box, const Rect& clip) {
  const Rect limit = clip.Intersect({0, 0, canvas.width(), canvas.height()});
  const auto invert = [&](int x, int y) { canvas.Row(y)[x] ^= 0xFF; };
  ForEachLinePixelInside(box.left, box.top, box.right, box.bottom, limit, invert);
  ForEachLinePixelInside(box.right, box.top, box.left, box.bottom, limit, invert);
}

}  // namespace zd
