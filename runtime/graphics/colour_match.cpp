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

uint8_t ColourMatcher::Search(platform::Rgb colour) const {
  int best = 0;
  int bestDistance = 0x7FFFFFFF;
  for (int i = 0; i < 256; ++i) {
    const int dr = palette_[i].r - colour.r, dg = palette_[i].g - colour.g,
              db = palette_[i].b - colour.b;
    const int distance = dr * dr + dg * dg + db * db;
    if (distance < bestDistance) {
      best = i;
      bestDistance = distance;
      if (distance == 0) break;
    }
  }
  return static_cast<uint8_t>(best);
}

}  // namespace zd
