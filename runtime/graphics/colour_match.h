// Nearest title-palette index of any RGB colour. Drawing with colours given as RGB (bitmap
// colour tables, rectangle and text colours) lands on the palette entry a 256-colour display
// would have chosen; the answers are cached, since pictures ask for the same few colours again
// and again.
#pragma once

#include <array>
#include <cstdint>

#include "platform/types.h"

namespace zd {

class ColourMatcher {
 public:
  // Matches against the 256-colour rule until a palette is given.
  ColourMatcher();
  explicit ColourMatcher(const platform::PaletteRgb& palette) { SetPalette(palette); }

  void SetPalette(const platform::PaletteRgb& palette);
  const platform::PaletteRgb& palette() const { return palette_; }

  // The entry with the smallest squared distance; ties go to the lowest index.
  uint8_t Nearest(platform::Rgb colour) const;
  uint8_t Nearest(int red, int green, int blue) const {
    return Nearest(platform::Rgb{uint8_t(red), uint8_t(green), uint8_t(blue)});
  }

 private:
  uint8_t Search(platform::Rgb colour) const;

  // A direct-mapped cache keyed by the colour; an entry's key has bit 24 set once it is filled.
  static constexpr size_t kCacheSize = 4096;
  platform::PaletteRgb palette_{};
  mutable std::array<uint32_t, kCacheSize> keys_{};
  mutable std::array<uint8_t, kCacheSize> answers_{};
};

}  // namespace zd
