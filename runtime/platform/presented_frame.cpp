#include "platform/presented_frame.h"

#include <algorithm>
#include <cstring>

namespace zd::platform {
namespace {

constexpr int kFarAway = 1 << 20;

bool WellFormed(const OverlayImage& o) {
  const int bytes = o.hasAlpha ? 4 : 3;
  return o.pixels && o.width > 0 && o.height > 0 && o.width <= kMaxOverlaySide &&
         o.height <= kMaxOverlaySide && o.pitch >= o.width * bytes && o.w > 0 && o.h > 0 &&
         o.w <= 2 * kMaxOverlaySide && o.h <= 2 * kMaxOverlaySide &&
         // Farther out it would be off any page; keeping it near keeps window arithmetic small.
         o.x > -kFarAway && o.x < kFarAway && o.y > -kFarAway && o.y < kFarAway;
}

KeptOverlay Keep(const OverlayImage& o) {
  KeptOverlay k;
  k.width = o.width;
  k.height = o.height;
  k.x = o.x;
  k.y = o.y;
  k.w = o.w;
  k.h = o.h;
  k.rgba.resize(size_t(o.width) * o.height * 4);
  const int bytes = o.hasAlpha ? 4 : 3;
  uint8_t* out = k.rgba.data();
  for (int y = 0; y < o.height; ++y) {
    const uint8_t* in = o.pixels + size_t(y) * size_t(o.pitch);
    for (int x = 0; x < o.width; ++x, in += bytes) {
      *out++ = in[0];
      *out++ = in[1];
      *out++ = in[2];
      *out++ = o.hasAlpha ? in[3] : 255;
    }
  }
  return k;
}

uint8_t Blend(uint8_t over, uint8_t under, uint8_t alpha) {
  return uint8_t((over * alpha + under * (255 - alpha) + 127) / 255);
}

}  // namespace

void PresentedFrame::Store(const Frame& frame) {
  width_ = std::max(0, frame.image.width);
  height_ = std::max(0, frame.image.height);
  originX_ = frame.originX;
  originY_ = frame.originY;
  background_ = frame.background;
  if (frame.palette) palette_ = *frame.palette;
  overlays_.clear();
  for (const OverlayImage& overlay : frame.overlays) {
    if (overlays_.size() == kMaxOverlays) break;
    if (WellFormed(overlay)) overlays_.push_back(Keep(overlay));
  }
  lists_.assign(frame.lists.begin(),
                frame.lists.begin() + std::min(frame.lists.size(), kMaxListControls));
  tools_.assign(frame.tools.begin(),
                frame.tools.begin() + std::min(frame.tools.size(), kMaxToolWindows));
  pixels_.resize(size_t(width_) * height_);
  if (!frame.image.pixels) {
    std::fill(pixels_.begin(), pixels_.end(), 0);
    return;
  }
  for (int y = 0; y < height_; ++y) {
    std::memcpy(&pixels_[size_t(y) * width_], frame.image.pixels + size_t(y) * frame.image.pitch,
                size_t(width_));
  }
}

RgbImage PresentedFrame::Compose(int clientWidth, int clientHeight) const {
  RgbImage out;
  out.width = std::max(0, clientWidth);
  out.height = std::max(0, clientHeight);
  out.rgb.resize(size_t(out.width) * out.height * 3);
  for (size_t i = 0; i < out.rgb.size(); i += 3) {
    out.rgb[i] = background_.r;
    out.rgb[i + 1] = background_.g;
    out.rgb[i + 2] = background_.b;
  }
  const int x0 = std::max(0, originX_), x1 = std::min(out.width, originX_ + width_);
  const int y0 = std::max(0, originY_), y1 = std::min(out.height, originY_ + height_);
  for (int y = y0; y < y1; ++y) {
    const uint8_t* src = &pixels_[size_t(y - originY_) * width_ + (x0 - originX_)];
    uint8_t* dst = &out.rgb[(size_t(y) * out.width + x0) * 3];
    for (int x = x0; x < x1; ++x) {
      const Rgb c = palette_[*src++];
      *dst++ = c.r;
      *dst++ = c.g;
      *dst++ = c.b;
    }
  }
  for (const KeptOverlay& o : overlays_) {
    // The overlay's rectangle, cut to the picture and then to the client area (picture pixels).
    const int64_t left = std::max<int64_t>({o.x, 0, -int64_t(originX_)});
    const int64_t right = std::min<int64_t>({int64_t(o.x) + o.w, width_, int64_t(out.width) - originX_});
    const int64_t top = std::max<int64_t>({o.y, 0, -int64_t(originY_)});
    const int64_t bottom = std::min<int64_t>({int64_t(o.y) + o.h, height_, int64_t(out.height) - originY_});
    for (int64_t py = top; py < bottom; ++py) {
      const int64_t sy = (py - o.y) * o.height / o.h;
      uint8_t* dst = &out.rgb[(size_t(py + originY_) * out.width + size_t(left + originX_)) * 3];
      for (int64_t px = left; px < right; ++px, dst += 3) {
        const int64_t sx = (px - o.x) * o.width / o.w;
        const uint8_t* src = &o.rgba[(size_t(sy) * o.width + size_t(sx)) * 4];
        dst[0] = Blend(src[0], dst[0], src[3]);
        dst[1] = Blend(src[1], dst[1], src[3]);
        dst[2] = Blend(src[2], dst[2], src[3]);
      }
    }
  }
  return out;
}

void PresentedFrame::ToRgba(std::vector<uint32_t>& out) const {
  out.resize(pixels_.size());
  uint32_t lookup[256];
  for (int i = 0; i < 256; ++i) {
    // Bytes R, G, B, A in memory order (a little-endian ABGR word).
    lookup[i] = uint32_t(palette_[i].r) | (uint32_t(palette_[i].g) << 8) |
                (uint32_t(palette_[i].b) << 16) | 0xFF000000u;
  }
  for (size_t i = 0; i < pixels_.size(); ++i) out[i] = lookup[pixels_[i]];
}

}  // namespace zd::platform
