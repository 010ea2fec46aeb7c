#include "title/page_drawing.h"

#include <algorithm>
#include <cstdlib>

#include "graphics/canvas.h"

namespace zd {

void FillPageRect(Canvas& canvas, const PixelRect& rect, uint32_t action, uint8_t index) {
  const PixelRect r = rect.Intersect({0, 0, canvas.width(), canvas.height()});
  if (r.empty()) return;
  for (int y = r.top; y < r.bottom; ++y) {
    uint8_t* p = canvas.Row(y) + r.left;
    uint8_t* end = canvas.Row(y) + r.right;
    switch (action) {
      case plot_action::OR: for (; p < end; ++p) *p |= index; break;
      case plot_action::AND: for (; p < end; ++p) *p &= index; break;
      case plot_action::XOR: for (; p < end; ++p) *p ^= index; break;
      default: std::fill(p, end, index); break;
    }
  }
}

void DrawMissingPictureCross(Canvas& canvas, const PixelRect& box, const PixelRect& clip) {
  const PixelRect limit = clip.Intersect({0, 0, canvas.width(), canvas.height()});
  // A line from one corner to the other, its last point not drawn, as the platform drew lines.
  const auto line = [&](int x0, int y0, int x1, int y1) {
    const int dx = std::abs(x1 - x0), dy = -std::abs(y1 - y0);
    const int sx = x0 < x1 ? 1 : -1, sy = y0 < y1 ? 1 : -1;
    int err = dx + dy;
    while (x0 != x1 || y0 != y1) {
      if (limit.Contains(x0, y0)) canvas.Row(y0)[x0] ^= 0xFF;
      const int e2 = 2 * err;
      if (e2 >= dy) {
        err += dy;
        x0 += sx;
      }
      if (e2 <= dx) {
        err += dx;
        y0 += sy;
      }
    }
  };
  line(box.left, box.top, box.right, box.bottom);
  line(box.right, box.top, box.left, box.bottom);
}

}  // namespace zd
