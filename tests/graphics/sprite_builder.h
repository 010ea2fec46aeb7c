// Sprites made by hand for the tests: pixels given row by row, leftmost first, packed the way
// RISC OS packs them (leftmost pixel in the low bits), with left wastage, a mask and a palette
// as asked. Independent of the title tools' encoder, so each checks the other.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace zd::test {

struct SpriteDescription {
  uint32_t mode = 28;
  int bpp = 8;                               // the depth of `mode`
  std::vector<std::vector<int>> pixels;      // rows top-down, the shown pixels
  std::vector<std::vector<int>> mask;        // same size, 1 solid, 0 transparent; empty: none
  std::vector<uint32_t> palette;             // palette words (each written twice)
  int firstBit = 0;                          // left wastage in bits
  int wastageValue = 0;                      // the value of every wastage pixel
  std::string name = "test";
};

inline void PutWord(std::vector<uint8_t>& out, size_t at, uint32_t v) {
  for (int i = 0; i < 4; ++i) out[at + size_t(i)] = uint8_t(v >> (8 * i));
}

inline std::vector<uint8_t> MakeSprite(const SpriteDescription& s) {
  const int width = s.pixels.empty() ? 0 : int(s.pixels[0].size());
  const int rows = int(s.pixels.size());
  const int bits = s.firstBit + width * s.bpp;
  const int words = (bits + 31) / 32;
  const size_t rowBytes = size_t(words) * 4;
  const size_t paletteBytes = s.palette.size() * 8;
  const size_t image = 44 + paletteBytes;
  const size_t mask = s.mask.empty() ? image : image + rowBytes * size_t(rows);
  const size_t total = (s.mask.empty() ? image : mask) + rowBytes * size_t(rows);
  std::vector<uint8_t> out(total, 0);
  PutWord(out, 0, uint32_t(total));
  for (size_t i = 0; i < s.name.size() && i < 12; ++i) out[4 + i] = uint8_t(s.name[i]);
  PutWord(out, 16, uint32_t(words - 1));
  PutWord(out, 20, uint32_t(rows - 1));
  PutWord(out, 24, uint32_t(s.firstBit));
  PutWord(out, 28, uint32_t((bits - 1) % 32));
  PutWord(out, 32, uint32_t(image));
  PutWord(out, 36, uint32_t(mask));
  PutWord(out, 40, s.mode);
  for (size_t i = 0; i < s.palette.size(); ++i) {
    PutWord(out, 44 + 8 * i, s.palette[i]);
    PutWord(out, 48 + 8 * i, s.palette[i]);
  }
  const auto pack = [&](size_t base, const std::vector<std::vector<int>>& data, bool isMask) {
    for (int y = 0; y < rows; ++y) {
      for (int x = -s.firstBit / s.bpp; x < width; ++x) {
        int v = x < 0 ? (isMask ? 0 : s.wastageValue) : data[size_t(y)][size_t(x)];
        if (isMask && v) v = (1 << s.bpp) - 1;
        const int bit = s.firstBit + x * s.bpp;
        out[base + size_t(y) * rowBytes + size_t(bit / 8)] |= uint8_t(v << (bit % 8));
      }
    }
  };
  pack(image, s.pixels, false);
  if (!s.mask.empty()) pack(mask, s.mask, true);
  return out;
}

// A sprite file (a sprite area without its size word) holding the given sprites.
inline std::vector<uint8_t> MakeSpriteFile(const std::vector<std::vector<uint8_t>>& sprites) {
  std::vector<uint8_t> out(12, 0);
  for (const auto& s : sprites) out.insert(out.end(), s.begin(), s.end());
  PutWord(out, 0, uint32_t(sprites.size()));
  PutWord(out, 4, 16);
  PutWord(out, 8, uint32_t(out.size() + 4));
  return out;
}

// Rows of one value.
inline std::vector<std::vector<int>> Rows(int width, int height, int value) {
  return std::vector<std::vector<int>>(size_t(height), std::vector<int>(size_t(width), value));
}

}  // namespace zd::test
