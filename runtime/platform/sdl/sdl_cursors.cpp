#include "platform/sdl/sdl_cursors.h"

#include <cstring>

namespace zd::platform::sdl {

CursorSet::~CursorSet() {
  SDL_SetCursor(SDL_GetDefaultCursor());
  for (Entry& e : entries_) {
    if (e.cursor) SDL_FreeCursor(e.cursor);
  }
  if (arrow_) SDL_FreeCursor(arrow_);
}

SDL_Cursor* CursorSet::MakeImageCursor(const Entry& entry, int scale) {
  const int size = kCursorSize * scale;
  SDL_Surface* surface = SDL_CreateRGBSurfaceWithFormat(0, size, size, 32, SDL_PIXELFORMAT_ARGB8888);
  if (!surface) return nullptr;
  SDL_LockSurface(surface);
  for (int y = 0; y < size; ++y) {
    auto* row = reinterpret_cast<uint32_t*>(static_cast<uint8_t*>(surface->pixels) +
                                            size_t(y) * surface->pitch);
    const std::string& source = entry.rows[size_t(y / scale)];
    for (int x = 0; x < size; ++x) {
      const char c = source[size_t(x / scale)];
      row[x] = c == 'X' ? 0xFF000000u : c == '.' ? 0xFFFFFFFFu : 0u;
    }
  }
  SDL_UnlockSurface(surface);
  // The hot spot sits in the middle of its enlarged pixel.
  SDL_Cursor* cursor = SDL_CreateColorCursor(surface, entry.hotX * scale + scale / 2,
                                             entry.hotY * scale + scale / 2);
  SDL_FreeSurface(surface);
  return cursor;
}

CursorHandle CursorSet::Create(const CursorImage& image, int scale) {
  if (!image.rows || image.hotX < 0 || image.hotY < 0 || image.hotX >= kCursorSize ||
      image.hotY >= kCursorSize) {
    return 0;
  }
  Entry entry;
  entry.name = image.name ? image.name : "?";
  entry.hotX = image.hotX;
  entry.hotY = image.hotY;
  entry.invisible = true;
  for (int y = 0; y < kCursorSize; ++y) {
    const char* row = image.rows[y];
    if (!row || std::strlen(row) != size_t(kCursorSize)) return 0;
    entry.rows.emplace_back(row);
    if (entry.rows.back().find_first_of("X.") != std::string::npos) entry.invisible = false;
  }
  entry.cursor = MakeImageCursor(entry, scale);
  if (!entry.cursor) return 0;
  entries_.push_back(std::move(entry));
  return static_cast<CursorHandle>(entries_.size());
}

CursorHandle CursorSet::System(SystemCursor which) {
  Entry entry;
  entry.system = true;
  entry.systemId = which == SystemCursor::Wait ? SDL_SYSTEM_CURSOR_WAIT : SDL_SYSTEM_CURSOR_ARROW;
  entry.name = which == SystemCursor::Wait ? "system wait" : "system arrow";
  entry.cursor = SDL_CreateSystemCursor(entry.systemId);
  if (!entry.cursor) return 0;
  entries_.push_back(std::move(entry));
  return static_cast<CursorHandle>(entries_.size());
}

void CursorSet::Rescale(int scale) {
  for (Entry& e : entries_) {
    if (e.system) continue;
    SDL_Cursor* remade = MakeImageCursor(e, scale);
    if (!remade) continue;  // keep the old size rather than no pointer at all
    if (shown_ == e.cursor) {
      SDL_SetCursor(remade);
      shown_ = remade;
    }
    SDL_FreeCursor(e.cursor);
    e.cursor = remade;
  }
}

std::string CursorSet::Name(CursorHandle handle) const {
  if (handle <= 0 || size_t(handle) > entries_.size()) return std::string();
  return entries_[size_t(handle) - 1].name;
}

void CursorSet::Apply(SDL_Cursor* cursor, bool visible) {
  if (cursor && cursor != shown_) {
    SDL_SetCursor(cursor);
    shown_ = cursor;
  }
  if (visible != visible_) {
    SDL_ShowCursor(visible ? SDL_ENABLE : SDL_DISABLE);
    visible_ = visible;
  }
}

void CursorSet::Show(CursorHandle handle) {
  if (handle <= 0 || size_t(handle) > entries_.size()) {
    ShowArrow();
    return;
  }
  const Entry& e = entries_[size_t(handle) - 1];
  // A blank colour cursor is not hidden by every window system; hiding the pointer is.
  Apply(e.cursor, !e.invisible);
}

void CursorSet::ShowArrow() {
  if (!arrow_) arrow_ = SDL_CreateSystemCursor(SDL_SYSTEM_CURSOR_ARROW);
  Apply(arrow_ ? arrow_ : SDL_GetDefaultCursor(), true);
}

}  // namespace zd::platform::sdl
