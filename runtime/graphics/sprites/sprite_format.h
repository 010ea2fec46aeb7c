// The RISC OS sprite format as titles carry it: sprite files, the sprite header, the screen
// modes that give a sprite its depth and pixel shape. Sprite data is untrusted: a sprite whose
// header does not fit its data is reported as such here, and nothing else looks at its pixels.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "base/byte_view.h"

namespace zd {

// Offsets in a sprite, from its first word (the offset to the next sprite).
namespace sprite_field {
constexpr size_t NEXT = 0, NAME = 4, WIDTH_WORDS = 16, HEIGHT_ROWS = 20, FIRST_BIT = 24,
                 LAST_BIT = 28, IMAGE = 32, MASK = 36, MODE = 40, PALETTE = 44;
}
constexpr size_t kSpriteHeaderSize = 44;
constexpr size_t kSpriteNameWidth = 12;

// A screen mode as sprites use it: bits per pixel, and the height / width of its screen in
// pixels, which gives the pixels their shape.
struct ScreenMode {
  int bitsPerPixel = 0;
  float aspect = 0;
};
// Modes 0 to 46 with a depth; nullopt for modes without one (22, 32), numbers above 46, and the
// later mode words that carry a sprite type in bits 27-30 or an alpha flag in bit 31.
std::optional<ScreenMode> ModeInfo(uint32_t modeWord);

// Where a sprite's rows lie. Holds only for sprites whose rows all fit in their data.
struct SpriteGeometry {
  size_t rowBytes = 0;     // (W + 1) words
  int rows = 0;            // H + 1
  size_t imageOffset = 0;
  size_t maskOffset = 0;
  bool hasMask = false;    // a mask offset equal to the image offset means no mask
  size_t dataBytes() const { return rowBytes * size_t(rows); }
};

// Why a sprite cannot be drawn.
enum class SpriteProblem {
  None,
  Truncated,        // the header, image or mask runs past the data
  BadOffsets,       // image or mask inside the header, or image and mask overlapping
  UnsupportedMode,  // no depth for this mode word
  BadWidth,         // first or last bit outside 0-31, or no visible pixel left
};
const char* SpriteProblemText(SpriteProblem problem);

// The rows of a sprite, when they fit its data (the mode is not looked at).
std::optional<SpriteGeometry> ReadSpriteGeometry(ByteView sprite, SpriteProblem* why = nullptr);

// Everything drawing needs to know about a sprite, checked against its data.
struct SpriteLayout {
  SpriteGeometry geometry;
  uint32_t widthWordsMinusOne = 0;  // W
  uint32_t firstBit = 0;            // FB: left wastage of every row
  uint32_t lastBit = 0;             // LB: last bit used in the last word of every row
  uint32_t modeWord = 0;
  ScreenMode mode;
  int headerWidth = 0;  // (W x 32 + LB + 1) / bpp: the row's pixels, wastage columns included
  int wastage = 0;      // FB / bpp: the columns never shown
  int pixelWidth = 0;   // ((W + 1) x 32 - FB - (31 - LB)) / bpp: the columns shown
  int paletteEntries = 0;  // (image offset - 44) / 8 entries of two words

  int height() const { return geometry.rows; }
  int bitsPerPixel() const { return mode.bitsPerPixel; }
};
std::optional<SpriteLayout> ReadSpriteLayout(ByteView sprite, SpriteProblem* why = nullptr);

// The first word of palette entry i (its second word, the flash colour, is never used).
uint32_t PaletteWord(ByteView sprite, int i);

std::string SpriteName(ByteView sprite);

// Sprite files (a sprite area without its size word). The sprites of a file, from the one the
// header points at, each running to the offset its first word gives: the sprite's bytes from its
// first word, cut to the file. Counting stops at a sprite that leaves the file, so a file whose
// offsets lie yields fewer sprites, never bytes outside it.
std::vector<ByteView> SpritesOfFile(ByteView file, int limit = 0x7FFFFFFF);
// Sprite `index` (0 for the first) of a file.
std::optional<ByteView> SpriteOfFile(ByteView file, int index);

}  // namespace zd
