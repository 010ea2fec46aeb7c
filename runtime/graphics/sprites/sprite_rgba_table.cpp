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

// A handful of tables, the oldest replaced first: enough for files that mix a few depths or
// palettes; a lookup compares at most 17 words per entry.
struct KeptTable {
  int bitsPerPixel = 0;  // 0: unused
  ColourSourceWords source;
  SpriteRgbaTable table;
};
constexpr size_t kKeptTables = 4;

struct TableKeeper {
  std::array<KeptTable, kKeptTables> kept;
  size_t next = 0;
};

}  // namespace

const SpriteRgbaTable& RgbaTableFor(ByteView sprite, const SpriteLayout& layout) {
  thread_local TableKeeper keeper;
  const int bpp = layout.bitsPerPixel();
  const ColourSourceWords source = SpriteColourWords(sprite, layout);
  for (const KeptTable& k : keeper.kept) {
    if (k.bitsPerPixel == bpp && k.source == source) return k.table;
  }
  KeptTable& slot = keeper.kept[keeper.next];
  keeper.next = (keeper.next + 1) % kKeptTables;
  slot.bitsPerPixel = bpp;
  slot.source = source;
  FillTable(slot.table, source.Span(), bpp);
  return slot.table;
}

}  // namespace zd
