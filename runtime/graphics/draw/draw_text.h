// Text in Draw files: text objects (one line in a font of the font table) and text areas
// (a block of text with escape sequences for fonts, colour, alignment and margins).
#pragma once

#include <array>
#include <string>
#include <string_view>

#include "base/byte_view.h"
#include "graphics/draw/draw_file.h"

namespace zd {

void DrawTextObject(DrawSurface& surface, const DrawFontTable& fonts,
                    const DrawPlacement& placement, ByteView object);
void DrawTextAreaObject(DrawSurface& surface, const DrawPlacement& placement, ByteView object);

// What the escape sequences at the start of a text area's text set up.
struct TextAreaStyle {
  TextAlign align = TextAlign::Left;
  double leftMargin = 1, rightMargin = 1;  // points
  int font = -1;                           // none chosen
  bool colourSet = false;
  int red = 0, green = 0, blue = 0;
  std::array<std::string, draw::MAX_TEXT_AREA_FONTS> fonts{};  // "name size [width]"
  size_t textStart = 0;                                        // where the text proper begins
};
// Reads the escape sequences at the start of `text` (up to its end or a NUL).
TextAreaStyle ReadTextAreaEscapes(std::string_view text);

}  // namespace zd
