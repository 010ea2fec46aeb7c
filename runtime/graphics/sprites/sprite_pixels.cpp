#include "graphics/sprites/sprite_pixels.h"

#include <algorithm>
#include <array>
#include <cstring>

namespace zd {
namespace {

std::array<uint8_t, 256> ReversalTable(int bitsPerPixel) {
  std::array<uint8_t, 256> table{};
  const int perByte = 8 / bitsPerPixel;
  const int mask = (1 << bitsPerPixel) - 1;
  for (int b = 0; b < 256; ++b) {
    int out = 0;
    for (int p = 0; p < perByte; ++p) {
      const int pixel = (b >> (p * bitsPerPixel)) & mask;
      out |= pixel << ((perByte - 1 - p) * bitsPerPixel);
    }
    table[size_t(b)] = static_cast<uint8_t>(out);
  }
  return table;
}

const std::array<uint8_t, 256>& Reversal(int bitsPerPixel) {
  static const std::array<uint8_t, 256> one = ReversalTable(1), two = ReversalTable(2),
                                        four = ReversalTable(4);
  return bitsPerPixel == 1 ? one : bitsPerPixel == 2 ? two : four;
}

}  // namespace

void ReversePixelOrder(std::span<uint8_t> bytes, int bitsPerPixel) {
  if (bitsPerPixel != 1 && bitsPerPixel != 2 && bitsPerPixel != 4) return;
  const auto& table = Reversal(bitsPerPixel);
  for (uint8_t& b : bytes) b = table[b];
}

WidenedRows WidenTwoBitRows(ByteView rows, size_t rowBytes, int rowCount, int pixels) {
  WidenedRows out;
  if (pixels <= 0 || rowCount <= 0 || !rows.Contains(0, rowBytes * size_t(rowCount))) return out;
  const uint64_t bits = uint64_t(pixels) * 4;
  out.widthWordsMinusOne = uint32_t((bits - 1) / 32);
  out.lastBit = uint32_t((bits - 1) % 32);
  out.stride = size_t(out.widthWordsMinusOne + 1) * 4;
  out.bytes.assign(out.stride * size_t(rowCount), 0);
  // Each source byte feeds two widened bytes; only as many as the widened row holds are used.
  const size_t sourceBytes = std::min(rowBytes, (out.stride + 1) / 2);
  const uint8_t* in = rows.data();
  for (int y = 0; y < rowCount; ++y) {
    const uint8_t* src = in + size_t(y) * rowBytes;
    uint8_t* dst = out.bytes.data() + size_t(y) * out.stride;
    for (size_t i = 0; i < sourceBytes; ++i) {
      const uint8_t b = src[i];
      dst[2 * i] = static_cast<uint8_t>(((b >> 6) & 3) << 4 | ((b >> 4) & 3));
      if (2 * i + 1 < out.stride) {
        dst[2 * i + 1] = static_cast<uint8_t>(((b >> 2) & 3) << 4 | (b & 3));
      }
    }
  }
  return out;
}

bool PrepareSprite(std::span<uint8_t> sprite) {
  const auto g = ReadSpriteGeometry(ByteView(sprite.data(), sprite.size()));
  if (!g) return false;
  // The geometry lies inside the data, so every row below does.
  uint8_t* image = sprite.data() + g->imageOffset;
  uint8_t* mask = g->hasMask ? sprite.data() + g->maskOffset : nullptr;
  const size_t n = g->rowBytes;
  const auto row = [n](uint8_t* base, int y) { return base + size_t(y) * n; };
  const auto andMask = [n](uint8_t* imageRow, const uint8_t* maskRow) {
    for (size_t i = 0; i < n; ++i) imageRow[i] &= maskRow[i];
  };
  for (int top = 0, bottom = g->rows - 1; top <= bottom; ++top, --bottom) {
    if (top < bottom) {
      std::swap_ranges(row(image, top), row(image, top) + n, row(image, bottom));
      if (mask) std::swap_ranges(row(mask, top), row(mask, top) + n, row(mask, bottom));
    }
    if (mask) {
      andMask(row(image, top), row(mask, top));
      if (top < bottom) andMask(row(image, bottom), row(mask, bottom));
    }
  }
  return true;
}

SpritePass MakeSpritePass(ByteView sprite, const SpriteLayout& layout, bool mask, bool prepared) {
  SpritePass pass;
  const SpriteGeometry& g = layout.geometry;
  const size_t offset = mask ? g.maskOffset : g.imageOffset;
  const auto data = sprite.Sub(offset, g.dataBytes());
  if (!data) return pass;
  const int bpp = layout.bitsPerPixel();
  pass.bitmap.width = layout.headerWidth;
  pass.bitmap.height = g.rows;
  pass.bitmap.bottomUp = prepared;
  if (bpp == 8) {
    pass.bitmap.bits = *data;
    pass.bitmap.stride = g.rowBytes;
    pass.bitmap.bitsPerPixel = 8;
    return pass;
  }
  pass.buffer.assign(data->data(), data->data() + data->size());
  ReversePixelOrder(pass.buffer, bpp);
  if (bpp == 2) {
    WidenedRows wide = WidenTwoBitRows(ByteView(pass.buffer.data(), pass.buffer.size()),
                                       g.rowBytes, g.rows, layout.headerWidth);
    pass.buffer = std::move(wide.bytes);
    pass.bitmap.stride = wide.stride;
    pass.bitmap.bitsPerPixel = 4;
  } else {
    pass.bitmap.stride = g.rowBytes;
    pass.bitmap.bitsPerPixel = bpp;
  }
  pass.bitmap.bits = ByteView(pass.buffer.data(), pass.buffer.size());
  return pass;
}

}  // namespace zd
