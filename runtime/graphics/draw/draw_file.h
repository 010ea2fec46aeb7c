// Drawing RISC OS Draw files into the canvas: the file fitted into a rectangle, and each of its
// objects (font tables, text, paths, sprites, groups, text areas) drawn with the canvas's
// polygons, lines and text. Malformed files draw what can be read of them and nothing else.
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "base/byte_view.h"
#include "graphics/canvas.h"
#include "graphics/colour_match.h"
#include "graphics/draw/draw_fitting.h"
#include "graphics/shapes.h"
#include "graphics/text/text_painter.h"

namespace zd {

// The font table of the last font table object read. It stays in force for later objects and
// later files until the next table replaces it.
struct DrawFontTable {
  struct Entry {
    uint8_t number = 0;
    std::string name;
  };
  std::array<Entry, draw::MAX_FONT_ENTRIES> entries{};
  size_t count = 0;
  const std::string* Find(uint8_t number) const;
};

// Where the objects of a Draw file end up: the canvas, or a picture description such as SVG.
// Points are pixels; colours are Draw colour words (0xBBGGRR00, never transparent here).
class DrawSurface {
 public:
  virtual ~DrawSurface() = default;
  virtual void Polygon(std::span<const Point> points, FillRule rule, uint32_t colour) = 0;
  // An open line; width 0 or 1 is the thinnest line, dotted only for those.
  virtual void Polyline(std::span<const Point> points, int width, bool dotted, uint32_t colour) = 0;
  // One line of code page 1253 text, the top-left of its cell at (x, y).
  virtual void TextLine(int x, int y, const LogicalFont& font, std::string_view text,
                        uint32_t colour) = 0;
  // Text word-wrapped inside a box.
  virtual void TextBox(const Rect& box, const LogicalFont& font, std::string_view text,
                       uint32_t colour, TextAlign align) = 0;
  // A sprite (from its offset-to-next word) stretched onto `destination`, rows as in the file.
  virtual void Sprite(const Rect& destination, ByteView sprite) = 0;
};

// Everything a Draw file does, onto any surface.
void RenderDrawFile(DrawSurface& surface, DrawFontTable& fonts, const Rect& rect, ByteView data);
void RenderDrawObject(DrawSurface& surface, DrawFontTable& fonts, const DrawPlacement& placement,
                      ByteView object);

// What drawing a file into the canvas needs besides the canvas. `text` may be null: text is
// then left out.
struct DrawContext {
  const ColourMatcher& matcher;
  DrawFontTable& fonts;
  TextPainter* text = nullptr;

  uint8_t Colour(uint32_t word) const {
    return matcher.Nearest(draw::Red(word), draw::Green(word), draw::Blue(word));
  }
};

// Draws the file fitted into `rect` (drawing coordinates of the canvas). Data that does not
// start with "Draw", or whose box is empty, draws nothing.
void DrawDrawFile(DrawContext& context, Canvas& canvas, const Rect& rect, ByteView data);

// One object, `object` running from its type word to the end of its size (or of the file).
void DrawDrawObject(DrawContext& context, Canvas& canvas, const DrawPlacement& placement,
                    ByteView object);

// The objects of a file in the order they are drawn, with groups opened: each as its offset and
// type. For tools that describe files.
struct DrawObjectEntry {
  size_t offset = 0;
  uint32_t type = 0;
  uint32_t size = 0;
};
std::vector<DrawObjectEntry> ListDrawObjects(ByteView data);

// The box of a Draw file, when the data is one.
std::optional<draw::Box> DrawFileBox(ByteView data);

}  // namespace zd
