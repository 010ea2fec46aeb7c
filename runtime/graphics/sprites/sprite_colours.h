// The colours a sprite is drawn in: colour headers (the colour table that goes with a pass of
// sprite pixels), the shared headers of cached bitmaps, and the colour source of direct drawing
// (the sprite's own palette, or the default table of its depth).
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <vector>

#include "base/byte_view.h"
#include "graphics/bitmap.h"
#include "graphics/sprites/sprite_format.h"
#include "platform/types.h"

namespace zd {

struct ColourHeader {
  int bitCount = 0;                      // depth of the bits it goes with (4 for widened 2-bit)
  int count = 0;                         // 2, 16 or 256 entries
  std::array<platform::Rgb, 256> colours{};
};

// Fills a colour header for pixels of `bitsPerPixel` bits from `entryCount` palette words.
// 8 bits with `mask`: the mask table. 8 bits without: the 256 colours of the 8-bit rule, with
// the base entries taken from the last 16 palette words; a palette of fewer than 16 entries
// cannot give them, and the default base entries are used instead. 1, 2 and 4 bits: the first
// palette words in order (2 entries for 1 bit, 16 for 2 and 4); entries the palette does not
// have come from the default table of that depth. For 2 bits the four colours are repeated to
// fill the 16 entries that widened 2-bit pixels are drawn with.
void BuildColourHeader(ColourHeader& header, std::span<const uint32_t> palette, int bitsPerPixel,
                       bool mask);

// The colour source of direct drawing: the sprite's own palette words (entry count from its
// image offset) when it has any, else the default table of its depth. Only the words a colour
// header takes are returned (see BuildColourHeader), at most 16, so a huge palette costs nothing.
struct ColourSourceWords {
  std::array<uint32_t, 16> words{};
  int count = 0;
  std::span<const uint32_t> Span() const { return {words.data(), size_t(count)}; }
};
ColourSourceWords SpriteColourWords(ByteView sprite, const SpriteLayout& layout);

// The shared colour headers of cached bitmaps, made once at start-up: cached bitmaps always use
// the default tables. With the title-palette indices each one maps to.
struct SharedColourHeaders {
  ColourHeader image8, mask8, bits4, bits2, bits1;
  IndexMap image8Map{}, mask8Map{}, bits4Map{}, bits2Map{}, bits1Map{};
};
SharedColourHeaders CreateSharedColourHeaders(const ColourMatcher& matcher);

IndexMap MatchColourHeader(const ColourHeader& header, const ColourMatcher& matcher);

}  // namespace zd
