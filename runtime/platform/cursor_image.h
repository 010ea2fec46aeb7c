// A pointer image as the program's resources hold it: 32 rows of 32 characters.
#pragma once

namespace zd::platform {

// Row characters: ' ' transparent, 'X' black, '.' white.
struct CursorImage {
  const char* name = nullptr;   // resource name, e.g. "IDC_HANDPOINT"
  int hotX = 0, hotY = 0;
  const char* const* rows = nullptr;  // kCursorSize rows of kCursorSize characters
};

constexpr int kCursorSize = 32;

using CursorHandle = int;  // 0: no cursor

enum class SystemCursor { Arrow, Wait };

}  // namespace zd::platform
