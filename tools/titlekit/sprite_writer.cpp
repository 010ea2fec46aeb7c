#include "titlekit/sprite_writer.h"

#include <algorithm>

namespace zd::titlekit {
namespace {

void PutWord(Bytes& out, size_t at, uint32_t v) {
  for (int i = 0; i < 4; ++i) out[at + size_t(i)] = static_cast<char>(v >> (8 * i));
}

}  // namespace

Bytes WriteSprite(const SpritePicture& p) {
  const int bpp = p.bitsPerPixel;
  const size_t rowBits = size_t(p.width) * size_t(bpp);
  const size_t rowBytes = (rowBits + 31) / 32 * 4;
  const size_t rows = size_t(p.height);
  const size_t image = 44 + p.palette.size() * 8;
  const bool masked = !p.solid.empty();
  const size_t mask = masked ? image + rowBytes * rows : image;
  Bytes out(image + rowBytes * rows * (masked ? 2 : 1), '\0');
  PutWord(out, 16, uint32_t(rowBytes / 4 - 1));
  PutWord(out, 20, uint32_t(rows - 1));
  PutWord(out, 24, 0);
  PutWord(out, 28, uint32_t((rowBits - 1) % 32));
  PutWord(out, 32, uint32_t(image));
  PutWord(out, 36, uint32_t(mask));
  PutWord(out, 40, p.mode);
  std::copy_n(p.name.begin(), std::min<size_t>(p.name.size(), 12), out.begin() + 4);
  for (size_t i = 0; i < p.palette.size(); ++i) {
    PutWord(out, 44 + 8 * i, p.palette[i]);
    PutWord(out, 48 + 8 * i, p.palette[i]);  // the flash colour, never used, the same
  }
  const uint8_t all = static_cast<uint8_t>((1 << bpp) - 1);
  for (size_t y = 0; y < rows; ++y) {
    for (size_t x = 0; x < size_t(p.width); ++x) {
      const size_t i = y * size_t(p.width) + x;
      const bool shows = !masked || p.solid[i];
      const size_t bit = x * size_t(bpp);
      const size_t at = y * rowBytes + bit / 8;
      const int shift = int(bit % 8);
      if (shows) out[image + at] = char(uint8_t(out[image + at]) | ((p.pixels[i] & all) << shift));
      if (masked && shows) out[mask + at] = char(uint8_t(out[mask + at]) | (all << shift));
    }
  }
  return BareSprite(out);
}

Bytes BareSprite(std::string_view sprite) {
  Bytes out(sprite);
  if (out.size() < kSmallestBareSprite) out.resize(kSmallestBareSprite, '\0');
  PutWord(out, 0, uint32_t(out.size()));
  return out;
}

}  // namespace zd::titlekit
