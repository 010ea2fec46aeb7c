#include "platform/sdl/dialog_text.h"

namespace zd::platform::sdl {

std::string StripAccelerator(std::string_view label) {
  std::string out;
  for (size_t i = 0; i < label.size(); ++i) {
    if (label[i] == '&') {
      if (i + 1 < label.size() && label[i + 1] == '&') {
        out += '&';
        ++i;
      }
      continue;
    }
    out += label[i];
  }
  return out;
}

void SplitMenuText(std::string_view text, std::string& label, std::string& shortcut) {
  const size_t tab = text.find('\t');
  label = StripAccelerator(text.substr(0, tab));
  if (tab != std::string_view::npos && shortcut.empty()) shortcut = text.substr(tab + 1);
}

}  // namespace zd::platform::sdl
