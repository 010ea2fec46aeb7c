// Writes RISC OS Draw files from shapes: font tables, text lines, paths of moves, lines,
// curves and closes with their colours, widths, caps and dash patterns, text areas, sprites,
// groups and tagged objects. zdbuild makes drawings with it, and tests make the files they draw.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "titlekit/byte_writer.h"

namespace zd::titlekit {

struct DrawBox {
  int32_t x0 = 0, y0 = 0, x1 = 0, y1 = 0;
};

struct DrawElement {
  enum Kind : uint32_t { End = 0, Move = 2, Close = 5, Curve = 6, Line = 8 } kind = End;
  std::vector<std::pair<int32_t, int32_t>> points;  // 1 for move and line, 3 for a curve
};

struct DrawPathShape {
  uint32_t fill = 0xFFFFFFFF, outline = 0;  // 0xBBGGRR00; all ones: none
  int32_t width = 0;                        // Draw units
  bool evenOdd = false;
  uint32_t startCap = 0, endCap = 0;         // 3: triangle
  uint32_t capWidth = 0, capLength = 0;      // sixteenths of the line width
  std::optional<std::vector<int32_t>> dash;  // a dash pattern (lengths in Draw units)
  std::vector<DrawElement> elements;         // an end of path is added unless the last is one
  std::optional<DrawBox> box;                // worked out from the points when not given
};

// A colour word from 0xRRGGBB.
constexpr uint32_t DrawColour(uint32_t rgb) {
  return ((rgb & 0xFF) << 24) | (((rgb >> 8) & 0xFF) << 16) | (((rgb >> 16) & 0xFF) << 8);
}

class DrawWriter {
 public:
  explicit DrawWriter(DrawBox box, std::string_view producer = "zdbuild");

  void FontTable(const std::vector<std::pair<uint8_t, std::string>>& fonts);
  void Text(DrawBox box, uint32_t colour, uint32_t background, uint8_t font, int32_t xSize,
            int32_t ySize, int32_t x, int32_t y, std::string_view text);
  void Path(const DrawPathShape& path);
  // A sprite object around one sprite (from its offset-to-next word on).
  void Sprite(DrawBox box, std::string_view sprite);
  void TextArea(DrawBox box, uint32_t foreground, uint32_t background, std::string_view text);
  // Groups nest; EndGroup fills in the size of the group begun last.
  void BeginGroup(DrawBox box, std::string_view name);
  void EndGroup();
  // A tagged object around the objects written between the two calls.
  void BeginTagged(DrawBox box, uint32_t tag);
  void EndTagged();
  // Any bytes, as they are (for malformed objects).
  void Raw(std::string_view bytes) { out_.Append(bytes); }

  std::string Finish();

 private:
  void Header(uint32_t type, const DrawBox& box);
  void Close(size_t start);

  ByteWriter out_;
  std::vector<size_t> open_;
};

}  // namespace zd::titlekit
