#include "graphics/draw/draw_fitting.h"

namespace zd {

DrawPlacement FitDrawing(const Rect& rect, const draw::Box& box) {
  const double w = double(box.x1) - box.x0;
  const double h = double(box.y1) - box.y0;
  const double ratio = w / h;
  const int rw = rect.width(), rh = rect.height();
  int newWidth = rw, newHeight = rh;
  if (rh * ratio > rw) newHeight = TruncPixels(rw / ratio + 0.5);
  if (rw / ratio > rh) newWidth = TruncPixels(rh * ratio + 0.5);
  DrawPlacement p;
  p.rect = rect;
  if (newHeight != rh) {
    p.rect.top += (rh - newHeight) / 2;
    p.rect.bottom = p.rect.top + newHeight;
  }
  if (newWidth != rw) {
    p.rect.left += (rw - newWidth) / 2;
    p.rect.right = p.rect.left + newWidth;
  }
  p.sx = newWidth / w;
  p.sy = newHeight / h;
  p.originX = TruncPixels(p.rect.left - box.x0 * p.sx);
  p.y0 = box.y0;
  return p;
}

}  // namespace zd
