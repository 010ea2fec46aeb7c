#include "graphics/sprites/sprite_decode.h"

#include <cstring>

#include "graphics/sprites/sprite_rgba_table.h"

namespace zd {
namespace {

// Where the rows of one sprite lie and which of their pixels are shown.
struct RowSource {
  const uint8_t* image = nullptr;
  const uint8_t* mask = nullptr;  // null: every pixel solid
  size_t rowBytes = 0;
  int rows = 0;
  bool bottomUp = false;
  int firstPixel = 0;  // the wastage columns are skipped
  int width = 0;
};

inline void Store(uint8_t* out, uint32_t rgba) { std::memcpy(out, &rgba, 4); }

// One row in a single pass over image and mask together: every pixel value and its mask value
// are read straight from the sprite's bytes (leftmost pixel in the low bits) and looked up in
// the table, solid or transparent. Whole bytes go through an unrolled loop of shifts; only the
// pixels before the first whole byte and after the last are taken one at a time.
template <int Bpp, bool Masked>
void DecodeRow(const uint8_t* image, const uint8_t* mask, int firstPixel, int width,
               const uint32_t* table, uint8_t* out) {
  constexpr int kPerByte = 8 / Bpp;
  constexpr unsigned kValue = (1u << Bpp) - 1;
  const auto pixel = [&](int px) {
    const int bit = px * Bpp;
    const unsigned v = (unsigned(image[bit >> 3]) >> (bit & 7)) & kValue;
    if constexpr (!Masked) return table[v];
    const bool solid = ((unsigned(mask[bit >> 3]) >> (bit & 7)) & kValue) != 0;
    return table[v + (solid ? 0 : SpriteRgbaTable::kTransparent)];
  };
  int px = firstPixel;
  const int end = firstPixel + width;
  while (px < end && px % kPerByte != 0) {
    Store(out, pixel(px++));
    out += 4;
  }
  for (; px + kPerByte <= end; px += kPerByte) {
    const unsigned b = image[px / kPerByte];
    const unsigned m = Masked ? mask[px / kPerByte] : 0;
    for (int k = 0; k < kPerByte; ++k) {
      const unsigned v = (b >> (k * Bpp)) & kValue;
      size_t index = v;
      if constexpr (Masked) {
        if (((m >> (k * Bpp)) & kValue) == 0) index += SpriteRgbaTable::kTransparent;
      }
      Store(out, table[index]);
      out += 4;
    }
  }
  while (px < end) {
    Store(out, pixel(px++));
    out += 4;
  }
}

template <int Bpp, bool Masked>
void DecodeRows(const RowSource& s, const uint32_t* table, uint8_t* out) {
  const size_t outStride = size_t(s.width) * 4;
  for (int y = 0; y < s.rows; ++y) {
    const size_t stored = size_t(s.bottomUp ? s.rows - 1 - y : y);
    const uint8_t* image = s.image + stored * s.rowBytes;
    const uint8_t* mask = Masked ? s.mask + stored * s.rowBytes : nullptr;
    DecodeRow<Bpp, Masked>(image, mask, s.firstPixel, s.width, table,
                           out + size_t(y) * outStride);
  }
}

template <int Bpp>
void DecodeDepth(const RowSource& s, const uint32_t* table, uint8_t* out) {
  if (s.mask) {
    DecodeRows<Bpp, true>(s, table, out);
  } else {
    DecodeRows<Bpp, false>(s, table, out);
  }
}

}  // namespace

std::optional<RgbaPicture> DecodeSpriteRgba(ByteView sprite, bool prepared, SpriteProblem* why) {
  const auto layout = ReadSpriteLayout(sprite, why);
  if (!layout) return std::nullopt;
  const SpriteGeometry& g = layout->geometry;
  // The layout has checked that the rows fit; a view that says otherwise is refused all the same.
  const auto image = sprite.Sub(g.imageOffset, g.dataBytes());
  const auto mask = g.hasMask ? sprite.Sub(g.maskOffset, g.dataBytes()) : image;
  if (!image || !mask) {
    if (why) *why = SpriteProblem::Truncated;
    return std::nullopt;
  }
  RowSource source;
  source.image = image->data();
  source.mask = g.hasMask ? mask->data() : nullptr;
  source.rowBytes = g.rowBytes;
  source.rows = g.rows;
  source.bottomUp = prepared;
  source.firstPixel = layout->wastage;
  source.width = layout->pixelWidth;

  RgbaPicture picture;
  picture.width = layout->pixelWidth;
  picture.height = layout->height();
  picture.rgba.resize(size_t(picture.width) * size_t(picture.height) * 4);
  const SpriteRgbaTable colours = RgbaTableFor(sprite, *layout);
  const uint32_t* table = colours.entries.data();
  uint8_t* out = picture.rgba.data();
  switch (layout->bitsPerPixel()) {
    case 1: DecodeDepth<1>(source, table, out); break;
    case 2: DecodeDepth<2>(source, table, out); break;
    case 4: DecodeDepth<4>(source, table, out); break;
    default: DecodeDepth<8>(source, table, out); break;
  }
  return picture;
}

}  // namespace zd
