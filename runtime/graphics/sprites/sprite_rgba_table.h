// The colours of a sprite as RGBA words ready to store, for decoding to RGBA: one word for each
// pixel value when the mask says solid (alpha 255) and one when it says transparent (alpha 0).
// A table is made once for a sprite, not for each row or pixel.
#pragma once

#include <array>
#include <cstdint>

#include "base/byte_view.h"
#include "graphics/sprites/sprite_format.h"

namespace zd {

// Entry v is pixel value v drawn solid, entry 256 + v the same colour transparent. Each word
// holds the bytes red, green, blue, alpha in memory order, whatever the machine's byte order.
struct SpriteRgbaTable {
  static constexpr size_t kTransparent = 256;
  std::array<uint32_t, 512> entries{};
};

// The table of direct drawing's colours for this sprite (its own palette, else the default table
// of its depth; see BuildColourHeader).
SpriteRgbaTable RgbaTableFor(ByteView sprite, const SpriteLayout& layout);

}  // namespace zd
