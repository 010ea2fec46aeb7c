// The 8-bit canvas: a surface of palette indices that pages are drawn into. It is turned into
// colours only when the window shows it or a screenshot saves it.
#pragma once

#include <algorithm>
#include <cstdint>
#include <vector>

#include "platform/types.h"

namespace zd {

class Canvas {
 public:
  Canvas(int width, int height)
      : width_(width), height_(height), pixels_(size_t(width) * size_t(height), 0) {}

  int width() const { return width_; }
  int height() const { return height_; }
  uint8_t* Row(int y) { return &pixels_[size_t(y) * width_]; }
  const uint8_t* Row(int y) const { return &pixels_[size_t(y) * width_]; }
  void Fill(uint8_t index) { std::fill(pixels_.begin(), pixels_.end(), index); }

  platform::IndexedImageView View() const { return {pixels_.data(), width_, height_, width_}; }

 private:
  int width_, height_;
  std::vector<uint8_t> pixels_;
};

}  // namespace zd
