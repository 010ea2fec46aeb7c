// Texts of menus and dialogs as they are shown: accelerator marks and shortcut columns.
// Plain string work, kept apart from the drawing so it can be checked without a display.
#pragma once

#include <string>
#include <string_view>

namespace zd::platform::sdl {

// "&Yes" → "Yes", "Save && quit" → "Save & quit": the marks the original platform used to
// underline an accelerator letter are not drawn.
std::string StripAccelerator(std::string_view label);

// Menu texts may carry their shortcut after a tab ("Find\tF2"); `shortcut` keeps one that was
// given separately.
void SplitMenuText(std::string_view text, std::string& label, std::string& shortcut);

}  // namespace zd::platform::sdl
