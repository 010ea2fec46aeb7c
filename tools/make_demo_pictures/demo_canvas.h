// The drawing surface of make_demo_pictures: an RGBA picture drawn at twice its size with
// simple shapes and text, averaged down and reduced to the 256 colours pages are shown in.
#pragma once

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <functional>
#include <iostream>
#include <string>
#include <vector>

#include "graphics/palette.h"
#include "platform/font_raster.h"
#include "platform/png_codec.h"

namespace demo_pictures {

constexpr int kScale = 2;  // pictures are drawn at twice their size and then averaged down
constexpr float kPi = 3.14159265f;

struct Colour {
  float r = 0, g = 0, b = 0;
};

inline Colour Hex(uint32_t rgb) {
  return {float(rgb >> 16 & 0xFF), float(rgb >> 8 & 0xFF), float(rgb & 0xFF)};
}

inline Colour Mix(Colour a, Colour b, float t) {
  return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t};
}

// The demo's colours, each one of the 256 the pages are shown in, so flat areas stay flat.
namespace ink {
inline const Colour kWhite = Hex(0xFFFFFF), kCream = Hex(0xFFFFBB), kPaper = Hex(0xEEEEAA),
                    kSand = Hex(0xDDDD99), kInk = Hex(0x222222), kNavy = Hex(0x113377),
                    kDeep = Hex(0x002244), kSky = Hex(0x77BBFF), kPaleSky = Hex(0xBBFFFF),
                    kGrass = Hex(0x66AA22), kLeaf = Hex(0x338811), kForest = Hex(0x115511),
                    kMoss = Hex(0x99CC44), kPoppy = Hex(0xEE2222), kOrange = Hex(0xFF7733),
                    kGold = Hex(0xFFBB33), kSun = Hex(0xFFFF33), kBrown = Hex(0x884400),
                    kBark = Hex(0x663311), kWater = Hex(0x3377BB), kPond = Hex(0x2266AA),
                    kSnow = Hex(0xEEEEFF), kBlue = Hex(0x4488FF), kPurple = Hex(0x8844CC),
                    kGrey = Hex(0x888888), kShade = Hex(0x444444), kPink = Hex(0xFFBBBB),
                    kNight = Hex(0x001144);
}  // namespace ink

// An RGBA picture drawn at kScale times its size.
class Picture {
 public:
  Picture(int width, int height)
      : width_(width),
        height_(height),
        w_(width * kScale),
        h_(height * kScale),
        colour_(size_t(w_) * h_),
        alpha_(size_t(w_) * h_, 0.0f) {}
  int width() const { return width_; }
  int height() const { return height_; }

