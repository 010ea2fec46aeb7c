// The event-script format of headless and scripted runs: one command per line, '#' comments.
// Parsing is done up front so that a malformed script is refused before anything runs.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace zd::platform {

enum class ScriptCommandKind {
  Wait,           // ms
  Move,           // x, y (page pixels)
  Click,          // x, y
  RightClick,     // x, y
  Down,           // x, y
  Up,             // x, y
  Wheel,          // x, y, number (lines, positive away from the user)
  Key,            // key, modifiers, character
  Type,           // text
  Answer,         // number (an answer:: value or a button id)
  File,           // text (path) or cancel; number: the file type (0: the first)
  Menu,           // number or cancel
  Command,        // number: a menu-bar command, as if chosen from the window's menu
  Drop,           // text (a path, UTF-8): a file dropped on the window
  Screenshot,     // text (path)
  ExpectPage,     // text
  ExpectVar,      // name, text
  ExpectMessage,  // text
  Quit,
  // Settings for the next print dialog (orientation: or page-setup dialog), taken before it
  // is answered.
  Printer,        // text: a destination as the dialog shows it (code page 1253)
  Pages,          // x: the first page, y: the last
  Copies,         // number
  Orientation,    // number: 1 landscape, 0 portrait
  // Settings for the next form dialog, taken before one of its buttons is pressed.
  Check,          // number: a radio (the others of its group go unchecked) or a check box
  Uncheck,        // number: a check box
  Edit,           // text: the edit field's new text (code page 1253)
};

struct ScriptCommand {
  ScriptCommandKind kind = ScriptCommandKind::Wait;
  int line = 0;
  int x = 0, y = 0;
  uint32_t ms = 0;
  uint16_t key = 0;         // virtual key
  uint8_t modifiers = 0;
  uint8_t character = 0;    // code page 1253 character a key types, 0 for none
  int number = 0;           // answers, menus, wheel lines; a `file`'s type from `filetype`
  bool cancel = false;      // "file -" / "menu -"
  std::string name;         // expect var: the variable name
  std::string text;         // code page 1253, except paths (kept as written)
  std::string word;         // the command word as written, for messages
};

struct EventScript {
  std::string fileName;
  std::vector<ScriptCommand> commands;
};

// Returns the script, or an error "FILE:LINE: message".
std::variant<EventScript, std::string> ParseEventScript(std::string_view text,
                                                        const std::string& fileName);
std::variant<EventScript, std::string> LoadEventScript(const std::string& path);

// Parses a key name: Return, Escape, Space, Tab, Backspace, Delete, Insert, Home, End, PageUp,
// PageDown, Left, Up, Right, Down, F1..F12, or one character; with optional "Ctrl+", "Shift+"
// and "Alt+" prefixes. False when the name is none of these.
bool ParseKeyName(std::string_view name, uint16_t& key, uint8_t& modifiers, uint8_t& character);

}  // namespace zd::platform
