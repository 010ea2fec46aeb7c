#include "graphics/sprites/colour_tables.h"

namespace zd {

const std::array<uint32_t, 2> kDefault1Bit = {0xFFFFFF00, 0x00000000};

const std::array<uint32_t, 4> kDefault2Bit = {0xFFFFFF00, 0xBBBBBB00, 0x77777700, 0x00000000};

const std::array<uint32_t, 16> kDefault4Bit = {
    0xFFFFFF00, 0xDDDDDD00, 0xBBBBBB00, 0x99999900, 0x77777700, 0x55555500, 0x33333300,
    0x00000000, 0x99440000, 0x00EEEE00, 0x00CC0000, 0x0000DD00, 0xBBEEEE00, 0x00885500,
    0x00BBFF00, 0xFFBB0000,
};

const std::array<uint32_t, 16> kDefault8BitBase = {
    0x00000000, 0x10101000, 0x20202000, 0x30303000, 0x00004000, 0x10105000, 0x20206000,
    0x30307000, 0x40000000, 0x50101000, 0x60202000, 0x70303000, 0x40004000, 0x50105000,
    0x60206000, 0x70307000,
};

std::span<const uint32_t> DefaultColourTable(int bitsPerPixel) {
  switch (bitsPerPixel) {
    case 1: return kDefault1Bit;
    case 2: return kDefault2Bit;
    case 4: return kDefault4Bit;
    case 8: return kDefault8BitBase;
    default: return {};
  }
}

platform::Rgb EightBitColour(int v, const uint32_t* base16) {
  const platform::Rgb base = PaletteWordToRgb(base16[v & 15]);
  int red = (base.r & 0x7F) | ((v & 0x10) ? 0x80 : 0);
  int green = (base.g & 0x3F) | ((v & 0x20) ? 0x40 : 0) | ((v & 0x40) ? 0x80 : 0);
  int blue = (base.b & 0x7F) | ((v & 0x80) ? 0x80 : 0);
  const auto widen = [](int c) { return static_cast<uint8_t>((c & 0xF0) | (c >> 4)); };
  return {widen(red), widen(green), widen(blue)};
}

}  // namespace zd
