// Drawing plain shapes and text bitmaps into an RGB picture, everything cut to a clip
// rectangle and to the picture.
#pragma once

#include <algorithm>

#include "platform/font_raster.h"
#include "platform/types.h"

namespace zd::platform {

class PicturePen {
 public:
  PicturePen(RgbImage& picture, int left, int top, int right, int bottom)
      : p_(picture),
        left_(std::max(0, left)),
        top_(std::max(0, top)),
        right_(std::min(picture.width, right)),
        bottom_(std::min(picture.height, bottom)) {}

  void Fill(int x0, int y0, int x1, int y1, Rgb c) {
    x0 = std::max(x0, left_), y0 = std::max(y0, top_);
    x1 = std::min(x1, right_), y1 = std::min(y1, bottom_);
    if (x0 >= x1) return;
    for (int y = y0; y < y1; ++y) {
      uint8_t* d = &p_.rgb[(size_t(y) * p_.width + x0) * 3];
      for (int x = x0; x < x1; ++x, d += 3) d[0] = c.r, d[1] = c.g, d[2] = c.b;
    }
  }
  void Dot(int x, int y, Rgb c) { Fill(x, y, x + 1, y + 1, c); }
  void Frame(int x0, int y0, int x1, int y1, Rgb c) { Edge(x0, y0, x1, y1, c, c); }
  // Every other pixel of the frame, as a focus frame is drawn.
  void DottedFrame(int x0, int y0, int x1, int y1, Rgb c) {
    for (int x = x0; x < x1; x += 2) Dot(x, y0, c), Dot(x, y1 - 1, c);
    for (int y = y0; y < y1; y += 2) Dot(x0, y, c), Dot(x1 - 1, y, c);
  }
  // A small filled triangle pointing up or down, centred in the box.
  void Arrow(int x0, int y0, int x1, int y1, bool up, Rgb c) {
    const int cx = (x0 + x1) / 2, cy = (y0 + y1) / 2;
    for (int row = 0; row < 4; ++row) {
      const int y = up ? cy - 2 + row : cy + 1 - row;
      Fill(cx - row, y, cx + row + 1, y + 1, c);
    }
  }
  // A one-pixel edge: `topLeft` along the top and left, `bottomRight` along the others.
  void Edge(int x0, int y0, int x1, int y1, Rgb topLeft, Rgb bottomRight) {
    Fill(x0, y0, x1, y0 + 1, topLeft);
    Fill(x0, y0, x0 + 1, y1, topLeft);
    Fill(x0, y1 - 1, x1, y1, bottomRight);
    Fill(x1 - 1, y0, x1, y1, bottomRight);
  }
  // The set pixels of `g` (coverage of half or more) with its top-left corner at (x, y).
  void Text(const TextBitmap& g, int x, int y, Rgb c) {
    const int gx0 = std::max(0, left_ - x), gy0 = std::max(0, top_ - y);
    const int gx1 = std::min(g.width, right_ - x), gy1 = std::min(g.height, bottom_ - y);
    if (gx0 >= gx1 || g.coverage.size() < size_t(g.width) * g.height) return;
    for (int gy = gy0; gy < gy1; ++gy) {
      const uint8_t* cov = &g.coverage[size_t(gy) * g.width];
      uint8_t* d = &p_.rgb[(size_t(y + gy) * p_.width + (x + gx0)) * 3];
      for (int gx = gx0; gx < gx1; ++gx, d += 3) {
        if (cov[gx] >= 128) d[0] = c.r, d[1] = c.g, d[2] = c.b;
      }
    }
  }

 private:
  RgbImage& p_;
  int left_, top_, right_, bottom_;
};

}  // namespace zd::platform
