// The last picture a backend presented, kept so the window can be drawn again, saved as a
// screenshot, or turned into a texture.
#pragma once

#include <cstdint>
#include <vector>

#include "platform/types.h"

namespace zd::platform {

// A frame kept by a backend after Present, so it can be shown again or saved.
class PresentedFrame {
 public:
  void Store(const Frame& frame);
  bool empty() const { return width_ == 0; }
  // The client area: background everywhere, the picture at its origin, clipped.
  RgbImage Compose(int clientWidth, int clientHeight) const;
  // RGB of the stored picture alone, with no origin or bands (for a texture).
  void ToRgba(std::vector<uint32_t>& out) const;
  int width() const { return width_; }
  int height() const { return height_; }
  int originX() const { return originX_; }
  int originY() const { return originY_; }
  Rgb background() const { return background_; }

 private:
  std::vector<uint8_t> pixels_;
  PaletteRgb palette_{};
  int width_ = 0, height_ = 0, originX_ = 0, originY_ = 0;
  Rgb background_{};
};

}  // namespace zd::platform
