// Cached sprite bitmaps: each page sprite is turned once, when its page loads, into bitmaps of
// title-palette indices (its mask and its image), so that repaints are plain block transfers.
// The bitmaps are held in a table by handle, as a display held device bitmaps, and the sprite
// keeps the two handles in the words after its header (offsets 44 and 48); its pixel data can
// then go, leaving 52 bytes.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <unordered_map>
#include <vector>

#include "base/byte_view.h"
#include "graphics/bitmap.h"
#include "graphics/sprites/sprite_colours.h"

namespace zd {

struct SpriteBitmapHandles {
  uint32_t mask = 0;   // 0: the sprite has no mask
  uint32_t image = 0;
};
constexpr size_t kCachedSpriteSize = 52;

class SpriteBitmapTable {
 public:
  // Keeps a bitmap made for `sprite`; returns its handle (never 0).
  uint32_t Add(IndexBitmap bitmap, ByteView sprite);
  // The bitmap of a handle, when it was made for a sprite with this header: a handle read from
  // a sprite that was never cached (palette or pixel bytes) or one freed since finds nothing.
  const IndexBitmap* Find(uint32_t handle, ByteView sprite) const;
  void Delete(uint32_t handle);
  size_t size() const { return entries_.size(); }

  // Memory of deleted bitmaps, kept for the next ones: pages free their pictures and load the
  // next page's straight after, and fresh memory costs a page fault for every 4 KB touched.
  std::vector<uint8_t> TakeSpare(size_t bytes);

 private:
  // The header words the bitmap was made from: width, height, first and last bit, offsets, mode.
  using HeaderWords = std::array<uint8_t, 28>;
  static std::optional<HeaderWords> Header(ByteView sprite);

  struct Entry {
    IndexBitmap bitmap;
    HeaderWords header{};
  };
  std::unordered_map<uint32_t, Entry> entries_;
  uint32_t next_ = 1;
  std::vector<std::vector<uint8_t>> spare_;
  static constexpr size_t kSpareBytes = 8u << 20;  // at most 8 MB kept
};

// Makes the cached bitmaps of a prepared sprite (PrepareSprite has run) in the default colour
// tables of the shared headers: the mask bitmap when the sprite has a mask, then the image
// bitmap, each as wide as the row less its wastage columns. Nothing for an unsupported mode or
// a sprite whose data does not hold what its header says.
std::optional<SpriteBitmapHandles> MakeSpriteBitmaps(ByteView sprite, SpriteBitmapTable& table,
                                                     const SharedColourHeaders& headers);

// Cuts a sprite block to its header and the two handles (52 bytes).
void KeepHeaderAndHandles(std::vector<uint8_t>& block, SpriteBitmapHandles handles);
SpriteBitmapHandles CachedHandles(ByteView sprite);

// Deletes the cached bitmaps of a sprite; nothing for a sprite of an unsupported mode.
void FreeSpriteBitmaps(ByteView sprite, SpriteBitmapTable& table);

}  // namespace zd
