// Input and window events delivered by a platform backend.
#pragma once

#include <cstdint>
#include <string>

namespace zd::platform {

// Virtual key codes, numbered as the keyboard messages of the original platform numbered them,
// because title behaviour (key events, handlers) is written in those terms.
namespace vk {
constexpr uint16_t BACK = 0x08, TAB = 0x09, RETURN = 0x0D, SHIFT = 0x10, CONTROL = 0x11,
                   ESCAPE = 0x1B, SPACE = 0x20, PRIOR = 0x21, NEXT = 0x22, END = 0x23,
                   HOME = 0x24, LEFT = 0x25, UP = 0x26, RIGHT = 0x27, DOWN = 0x28,
                   INSERT = 0x2D, DELETE_ = 0x2E, APPS = 0x5D, F1 = 0x70, F2 = 0x71,
                   F3 = 0x72, F4 = 0x73, F12 = 0x7B;
// Letters and digits use their upper-case ASCII codes ('A'..'Z', '0'..'9').
}  // namespace vk

enum class MouseButton { Left, Right, Middle };

namespace modifier {
constexpr uint8_t SHIFT = 1, CTRL = 2, ALT = 4;
}

enum class EventType {
  MouseMove,      // x, y in client pixels
  ButtonDown,     // button, x, y
  ButtonUp,       // button, x, y
  Wheel,          // x, y of the pointer; repeat: lines turned, positive away from the user
  KeyDown,        // key, modifiers, repeat
  KeyUp,          // key, modifiers
  Char,           // character (code page 1253)
  Close,          // the window's close box
  FocusGained,
  FocusLost,
  Minimised,
  Restored,
  Resized,        // new client size in width, height
  Exposed,        // the window needs repainting
  MenuCommand,    // a menu bar entry or its shortcut was chosen: command
  Drop,           // a file or folder was dropped on the window: text (its path, UTF-8)
  ScriptEnded,    // headless: the event script is over (or failed); the run must end
};

struct Event {
  EventType type = EventType::MouseMove;
  int x = 0, y = 0;
  int width = 0, height = 0;
  MouseButton button = MouseButton::Left;
  uint16_t key = 0;
  uint8_t modifiers = 0;
  int repeat = 1;
  uint8_t character = 0;
  int command = 0;
  uint32_t time = 0;  // tick count when the event happened
  std::string text;   // Drop: the path
};

}  // namespace zd::platform
