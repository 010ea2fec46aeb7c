// Colours of the 256-colour screen modes in which title pictures were made.
#pragma once

#include <array>
#include <cstdint>

#include "platform/types.h"

namespace zd {

// A palette word of title data: 0xBBGGRR00 (blue, green, red; low byte unused).
inline platform::Rgb PaletteWordToRgb(uint32_t word) {
  return {static_cast<uint8_t>(word >> 8), static_cast<uint8_t>(word >> 16),
          static_cast<uint8_t>(word >> 24)};
}

// The sixteen base entries of the default 8-bit colour table, as palette words.
extern const std::array<uint32_t, 16> kDefault8BitBase;

// The colour of 8-bit pixel value v: the base entry (v & 15), with the high bits of red, green
// and blue taken from bits 4 to 7 of v, and each component's high nibble repeated in its low one.
platform::Rgb EightBitColour(int v, const uint32_t* base16);

}  // namespace zd
