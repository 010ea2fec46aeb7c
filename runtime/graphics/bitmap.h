// Bitmaps that are drawn onto the canvas: packed bits as a device-independent bitmap holds them
// (1, 4 or 8 bits per pixel, leftmost pixel in the high bits, rows padded as the caller says),
// and bitmaps of palette indices, the form a bitmap takes once made for a 256-colour display.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "base/byte_view.h"
#include "graphics/colour_match.h"

namespace zd {

// Pixel value to title-palette index: a bitmap's colour table after matching to the palette.
using IndexMap = std::array<uint8_t, 256>;
IndexMap IdentityIndexMap();
bool IsIdentity(const IndexMap& map);
// Matches each colour of a table; values beyond the table map to index 0.
IndexMap MatchColours(const platform::Rgb* colours, int count, const ColourMatcher& matcher);

struct PackedBitmap {
  ByteView bits;
  int width = 0;
  int height = 0;
  size_t stride = 0;       // bytes from one row to the next
  int bitsPerPixel = 8;    // 1, 4 or 8
  bool bottomUp = false;   // the first row in memory is the bottom row of the picture

  // True when the depth is drawable and every row lies inside `bits`.
  bool Valid() const;
  // Row y of the picture (0 at the top), as a pointer into `bits`; only for valid bitmaps.
  const uint8_t* Row(int y) const {
    const int stored = bottomUp ? height - 1 - y : y;
    return bits.data() + size_t(stored) * stride;
  }
};

// Indices of `count` pixels of picture row y, from column x on, through `map`. The bitmap is
// valid and the pixels lie inside it.
void UnpackRow(const PackedBitmap& bitmap, int y, int x, int count, const IndexMap& map,
               uint8_t* out);

struct IndexBitmap {
  int width = 0;
  int height = 0;
  std::vector<uint8_t> pixels;  // width bytes a row, rows top-down

  const uint8_t* Row(int y) const { return pixels.data() + size_t(y) * size_t(width); }
  uint8_t* Row(int y) { return pixels.data() + size_t(y) * size_t(width); }
};

// The columns [x, x + width) of a packed bitmap as palette indices: what creating a device
// bitmap from packed bits and a colour table gives on a 256-colour display. The pixels go into
// `storage` (its memory is reused when it is large enough).
IndexBitmap MakeIndexBitmap(const PackedBitmap& bitmap, const IndexMap& map, int x, int width,
                            std::vector<uint8_t> storage = {});

}  // namespace zd
