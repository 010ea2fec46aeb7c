// Sprite pixel data as the drawing code needs it: the load-time preparation of page sprites
// (rows bottom-up, transparent image pixels cleared), the pixel order within bytes, and the
// widening of 2-bit pixels to 4 bits, the smallest depth of the bitmaps drawn from 2-bit data.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "base/byte_view.h"
#include "graphics/bitmap.h"
#include "graphics/sprites/sprite_format.h"

namespace zd {

// Reverses the order of the pixels within every byte: RISC OS keeps the leftmost pixel in the
// low bits, bitmaps in the high bits. All 8 bits at 1 bit per pixel, the four 2-bit groups at 2,
// the two nibbles at 4; 8-bit data is left alone.
void ReversePixelOrder(std::span<uint8_t> bytes, int bitsPerPixel);

// 2-bit rows (pixel order already reversed, so p0 p1 p2 p3 stand from the top bits down) widened
// to 4 bits: each source byte gives (p0 x 16 + p1) and (p2 x 16 + p3). The widened rows hold the
// `pixels` pixels of each source row and are padded to whole words; the header words W and LB
// are worked out again for the widened row.
struct WidenedRows {
  std::vector<uint8_t> bytes;
  size_t stride = 0;
  uint32_t widthWordsMinusOne = 0;
  uint32_t lastBit = 0;
};
WidenedRows WidenTwoBitRows(ByteView rows, size_t rowBytes, int rowCount, int pixels);

// Once per page sprite, in place: the rows are put bottom-up (first with last, and so on; a
// middle row stays), and with a mask every image word becomes image AND mask, so every
// transparent image pixel is 0. Pixel order within bytes is not touched. False, with nothing
// changed, for a sprite whose rows do not fit its data.
bool PrepareSprite(std::span<uint8_t> sprite);

// The image or mask of a sprite as a bitmap for the canvas: pixel order reversed, 2-bit pixels
// widened to 4 bits, rows bottom-up for a prepared sprite. `bitmap` points into `buffer` or,
// for 8-bit data, straight into the sprite. Its width is the header width (wastage included).
struct SpritePass {
  SpritePass() = default;
  SpritePass(SpritePass&&) = default;
  SpritePass& operator=(SpritePass&&) = default;
  SpritePass(const SpritePass&) = delete;  // a copy would point into the original's buffer

  std::vector<uint8_t> buffer;
  PackedBitmap bitmap;
};
SpritePass MakeSpritePass(ByteView sprite, const SpriteLayout& layout, bool mask, bool prepared);

}  // namespace zd
