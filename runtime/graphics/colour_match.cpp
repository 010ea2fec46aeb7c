#include "graphics/colour_match.h"

#include "graphics/palette.h"

namespace zd {

ColourMatcher::ColourMatcher() { SetPalette(PaletteColours(BuildRulePalette())); }

void ColourMatcher::SetPalette(const platform::PaletteRgb& palette) {
  palette_ = palette;
  keys_.fill(0);
}

uint8_t ColourMatcher::Nearest(platform::Rgb colour) const {
  const uint32_t key = (1u << 24) | (uint32_t(colour.r) << 16) | (uint32_t(colour.g) << 8) | colour.b;
  // Fibonacci hashing spreads the neighbouring colours of gradients over the whole cache.
  const size_t slot = (key * 2654435761u) >> 20 & (kCacheSize - 1);
  if (keys_[slot] != key) {
    keys_[slot] = key;
    answers_[slot] = Search(colour);
  }
  return answers_[slot];
}

uint8_t ColourMatcher::Search(platform::Rgb colour) const { return NearestColour(palette_, colour); }

}  // namespace zd
