// The title palette: one 256-entry palette for the whole run, built from the 256-colour rule,
// with the display's reserved colours (where a display has them) kept in their places.
#pragma once

#include <array>
#include <cstdint>

#include "platform/types.h"

namespace zd {

constexpr uint8_t PC_NOCOLLAPSE = 0x04;

struct PaletteEntry {
  uint8_t red = 0, green = 0, blue = 0, flags = 0;
  bool operator==(const PaletteEntry&) const = default;
};

using LogicalPalette = std::array<PaletteEntry, 256>;

// Every entry the 8-bit colour of its index, each with the no-collapse flag.
LogicalPalette BuildRulePalette();

// Gives a palette display's reserved colours their places: for each reserved index i (the low
// n/2, then the high n/2), the entry nearest the system colour swaps with i, and i takes the
// system colour exactly with flags 0. Nothing happens for n = 0 (true-colour displays).
void KeepStaticColours(LogicalPalette& palette, const platform::PaletteRgb& systemPalette,
                       int reservedColours);

// The system palette of a standard palette display: its 20 reserved colours at 0-9 and
// 246-255, black between them.
platform::PaletteRgb StandardSystemPalette();

// A colour that makes drawing take the nearest entry of the selected palette.
constexpr uint32_t PaletteRelativeColour(int red, int green, int blue) {
  return 0x02000000u | (uint32_t(blue & 0xFF) << 16) | (uint32_t(green & 0xFF) << 8) |
         uint32_t(red & 0xFF);
}

// The palette index nearest a colour (squared distance; ties to the lowest index).
uint8_t NearestColour(const platform::PaletteRgb& palette, platform::Rgb colour);
uint8_t NearestPaletteIndex(const LogicalPalette& palette, int red, int green, int blue);

platform::PaletteRgb PaletteColours(const LogicalPalette& palette);

// A 256-colour bitmap header as printing hands it to the printer: the 40-byte header fields
// and the palette in index order as (blue, green, red, 0).
struct ScreenColourHeader {
  uint32_t size = 40;
  int32_t width = 0, height = 0;
  uint16_t planes = 1, bitCount = 8;
  uint32_t compression = 0, imageSize = 0;
  int32_t xPixelsPerMetre = 0, yPixelsPerMetre = 0;
  uint32_t coloursUsed = 0, coloursImportant = 0;
  std::array<std::array<uint8_t, 4>, 256> colours{};
};
void BuildScreenColourHeader(const LogicalPalette& palette, ScreenColourHeader* header);

}  // namespace zd
