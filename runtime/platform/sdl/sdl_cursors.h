// Pointer shapes of the SDL window: the program's 32x32 images made into colour cursors at
// the window's scale, and the system arrow and hourglass.
#pragma once

#include <SDL.h>

#include <string>
#include <vector>

#include "platform/cursor_image.h"

namespace zd::platform::sdl {

class CursorSet {
 public:
  CursorSet() = default;
  ~CursorSet();
  CursorSet(const CursorSet&) = delete;
  CursorSet& operator=(const CursorSet&) = delete;

  // 0 when the image is malformed or SDL cannot make the cursor.
  CursorHandle Create(const CursorImage& image, int scale);
  CursorHandle System(SystemCursor which);
  // Remakes the image cursors for a new window scale, so they keep matching the page.
  void Rescale(int scale);

  // The name a handle was made from ("IDC_HANDPOINT", "system arrow"), for the trace.
  std::string Name(CursorHandle handle) const;

  // Shows a cursor of the set (an all-transparent image hides the pointer), or the system
  // arrow, which dialogs and the menu bar use whatever the page asked for.
  void Show(CursorHandle handle);
  void ShowArrow();

 private:
  struct Entry {
    std::string name;
    bool system = false;
    SDL_SystemCursor systemId = SDL_SYSTEM_CURSOR_ARROW;
    std::vector<std::string> rows;  // copied: the image need not outlive the call
    int hotX = 0, hotY = 0;
    bool invisible = false;
    SDL_Cursor* cursor = nullptr;
  };

  static SDL_Cursor* MakeImageCursor(const Entry& entry, int scale);
  void Apply(SDL_Cursor* cursor, bool visible);

  std::vector<Entry> entries_;
  SDL_Cursor* arrow_ = nullptr;
  SDL_Cursor* shown_ = nullptr;
  bool visible_ = true;
};

}  // namespace zd::platform::sdl
