// Menus of the SDL backend, drawn with Dear ImGui: the window's menu bar and the popup menu.
#pragma once

#include <string>
#include <vector>

#include "platform/dialogs.h"
#include "platform/sdl/modal_view.h"

namespace zd::platform::sdl {

// Draws the menu bar along the top of the window; returns the command chosen in this frame,
// or 0. A disabled bar is drawn but takes no clicks (while a dialog is up).
int DrawMenuBar(const std::vector<Menu>& menus, bool enabled);

// A popup menu at a client point; its result is the chosen command, or 0 when it is dismissed
// (a click elsewhere or Escape).
class PopupMenuView : public ModalView {
 public:
  explicit PopupMenuView(const PopupMenuSpec& request);
  void Draw(const ViewContext& context) override;

 private:
  struct Entry {
    int id = 0;
    std::string label, shortcut;  // UTF-8
    bool enabled = true;
  };
  std::vector<Entry> entries_;
  int x_, y_;
  int frames_ = 0;
};

}  // namespace zd::platform::sdl
