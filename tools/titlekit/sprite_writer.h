// Writing sprites: pixel values packed the RISC OS way (leftmost pixel in the low bits, rows
// padded to whole words), with an optional mask and palette, as one bare sprite that a title
// resource can hold.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "titlekit/title_model.h"

namespace zd::titlekit {

struct SpritePicture {
  std::string name;               // at most 12 bytes are kept
  uint32_t mode = 28;
  int bitsPerPixel = 8;           // the depth of `mode`
  int width = 0, height = 0;
  std::vector<uint8_t> pixels;    // width x height values, rows top-down
  std::vector<uint8_t> solid;     // empty: no mask; else 1 where the pixel shows
  std::vector<uint32_t> palette;  // palette words 0xBBGGRR00; empty: none
};

// The smallest length a bare sprite resource may have: the player takes a resource whose first
// word is below 65 for a sprite file, so a shorter sprite is padded with zeros to this length
// and its first word (the offset to the next sprite) counts the padding.
constexpr size_t kSmallestBareSprite = 68;

// The sprite from its first word; transparent pixels are written as 0.
Bytes WriteSprite(const SpritePicture& picture);

// A sprite taken out of other bytes made into a bare resource: its first word set to its
// length, padded to kSmallestBareSprite.
Bytes BareSprite(std::string_view sprite);

}  // namespace zd::titlekit
