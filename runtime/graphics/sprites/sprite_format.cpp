#include "graphics/sprites/sprite_format.h"

#include <algorithm>
#include <array>

namespace zd {
namespace {

// Depth and aspect of modes 0 to 46, single precision as the player always held them.
constexpr std::array<ScreenMode, 47> kModes = {{
    {1, 0.4f},    {2, 0.8f},    {4, 1.6f},    {1, 0.0f},    {1, 0.8f},    {2, 1.6f},
    {1, 0.0f},    {4, 0.0f},    {2, 0.4f},    {4, 0.8f},    {8, 1.6f},    {2, 0.3906f},
    {4, 0.4f},    {8, 0.8f},    {4, 0.3906f}, {8, 0.4f},    {4, 0.2424f}, {4, 0.2367f},
    {1, 0.8f},    {2, 0.8f},    {4, 0.8f},    {8, 0.8f},    {0, 0.0f},    {1, 0.7778f},
    {8, 0.2424f}, {1, 0.75f},   {2, 0.75f},   {4, 0.75f},   {8, 0.75f},   {1, 0.75f},
    {2, 0.75f},   {4, 0.75f},   {0, 0.0f},    {1, 0.375f},  {2, 0.375f},  {4, 0.375f},
    {8, 0.375f},  {1, 0.3929f}, {2, 0.3929f}, {4, 0.3929f}, {8, 0.3929f}, {1, 0.55f},
    {2, 0.55f},   {4, 0.55f},   {1, 0.3125f}, {2, 0.3125f}, {4, 0.3125f},
}};

uint32_t Word(ByteView v, size_t offset) { return v.U32(offset).value_or(0); }

bool Fail(SpriteProblem* why, SpriteProblem problem) {
  if (why) *why = problem;
  return false;
}

}  // namespace

std::optional<ScreenMode> ModeInfo(uint32_t modeWord) {
  // Later mode words (a type in bits 27-30, alpha in bit 31) are all far above 46.
  if (modeWord >= kModes.size() || kModes[modeWord].bitsPerPixel == 0) return std::nullopt;
  return kModes[modeWord];
}

const char* SpriteProblemText(SpriteProblem problem) {
  switch (problem) {
    case SpriteProblem::None: return "no problem";
    case SpriteProblem::Truncated: return "its header, image or mask runs past its data";
    case SpriteProblem::BadOffsets: return "its image or mask offset points into the header or "
                                           "the two overlap";
    case SpriteProblem::UnsupportedMode: return "its mode has no depth the player draws";
    case SpriteProblem::BadWidth: return "its first and last bits leave no pixel to show";
  }
  return "unknown problem";
}

std::optional<SpriteGeometry> ReadSpriteGeometry(ByteView sprite, SpriteProblem* why) {
  if (why) *why = SpriteProblem::None;
  if (sprite.size() < kSpriteHeaderSize) {
    Fail(why, SpriteProblem::Truncated);
    return std::nullopt;
  }
  const uint64_t words = uint64_t(Word(sprite, sprite_field::WIDTH_WORDS)) + 1;
  const uint64_t rows = uint64_t(Word(sprite, sprite_field::HEIGHT_ROWS)) + 1;
  const uint64_t image = Word(sprite, sprite_field::IMAGE);
  const uint64_t mask = Word(sprite, sprite_field::MASK);
  const bool hasMask = mask != image;
  if (image < kSpriteHeaderSize || (hasMask && mask < kSpriteHeaderSize)) {
    Fail(why, SpriteProblem::BadOffsets);
    return std::nullopt;
  }
  // A row or a row count larger than the data cannot fit; past that check the product of the
  // two cannot overflow.
  if (words * 4 > sprite.size() || rows > sprite.size()) {
    Fail(why, SpriteProblem::Truncated);
    return std::nullopt;
  }
  const uint64_t bytes = words * 4 * rows;
  if (!sprite.Contains(image, bytes) || (hasMask && !sprite.Contains(mask, bytes))) {
    Fail(why, SpriteProblem::Truncated);
    return std::nullopt;
  }
  if (hasMask && image < mask + bytes && mask < image + bytes) {
    Fail(why, SpriteProblem::BadOffsets);
    return std::nullopt;
  }
  SpriteGeometry g;
  g.rowBytes = size_t(words * 4);
  g.rows = int(rows);
  g.imageOffset = size_t(image);
  g.maskOffset = size_t(mask);
  g.hasMask = hasMask;
  return g;
}

std::optional<SpriteLayout> ReadSpriteLayout(ByteView sprite, SpriteProblem* why) {
  // The mode comes first: the rows of later sprite types (deeper pixels, 1-bit masks) do not
  // follow this layout, so their offsets say nothing about their data.
  const auto mode = ModeInfo(Word(sprite, sprite_field::MODE));
  if (sprite.size() >= kSpriteHeaderSize && !mode) {
    Fail(why, SpriteProblem::UnsupportedMode);
    return std::nullopt;
  }
  const auto geometry = ReadSpriteGeometry(sprite, why);
  if (!geometry) return std::nullopt;
  SpriteLayout l;
  l.geometry = *geometry;
  l.modeWord = Word(sprite, sprite_field::MODE);
  l.mode = *mode;
  l.widthWordsMinusOne = Word(sprite, sprite_field::WIDTH_WORDS);
  l.firstBit = Word(sprite, sprite_field::FIRST_BIT);
  l.lastBit = Word(sprite, sprite_field::LAST_BIT);
  if (l.firstBit > 31 || l.lastBit > 31) {
    Fail(why, SpriteProblem::BadWidth);
    return std::nullopt;
  }
  const int bpp = l.mode.bitsPerPixel;
  // A row wider than 2^31 pixels (only possible in data of hundreds of megabytes) is refused
  // rather than wrapped.
  const int64_t rowBits = int64_t(l.widthWordsMinusOne) * 32 + l.lastBit + 1;
  const int64_t shownBits = rowBits - l.firstBit;
  if (shownBits < bpp || rowBits / bpp > 0x7FFFFFFF) {
    Fail(why, SpriteProblem::BadWidth);
    return std::nullopt;
  }
  l.headerWidth = int(rowBits / bpp);
  l.wastage = int(l.firstBit) / bpp;
  l.pixelWidth = int(shownBits / bpp);
  l.paletteEntries = int((geometry->imageOffset - kSpriteHeaderSize) / 8);
  return l;
}

uint32_t PaletteWord(ByteView sprite, int i) {
  return i < 0 ? 0 : Word(sprite, sprite_field::PALETTE + size_t(i) * 8);
}

std::string SpriteName(ByteView sprite) {
  return sprite.FixedText(sprite_field::NAME, kSpriteNameWidth).value_or("");
}

std::vector<ByteView> SpritesOfFile(ByteView file, int limit) {
  std::vector<ByteView> sprites;
  const auto count = file.U32(0);
  const auto first = file.U32(4);
  if (!count || !first || *first < 4 || limit <= 0) return sprites;
  size_t pos = size_t(*first) - 4;
  while (int(sprites.size()) < limit) {
    const auto next = file.U32(pos);
    if (!next) break;
    sprites.push_back(*file.Sub(pos, std::min<size_t>(*next, file.size() - pos)));
    // Only the first sprite is taken whatever the count says; the others need it.
    if (sprites.size() >= *count || *next < kSpriteHeaderSize || !file.Contains(pos, *next)) break;
    pos += *next;
  }
  return sprites;
}

std::optional<ByteView> SpriteOfFile(ByteView file, int index) {
  if (index < 0) return std::nullopt;
  const auto sprites = SpritesOfFile(file, index + 1);
  if (int(sprites.size()) <= index) return std::nullopt;
  return sprites[size_t(index)];
}

}  // namespace zd
