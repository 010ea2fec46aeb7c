// The last picture a backend presented, kept so the window can be drawn again, saved as a
// screenshot, or turned into a texture.
#pragma once

#include <cstdint>
#include <vector>

#include "platform/types.h"

namespace zd::platform {

// An overlay as kept: RGBA bytes of its own, and its rectangle on the page.
struct KeptOverlay {
  std::vector<uint8_t> rgba;  // width * height * 4, rows top-down
  int width = 0, height = 0;
  int x = 0, y = 0, w = 0, h = 0;
};

// A frame kept by a backend after Present, so it can be shown again or saved.
class PresentedFrame {
 public:
  void Store(const Frame& frame);
  bool empty() const { return width_ == 0; }
  // The client area: background everywhere, the picture at its origin, the overlays over
  // the picture, everything clipped.
  RgbImage Compose(int clientWidth, int clientHeight) const;
  // RGB of the stored picture alone, with no origin, bands or overlays (for a texture).
  void ToRgba(std::vector<uint32_t>& out) const;
  int width() const { return width_; }
  int height() const { return height_; }
  int originX() const { return originX_; }
  int originY() const { return originY_; }
  Rgb background() const { return background_; }
  const std::vector<KeptOverlay>& overlays() const { return overlays_; }
  // The child list boxes, drawn over the composed picture by the backend.
  const std::vector<ListControlView>& lists() const { return lists_; }
  // The tool windows, bottom first, drawn over everything else (copies of their own).
  const std::vector<ToolWindowView>& tools() const { return tools_; }

 private:
  std::vector<uint8_t> pixels_;
  PaletteRgb palette_{};
  int width_ = 0, height_ = 0, originX_ = 0, originY_ = 0;
  Rgb background_{};
  std::vector<KeptOverlay> overlays_;
  std::vector<ListControlView> lists_;
  std::vector<ToolWindowView> tools_;
};

}  // namespace zd::platform
