#include "graphics/sprites/sprite_colours.h"

#include <algorithm>

#include "graphics/sprites/colour_tables.h"

namespace zd {

void BuildColourHeader(ColourHeader& header, std::span<const uint32_t> palette, int bitsPerPixel,
                       bool mask) {
  header = ColourHeader{};
  header.bitCount = bitsPerPixel;
  if (bitsPerPixel == 8) {
    header.count = 256;
    const uint32_t* base =
        palette.size() >= 16 ? palette.data() + palette.size() - 16 : kDefault8BitBase.data();
    for (int v = 0; v < 256; ++v) {
      header.colours[size_t(v)] = mask ? MaskColour(v) : EightBitColour(v, base);
    }
    return;
  }
  const std::span<const uint32_t> defaults = DefaultColourTable(bitsPerPixel);
  if (defaults.empty()) return;
  header.count = bitsPerPixel == 1 ? 2 : 16;
  // 2-bit pixels are drawn widened to 4 bits; their four colours repeat over the 16 entries.
  const size_t used = defaults.size();
  for (int i = 0; i < header.count; ++i) {
    const size_t entry = size_t(i) % used;
    const uint32_t word = entry < palette.size() ? palette[entry] : defaults[entry];
    header.colours[size_t(i)] = PaletteWordToRgb(word);
  }
}

ColourSourceWords SpriteColourWords(ByteView sprite, const SpriteLayout& layout) {
  ColourSourceWords source;
  if (layout.paletteEntries > 0) {
    // Only the words a colour header can use: the last 16 for 8 bits (or all of a shorter
    // palette, which then gives way to the defaults), the first 16 for fewer bits.
    const int count = layout.paletteEntries;
    const int first = layout.bitsPerPixel() == 8 && count >= 16 ? count - 16 : 0;
    const int last = std::min(count, first + 16);
    for (int i = first; i < last; ++i) source.words[size_t(source.count++)] = PaletteWord(sprite, i);
    return source;
  }
  for (const uint32_t word : DefaultColourTable(layout.bitsPerPixel())) {
    source.words[size_t(source.count++)] = word;
  }
  return source;
}

IndexMap MatchColourHeader(const ColourHeader& header, const ColourMatcher& matcher) {
  return MatchColours(header.colours.data(), header.count, matcher);
}

SharedColourHeaders CreateSharedColourHeaders(const ColourMatcher& matcher) {
  SharedColourHeaders h;
  BuildColourHeader(h.image8, kDefault8BitBase, 8, false);
  BuildColourHeader(h.mask8, kDefault8BitBase, 8, true);
  BuildColourHeader(h.bits4, kDefault4Bit, 4, false);
  BuildColourHeader(h.bits2, kDefault2Bit, 2, false);
  BuildColourHeader(h.bits1, kDefault1Bit, 1, false);
  h.image8Map = MatchColourHeader(h.image8, matcher);
  h.mask8Map = MatchColourHeader(h.mask8, matcher);
  h.bits4Map = MatchColourHeader(h.bits4, matcher);
  h.bits2Map = MatchColourHeader(h.bits2, matcher);
  h.bits1Map = MatchColourHeader(h.bits1, matcher);
  return h;
}

}  // namespace zd
