// Child list boxes drawn into a picture of the window with the platform's own fonts: what the
// headless backend shows (and screenshots keep) where a real window draws native-looking
// controls. White lines with black text, the highlighted line navy with white text and a dotted
// frame while the list has the focus, a grey scroll bar when the lines do not all fit.
#pragma once

#include <array>
#include <vector>

#include "platform/font_raster.h"
#include "platform/text_fonts.h"
#include "platform/types.h"

namespace zd::platform {

// The face a choice list asks for; installed fixed-pitch faces stand in for it.
FontRequest ListControlFont();

class ListControlPainter {
 public:
  // Draws `lists` over `picture` (the client area), page pixel (0,0) at (originX, originY),
  // each cut to the picture. Lists past kMaxListControls are not drawn.
  void Draw(const std::vector<ListControlView>& lists, int originX, int originY, RgbImage& picture);

 private:
  struct Glyph {
    bool rendered = false;
    TextBitmap bitmap;
  };
  const TextBitmap& GlyphOf(uint8_t code);
  void DrawOne(const ListControlView& list, int originX, int originY, RgbImage& picture);

  FontSet fonts_;
  std::array<Glyph, 256> glyphs_{};  // each code page character rendered once
  bool measured_ = false;
  CodePageMeasures measures_;
};

}  // namespace zd::platform
