#include "platform/presented_frame.h"

#include <algorithm>
#include <cstring>

namespace zd::platform {

void PresentedFrame::Store(const Frame& frame) {
  width_ = std::max(0, frame.image.width);
  height_ = std::max(0, frame.image.height);
  originX_ = frame.originX;
  originY_ = frame.originY;
  background_ = frame.background;
  if (frame.palette) palette_ = *frame.palette;
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
