// Windows icon files made in the tests, so that no icon of any other program is needed.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace zd::install::test {

inline void PutU16(std::string& out, uint32_t v) {
  out += char(v & 0xFF);
  out += char((v >> 8) & 0xFF);
}
inline void PutU32(std::string& out, uint32_t v) {
  PutU16(out, v & 0xFFFF);
  PutU16(out, v >> 16);
}

struct IconImage {
  int width = 0, height = 0, bits = 0;
  std::string data;  // what the directory entry points at
};

// A bitmap picture: `colour(x, y)` gives a palette index (bits <= 8) or 0xAARRGGBB, `clear(x, y)`
// sets the mask bit (transparent). y counts from the top.
inline IconImage BitmapIcon(int w, int h, int bits, const std::vector<uint32_t>& palette,
                            const std::function<uint32_t(int, int)>& colour,
                            const std::function<bool(int, int)>& clear) {
  IconImage image{w, h, bits, {}};
  std::string& d = image.data;
  PutU32(d, 40);
  PutU32(d, uint32_t(w));
  PutU32(d, uint32_t(h * 2));
  PutU16(d, 1);
  PutU16(d, uint32_t(bits));
  // Compression, image size, resolutions, colours used, colours important.
  for (int i = 0; i < 6; ++i) PutU32(d, i == 4 ? uint32_t(palette.size()) : 0);
  for (uint32_t entry : palette) PutU32(d, entry);  // 0x00RRGGBB is stored B, G, R, 0
  const size_t stride = ((size_t(w) * bits + 31) / 32) * 4;
  for (int y = h - 1; y >= 0; --y) {
    std::string row(stride, '\0');
    for (int x = 0; x < w; ++x) {
      const uint32_t c = colour(x, y);
      if (bits <= 8) {
        const size_t bit = size_t(x) * bits;
        row[bit / 8] = char(uint8_t(row[bit / 8]) | (c << (8 - bits - bit % 8)));
      } else {
        for (int k = 0; k < bits / 8; ++k) row[size_t(x) * (bits / 8) + k] = char((c >> (8 * k)) & 0xFF);
      }
    }
    d += row;
  }
  const size_t maskStride = ((size_t(w) + 31) / 32) * 4;
  for (int y = h - 1; y >= 0; --y) {
    std::string row(maskStride, '\0');
    for (int x = 0; x < w; ++x) {
      if (clear(x, y)) row[x / 8] = char(uint8_t(row[x / 8]) | (0x80 >> (x % 8)));
    }
    d += row;
  }
  return image;
}

inline std::string IconFile(const std::vector<IconImage>& images) {
  std::string out;
  PutU16(out, 0);
  PutU16(out, 1);
  PutU16(out, uint32_t(images.size()));
  uint32_t offset = 6 + 16 * uint32_t(images.size());
  for (const IconImage& image : images) {
    out += char(image.width >= 256 ? 0 : image.width);
    out += char(image.height >= 256 ? 0 : image.height);
    out += '\0';
    out += '\0';
    PutU16(out, 1);
    PutU16(out, uint32_t(image.bits));
    PutU32(out, uint32_t(image.data.size()));
    PutU32(out, offset);
    offset += uint32_t(image.data.size());
  }
  for (const IconImage& image : images) out += image.data;
  return out;
}

// A small two-picture icon: 16x16 at 4 bits (red, its top row clear) and 32x32 at 24 bits
// (blue, its left half clear).
inline std::string SampleIcon() {
  return IconFile({BitmapIcon(16, 16, 4, {0x000000, 0xFF0000}, [](int, int) { return 1u; },
                              [](int, int y) { return y == 0; }),
                   BitmapIcon(32, 32, 24, {}, [](int, int) { return 0x0000FFu; },
                              [](int x, int) { return x < 16; })});
}

}  // namespace zd::install::test
