// Helpers for the Draw file tests: a painter that records the text it is given, and drawing a
// file into a fresh canvas.
#pragma once

#include <string>
#include <vector>

#include "graphics/draw/draw_file.h"
#include "titlekit/draw_writer.h"

namespace zd::test {

struct DrawnText {
  int x = 0, y = 0;
  LogicalFont font;
  std::string text;
  uint8_t index = 0;
  Rect box;  // text areas
  TextAlign align = TextAlign::Left;
};

class RecordingPainter : public TextPainter {
 public:
  void DrawLine(Canvas&, int x, int y, const LogicalFont& font, std::string_view text,
                uint8_t index) override {
    drawn.push_back({x, y, font, std::string(text), index, {}, TextAlign::Left});
  }
  void DrawWrapped(Canvas&, const Rect& box, const LogicalFont& font, std::string_view text,
                   uint8_t index, TextAlign align) override {
    drawn.push_back({box.left, box.top, font, std::string(text), index, box, align});
  }
  std::vector<DrawnText> drawn;
};

struct DrawRun {
  ColourMatcher matcher;
  DrawFontTable fonts;
  RecordingPainter painter;

  Canvas Draw(const std::string& file, int width, int height, const Rect& rect,
              uint8_t background = 0) {
    Canvas canvas(width, height);
    canvas.Fill(background);
    DrawContext context{matcher, fonts, &painter};
    DrawDrawFile(context, canvas, rect,
                 ByteView(reinterpret_cast<const uint8_t*>(file.data()), file.size()));
    return canvas;
  }
  uint8_t Index(uint32_t rgb) const {
    return matcher.Nearest(int(rgb >> 16) & 0xFF, int(rgb >> 8) & 0xFF, int(rgb) & 0xFF);
  }
};

using titlekit::DrawBox;
using titlekit::DrawColour;
using titlekit::DrawElement;
using titlekit::DrawPathShape;
using titlekit::DrawWriter;

inline DrawElement Move(int32_t x, int32_t y) { return {DrawElement::Move, {{x, y}}}; }
inline DrawElement LineTo(int32_t x, int32_t y) { return {DrawElement::Line, {{x, y}}}; }
inline DrawElement Close() { return {DrawElement::Close, {}}; }
inline DrawElement Curve(int32_t x1, int32_t y1, int32_t x2, int32_t y2, int32_t x3, int32_t y3) {
  return {DrawElement::Curve, {{x1, y1}, {x2, y2}, {x3, y3}}};
}

}  // namespace zd::test
