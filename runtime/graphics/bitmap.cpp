#include "graphics/bitmap.h"

#include <cstring>

namespace zd {

IndexMap IdentityIndexMap() {
  IndexMap map;
  for (int i = 0; i < 256; ++i) map[i] = static_cast<uint8_t>(i);
  return map;
}

IndexMap MatchColours(const platform::Rgb* colours, int count, const ColourMatcher& matcher) {
  IndexMap map{};
  for (int i = 0; i < count && i < 256; ++i) map[i] = matcher.Nearest(colours[i]);
  return map;
}

bool PackedBitmap::Valid() const {
  if (bitsPerPixel != 1 && bitsPerPixel != 4 && bitsPerPixel != 8) return false;
  if (width <= 0 || height <= 0 || bits.data() == nullptr) return false;
  const uint64_t rowBits = uint64_t(width) * uint64_t(bitsPerPixel);
  if (uint64_t(stride) * 8 < rowBits) return false;
  // The last row needs only its used bytes; every row before it needs its whole stride.
  const uint64_t needed = uint64_t(stride) * uint64_t(height - 1) + (rowBits + 7) / 8;
  return needed <= bits.size();
}

bool IsIdentity(const IndexMap& map) {
  for (int i = 0; i < 256; ++i) {
    if (map[size_t(i)] != i) return false;
  }
  return true;
}

void UnpackRow(const PackedBitmap& bitmap, int y, int x, int count, const IndexMap& map,
               uint8_t* out) {
  const uint8_t* row = bitmap.Row(y);
  switch (bitmap.bitsPerPixel) {
    case 8: {
      const uint8_t* in = row + x;
      if (IsIdentity(map)) {
        std::memcpy(out, in, size_t(count));
        break;
      }
      // A copy of the map that the stores to `out` cannot touch, so it stays in place.
      IndexMap local = map;
      for (int i = 0; i < count; ++i) out[i] = local[in[i]];
      break;
    }
    case 4: {
      int i = 0;
      int px = x;
      if (count > 0 && (px & 1)) out[i++] = map[row[px++ >> 1] & 0x0F];
      for (; i + 1 < count; i += 2, px += 2) {
        const uint8_t b = row[px >> 1];
        out[i] = map[b >> 4];
        out[i + 1] = map[b & 0x0F];
      }
      if (i < count) out[i] = map[row[px >> 1] >> 4];
      break;
    }
    case 1: {
      for (int i = 0; i < count; ++i) {
        const int px = x + i;
        out[i] = map[(row[px >> 3] >> (7 - (px & 7))) & 1];
      }
      break;
    }
    default: break;
  }
}

IndexBitmap MakeIndexBitmap(const PackedBitmap& bitmap, const IndexMap& map, int x, int width,
                            std::vector<uint8_t> storage) {
  IndexBitmap out;
  if (!bitmap.Valid() || x < 0 || width <= 0 || x > bitmap.width - width) return out;
  out.width = width;
  out.height = bitmap.height;
  out.pixels = std::move(storage);
  out.pixels.resize(size_t(width) * size_t(bitmap.height));
  for (int y = 0; y < bitmap.height; ++y) UnpackRow(bitmap, y, x, width, map, out.Row(y));
  return out;
}

}  // namespace zd