  // Covers the point (sub-pixel centre) set by `inside` within a box, in picture pixels.
  void Shape(float x0, float y0, float x1, float y1, Colour c,
             const std::function<bool(float, float)>& inside, float opacity = 1.0f) {
    const int sx0 = std::max(0, int(std::floor(x0 * kScale))),
              sy0 = std::max(0, int(std::floor(y0 * kScale)));
    const int sx1 = std::min(w_, int(std::ceil(x1 * kScale))),
              sy1 = std::min(h_, int(std::ceil(y1 * kScale)));
    for (int y = sy0; y < sy1; ++y) {
      for (int x = sx0; x < sx1; ++x) {
        const float px = (x + 0.5f) / kScale, py = (y + 0.5f) / kScale;
        if (inside(px, py)) Put(x, y, c, opacity);
      }
    }
  }
  void Rect(float x0, float y0, float x1, float y1, Colour c, float opacity = 1.0f) {
    Shape(
        x0, y0, x1, y1, c, [](float, float) { return true; }, opacity);
  }
  void RoundRect(float x0, float y0, float x1, float y1, float r, Colour c) {
    Shape(x0, y0, x1, y1, c, [=](float x, float y) {
      const float dx = std::max({x0 + r - x, 0.0f, x - (x1 - r)});
      const float dy = std::max({y0 + r - y, 0.0f, y - (y1 - r)});
      return dx * dx + dy * dy <= r * r;
    });
  }
  // A rounded panel with a border and a drop shadow.
  void Panel(float x0, float y0, float x1, float y1, float r, Colour fill, Colour border,
             float borderWidth = 3, bool shadow = true) {
    if (shadow) RoundRect(x0 + 4, y0 + 5, x1 + 4, y1 + 5, r, ink::kShade);
    RoundRect(x0, y0, x1, y1, r, border);
    RoundRect(x0 + borderWidth, y0 + borderWidth, x1 - borderWidth, y1 - borderWidth,
              std::max(1.0f, r - borderWidth), fill);
  }
  void Ellipse(float cx, float cy, float rx, float ry, Colour c, float opacity = 1.0f) {
    Shape(
        cx - rx, cy - ry, cx + rx, cy + ry, c,
        [=](float x, float y) {
          const float dx = (x - cx) / rx, dy = (y - cy) / ry;
          return dx * dx + dy * dy <= 1.0f;
        },
        opacity);
  }
  void Circle(float cx, float cy, float r, Colour c) { Ellipse(cx, cy, r, r, c); }
  void Polygon(const std::vector<std::array<float, 2>>& p, Colour c) {
    float x0 = 1e9f, y0 = 1e9f, x1 = -1e9f, y1 = -1e9f;
    for (const auto& q : p) {
      x0 = std::min(x0, q[0]), y0 = std::min(y0, q[1]);
      x1 = std::max(x1, q[0]), y1 = std::max(y1, q[1]);
    }
    Shape(x0, y0, x1, y1, c, [&](float x, float y) {
      bool in = false;
      for (size_t i = 0, j = p.size() - 1; i < p.size(); j = i++) {
        if ((p[i][1] > y) != (p[j][1] > y) &&
            x < (p[j][0] - p[i][0]) * (y - p[i][1]) / (p[j][1] - p[i][1]) + p[i][0]) {
          in = !in;
        }
      }
      return in;
    });
  }
  void Line(float ax, float ay, float bx, float by, float width, Colour c) {
    const float r = width / 2;
    Shape(std::min(ax, bx) - r, std::min(ay, by) - r, std::max(ax, bx) + r, std::max(ay, by) + r, c,
          [=](float x, float y) {
            const float vx = bx - ax, vy = by - ay;
            const float len = vx * vx + vy * vy;
            const float t =
                len > 0 ? std::clamp(((x - ax) * vx + (y - ay) * vy) / len, 0.0f, 1.0f) : 0;
            const float dx = ax + t * vx - x, dy = ay + t * vy - y;
            return dx * dx + dy * dy <= r * r;
          });
  }
  // Horizontal bands from `top` to `bottom` colour: flat steps, as 256-colour pictures had.
  void Bands(float x0, float y0, float x1, float y1, Colour top, Colour bottom, int steps) {
    const float h = (y1 - y0) / float(steps);
    for (int i = 0; i < steps; ++i) {
      Rect(x0, y0 + h * i, x1, y0 + h * (i + 1) + 0.5f,
           Mix(top, bottom, steps > 1 ? float(i) / float(steps - 1) : 0));
    }
  }
  // A line of text; `align` -1 left, 0 centre, 1 right of x; y is the baseline.
  void Text(const std::string& text, float size, float x, float y, Colour c, int align = -1,
            bool bold = true, const char* family = "DejaVu Sans") {
    const auto file = zd::platform::FindFontFile(family, bold, false);
    zd::platform::TextBitmap bitmap;
    std::string error;
    if (!file ||
        !zd::platform::RasteriseText(*file, int(size * kScale), text, true, bitmap, error)) {
      std::cerr << "make_demo_pictures: no font for \"" << text << "\": " << error << "\n";
      failed_ = true;
      return;
    }
    const float width = float(bitmap.width) / kScale;
    const float left = align < 0 ? x : align == 0 ? x - width / 2 : x - width;
    const int sx = int(std::lround(left * kScale)),
              sy = int(std::lround(y * kScale)) - bitmap.baseline;
    for (int row = 0; row < bitmap.height; ++row) {
      for (int col = 0; col < bitmap.width; ++col) {
        const float a = bitmap.coverage[size_t(row) * bitmap.width + col] / 255.0f;
        if (a > 0 && sx + col >= 0 && sy + row >= 0 && sx + col < w_ && sy + row < h_) {
          Put(sx + col, sy + row, c, a);
        }
      }
    }
  }
  // Text with a dark outline, for labels over busy pictures.
  void OutlinedText(const std::string& text, float size, float x, float y, Colour c, Colour edge,
                    int align = 0) {
    for (int dy = -1; dy <= 1; ++dy) {
      for (int dx = -1; dx <= 1; ++dx) {
        if (dx || dy) Text(text, size, x + dx * 1.5f, y + dy * 1.5f, edge, align);
      }
    }
    Text(text, size, x, y, c, align);
  }
  bool failed() const { return failed_; }

  // Averages down to the picture's size and takes, for each pixel, the nearest of the 256
  // colours; pixels less than half covered become transparent.
  zd::platform::RgbaImage Finish(const zd::LogicalPalette& palette, bool& hasTransparency) const {
    zd::platform::RgbaImage out;
    out.width = width_;
    out.height = height_;
    out.rgba.resize(size_t(width_) * height_ * 4);
    hasTransparency = false;
    for (int y = 0; y < height_; ++y) {
      for (int x = 0; x < width_; ++x) {
        Colour sum;
        float alpha = 0;
        for (int dy = 0; dy < kScale; ++dy) {
          for (int dx = 0; dx < kScale; ++dx) {
            const size_t i = size_t(y * kScale + dy) * w_ + size_t(x * kScale + dx);
            const float a = alpha_[i];
            sum = {sum.r + colour_[i].r * a, sum.g + colour_[i].g * a, sum.b + colour_[i].b * a};
            alpha += a;
          }
        }
        uint8_t* p = &out.rgba[(size_t(y) * width_ + x) * 4];
        if (alpha < kScale * kScale * 0.5f) {
          hasTransparency = true;
          continue;  // all zero
        }
        const Colour c{sum.r / alpha, sum.g / alpha, sum.b / alpha};
        const uint8_t index = zd::NearestPaletteIndex(palette, int(std::lround(c.r)),
                                                      int(std::lround(c.g)), int(std::lround(c.b)));
        p[0] = palette[index].red;
        p[1] = palette[index].green;
        p[2] = palette[index].blue;
        p[3] = 255;
      }
    }
    return out;
  }

 private:
  void Put(int x, int y, Colour c, float opacity) {
    const size_t i = size_t(y) * w_ + x;
    const float a = std::min(opacity, 1.0f);
    const float old = alpha_[i];
    colour_[i] = old > 0 ? Mix(colour_[i], c, a) : c;
    alpha_[i] = old + (1 - old) * a;
  }

  int width_, height_, w_, h_;
  std::vector<Colour> colour_;
  std::vector<float> alpha_;
  bool failed_ = false;
};

}  // namespace demo_pictures
