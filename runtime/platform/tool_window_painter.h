// Tool windows drawn into a picture of the window with the platform's own fonts: what the
// headless backend shows (and screenshots keep) where a real window draws them with its widget
// toolkit. The classic look: a raised frame, a caption bar (navy while the window has the
// focus), a close box, a grey client area, and the controls.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/picture_pen.h"
#include "platform/text_fonts.h"
#include "platform/types.h"

namespace zd::platform {

class ToolWindowPainter {
 public:
  // Draws `tools` over `picture` (the client area), bottom first, page pixel (0,0) at
  // (originX, originY), everything cut to the picture. Windows past kMaxToolWindows and views
  // with impossible sizes are not drawn.
  void Draw(const std::vector<ToolWindowView>& tools, int originX, int originY, RgbImage& picture);

 private:
  void DrawWindow(const ToolWindowView& view, int originX, int originY, RgbImage& picture);
  void DrawControl(const ToolControlView& control, int originX, int originY, int clipLeft,
                   int clipTop, int clipRight, int clipBottom, RgbImage& picture);
  // One line of text, or nothing when it cannot be drawn.
  const TextBitmap* TextOf(const FontRequest& font, const std::string& text1253);
  // A button's text in two centred lines, as large as both fit.
  void DrawTwoLines(PicturePen& pen, const std::string& first, const std::string& second, int x,
                    int y, int w, int h, Rgb ink);

  FontSet fonts_;
  TextBitmap scratch_;
};

}  // namespace zd::platform
