#include "graphics/sprites/sprite_rgba_table.h"

#include <cstring>

#include "graphics/sprites/sprite_colours.h"

namespace zd {
namespace {

uint32_t RgbaWord(const platform::Rgb& c, uint8_t alpha) {
  const uint8_t bytes[4] = {c.r, c.g, c.b, alpha};
  uint32_t word;
  std::memcpy(&word, bytes, sizeof word);
  return word;
}

void FillTable(SpriteRgbaTable& table, std::span<const uint32_t> words, int bitsPerPixel) {
  ColourHeader header;
  BuildColourHeader(header, words, bitsPerPixel, false);
  for (size_t v = 0; v < 256; ++v) {
    table.entries[v] = RgbaWord(header.colours[v], 255);
    table.entries[SpriteRgbaTable::kTransparent + v] = RgbaWord(header.colours[v], 0);
  }
}

}  // namespace

SpriteRgbaTable RgbaTableFor(ByteView sprite, const SpriteLayout& layout) {
  SpriteRgbaTable table;
  const ColourSourceWords source = SpriteColourWords(sprite, layout);
  FillTable(table, source.Span(), layout.bitsPerPixel());
  return table;
}

}  // namespace zd
