// A sprite as a true-colour picture with alpha, in the colours of direct drawing (its own
// palette, else the default table of its depth; the 8-bit rule for 8 bits): what the player's
// stretched drawing shows before the colours meet the title palette. The tools export sprites
// with it; the mask becomes alpha (0 where transparent, 255 where solid).
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "base/byte_view.h"
#include "graphics/sprites/sprite_format.h"

namespace zd {

struct RgbaPicture {
  int width = 0;
  int height = 0;
  std::vector<uint8_t> rgba;  // 4 bytes a pixel, rows top-down
};

// The shown pixels only (no wastage columns). nullopt, with the reason, for a sprite that
// cannot be drawn. `prepared`: the rows are bottom-up already (PrepareSprite has run).
std::optional<RgbaPicture> DecodeSpriteRgba(ByteView sprite, bool prepared = false,
                                            SpriteProblem* why = nullptr);

}  // namespace zd
