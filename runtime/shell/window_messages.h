// The main window's messages: the platform's own (numbered as the original platform numbered
// them) and the private ones the shell posts to itself to do work later.
#pragma once

#include <cstdint>
#include <string>

namespace zd {

enum class Msg : uint32_t {
  Null = 0x0000,
  Create = 0x0001,
  Destroy = 0x0002,
  Size = 0x0005,
  SetFocus = 0x0007,
  KillFocus = 0x0008,
  Paint = 0x000F,
  Close = 0x0010,
  Quit = 0x0012,
  KeyDown = 0x0100,
  KeyUp = 0x0101,
  Char = 0x0102,
  Command = 0x0111,
  Timer = 0x0113,
  MouseMove = 0x0200,
  LButtonDown = 0x0201,
  LButtonUp = 0x0202,
  RButtonDown = 0x0204,
  MouseWheel = 0x020A,  // wParam: lines turned, positive away from the user
  DropFiles = 0x0233,   // text: the path dropped on the window (UTF-8, as on disk)
  // Private messages, numbered from the platform's first user message (1024).
  SaveObject = 1280,
  StartTitle = 1281,
  SaveSettings = 1284,
  LoadSettings = 1285,
  BrowserSetup = 1286,
  PrintSetup = 1288,
  ToggleWindowMode = 1294,
  PrintScreen = 1295,
  ShowFirstPage = 1536,
  // Our own: the event script of a scripted run is over, so the run ends.
  EventsEnded = 0x7F00,
};

// Size message kinds.
constexpr int64_t SIZE_RESTORED = 0;
constexpr int64_t SIZE_MINIMIZED = 1;

struct WindowMessage {
  Msg id = Msg::Null;
  int64_t wParam = 0;  // key, command id, size kind, timer id, quit value
  int64_t lParam = 0;  // key repeat count
  int x = 0, y = 0;    // pointer position or new client size
  uint8_t modifiers = 0;
  uint32_t time = 0;   // tick count when it was taken from the queue
  std::string text;    // DropFiles: the path
};

}  // namespace zd
