// The toolbox icon's picture: 32x32 straight-alpha RGBA shown over the page. It is the first
// sprite of "TOOLICON.PNT" stretched into the square in the title's colours, or, when there is
// no such file or it cannot be drawn, the player's own little toolbox.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "base/byte_view.h"
#include "graphics/colour_match.h"

namespace zd {

constexpr int kToolboxIconSide = 32;

// kToolboxIconSide squared pixels of R, G, B, A, rows top-down.
using IconPixels = std::vector<uint8_t>;

// The first sprite of a sprite file stretched into the square, in the matcher's palette; its
// masked-out pixels are transparent. nullopt when the file has no sprite that can be drawn.
std::optional<IconPixels> IconFromSpriteFile(ByteView file, const ColourMatcher& colours);

// The player's own icon: a red toolbox with a handle.
IconPixels BuiltInToolboxIcon();

}  // namespace zd
