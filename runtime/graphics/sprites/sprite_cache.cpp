#include "graphics/sprites/sprite_cache.h"

#include <cstring>

#include "graphics/sprites/sprite_pixels.h"

namespace zd {

std::optional<SpriteBitmapTable::HeaderWords> SpriteBitmapTable::Header(ByteView sprite) {
  const auto words = sprite.Sub(sprite_field::WIDTH_WORDS, HeaderWords{}.size());
  if (!words) return std::nullopt;
  HeaderWords header;
  std::memcpy(header.data(), words->data(), header.size());
  return header;
}

uint32_t SpriteBitmapTable::Add(IndexBitmap bitmap, ByteView sprite) {
  // Handles are not reused while the table holds them, and 0 is never given out.
  while (next_ == 0 || entries_.count(next_)) ++next_;
  const uint32_t handle = next_++;
  entries_[handle] = Entry{std::move(bitmap), Header(sprite).value_or(HeaderWords{})};
  return handle;
}

const IndexBitmap* SpriteBitmapTable::Find(uint32_t handle, ByteView sprite) const {
  const auto it = entries_.find(handle);
  if (it == entries_.end() || Header(sprite) != it->second.header) return nullptr;
  return &it->second.bitmap;
}

void SpriteBitmapTable::Delete(uint32_t handle) {
  const auto it = entries_.find(handle);
  if (it == entries_.end()) return;
  std::vector<uint8_t> memory = std::move(it->second.bitmap.pixels);
  entries_.erase(it);
  size_t kept = memory.capacity();
  for (const auto& s : spare_) kept += s.capacity();
  if (kept <= kSpareBytes) spare_.push_back(std::move(memory));
}

std::vector<uint8_t> SpriteBitmapTable::TakeSpare(size_t bytes) {
  // The smallest spare that holds `bytes`, so large ones stay for large bitmaps.
  auto best = spare_.end();
  for (auto it = spare_.begin(); it != spare_.end(); ++it) {
    if (it->capacity() >= bytes && (best == spare_.end() || it->capacity() < best->capacity())) best = it;
  }
  if (best == spare_.end()) return {};
  std::vector<uint8_t> memory = std::move(*best);
  spare_.erase(best);
  return memory;
}

std::optional<SpriteBitmapHandles> MakeSpriteBitmaps(ByteView sprite, SpriteBitmapTable& table,
                                                     const SharedColourHeaders& headers) {
  const auto layout = ReadSpriteLayout(sprite);
  if (!layout) return std::nullopt;
  // The columns a cached bitmap shows: from the wastage on to the end of the row.
  const int x = layout->wastage;
  const int width = layout->headerWidth - layout->wastage;
  const auto bitmapOf = [&](bool mask) {
    const SpritePass pass = MakeSpritePass(sprite, *layout, mask, true);
    const IndexMap* map = nullptr;
    switch (layout->bitsPerPixel()) {
      case 1: map = &headers.bits1Map; break;
      case 2: map = &headers.bits2Map; break;  // widened, with the four colours repeated
      case 4: map = &headers.bits4Map; break;
      default: map = mask ? &headers.mask8Map : &headers.image8Map; break;
    }
    return MakeIndexBitmap(pass.bitmap, *map, x, width,
                           table.TakeSpare(size_t(width) * size_t(layout->height())));
  };
  IndexBitmap mask;
  if (layout->geometry.hasMask) {
    mask = bitmapOf(true);
    if (mask.pixels.empty()) return std::nullopt;
  }
  IndexBitmap image = bitmapOf(false);
  if (image.pixels.empty()) return std::nullopt;
  SpriteBitmapHandles handles;
  if (layout->geometry.hasMask) handles.mask = table.Add(std::move(mask), sprite);
  handles.image = table.Add(std::move(image), sprite);
  return handles;
}

void KeepHeaderAndHandles(std::vector<uint8_t>& block, SpriteBitmapHandles handles) {
  block.resize(kCachedSpriteSize, 0);
  const auto put = [&](size_t offset, uint32_t v) {
    for (int i = 0; i < 4; ++i) block[offset + size_t(i)] = static_cast<uint8_t>(v >> (8 * i));
  };
  put(kSpriteHeaderSize, handles.mask);
  put(kSpriteHeaderSize + 4, handles.image);
  block.shrink_to_fit();
}

SpriteBitmapHandles CachedHandles(ByteView sprite) {
  return {sprite.U32(kSpriteHeaderSize).value_or(0), sprite.U32(kSpriteHeaderSize + 4).value_or(0)};
}

void FreeSpriteBitmaps(ByteView sprite, SpriteBitmapTable& table) {
  if (!ModeInfo(sprite.U32(sprite_field::MODE).value_or(~0u))) return;
  const SpriteBitmapHandles handles = CachedHandles(sprite);
  // Only handles made for this very sprite are deleted.
  if (handles.mask && table.Find(handles.mask, sprite)) table.Delete(handles.mask);
  if (handles.image && table.Find(handles.image, sprite)) table.Delete(handles.image);
}

}  // namespace zd
