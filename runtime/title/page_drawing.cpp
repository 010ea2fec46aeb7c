#include "title/page_drawing.h"

#include <algorithm>
#include <cstdlib>

#include "graphics/canvas.h"

namespace zd {

PlotAction RectanglePlotAction(uint32_t word) {
  switch (word) {
    case 1: return PlotAction::Or;
    case 2: return PlotAction::And;
    case 3: return PlotAction::Xor;
    default: return PlotAction::Copy;
  }
}

void DrawMissingPictureCross(Canvas& canvas, const Rect& box, const Rect& clip) {
  const Rect limit = clip.Intersect({0, 0, canvas.width(), canvas.height()});
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
