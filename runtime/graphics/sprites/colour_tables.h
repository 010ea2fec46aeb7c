// Colours of the screen modes in which title pictures were made: the default tables of 1, 2, 4
// and 8 bits per pixel, the 8-bit mask table and the 256-colour rule.
#pragma once

#include <array>
#include <cstdint>
#include <span>

#include "platform/types.h"

namespace zd {

// A palette word of title data: 0xBBGGRR00 (blue, green, red; low byte unused).
inline platform::Rgb PaletteWordToRgb(uint32_t word) {
  return {static_cast<uint8_t>(word >> 8), static_cast<uint8_t>(word >> 16),
          static_cast<uint8_t>(word >> 24)};
}

// The default tables, as palette words so that a sprite's own palette and a default table go
// through the same conversion.
extern const std::array<uint32_t, 2> kDefault1Bit;    // white, black
extern const std::array<uint32_t, 4> kDefault2Bit;    // white, two greys, black
extern const std::array<uint32_t, 16> kDefault4Bit;   // eight greys, then eight colours
// The sixteen base entries of the default 8-bit colour table.
extern const std::array<uint32_t, 16> kDefault8BitBase;

// The default table of a depth (1, 2 or 4 bits; the 16 base entries for 8); empty for others.
std::span<const uint32_t> DefaultColourTable(int bitsPerPixel);

// The colour of 8-bit pixel value v: the base entry (v & 15), with the high bits of red, green
// and blue taken from bits 4 to 7 of v, and each component's high nibble repeated in its low one.
platform::Rgb EightBitColour(int v, const uint32_t* base16);

// Entry v of the 8-bit mask table: a grey from white (0, transparent) to black (255, solid), so
// that a mask combined by AND keeps the background only where the sprite is transparent.
inline platform::Rgb MaskColour(int v) {
  const auto grey = static_cast<uint8_t>(255 - (v & 0xFF));
  return {grey, grey, grey};
}

}  // namespace zd
