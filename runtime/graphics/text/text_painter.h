// Text drawn into the 8-bit canvas with a logical font, in one palette index and without
// anti-aliasing, over a transparent background: single lines, and word-wrapped boxes.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "graphics/canvas.h"
#include "graphics/text/font_mapping.h"
#include "platform/text_fonts.h"

namespace zd::platform {
class FontSet;
struct FontRequest;
}  // namespace zd::platform

namespace zd {

enum class TextAlign : uint8_t { Left, Right, Centre };

class TextPainter {
 public:
  virtual ~TextPainter() = default;
  // Code page 1253 text on one line, the top-left of its cell at (x, y).
  virtual void DrawLine(Canvas& canvas, int x, int y, const LogicalFont& font,
                        std::string_view text, uint8_t index) = 0;
  // Word-wrapped inside `box` and cut to it: lines break at line feeds and between words, tabs
  // stop every eight characters, each line aligned as asked. Words wider than the box are cut.
  virtual void DrawWrapped(Canvas& canvas, const Rect& box, const LogicalFont& font,
                           std::string_view text, uint8_t index, TextAlign align) = 0;
};

// The platform's font request for a logical font.
platform::FontRequest FontRequestFor(const LogicalFont& font);

// Text laid out in a box as DrawWrapped lays it out: each line with the left end of its text
// and the top of its cell, as far down as the box reaches.
struct WrappedLine {
  std::u32string text;
  int x = 0, y = 0;
};
std::vector<WrappedLine> WrapText(platform::FontSet& fonts, const LogicalFont& font,
                                  std::string_view text, const Rect& box, TextAlign align);

// The painter over the platform's fonts.
class FontTextPainter : public TextPainter {
 public:
  explicit FontTextPainter(platform::FontSet& fonts) : fonts_(fonts) {}
  void DrawLine(Canvas& canvas, int x, int y, const LogicalFont& font, std::string_view text,
                uint8_t index) override;
  void DrawWrapped(Canvas& canvas, const Rect& box, const LogicalFont& font, std::string_view text,
                   uint8_t index, TextAlign align) override;

 private:
  platform::FontSet& fonts_;
};

}  // namespace zd
