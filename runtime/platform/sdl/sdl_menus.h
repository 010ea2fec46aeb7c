// Menus of the SDL backend, drawn with Dear ImGui: the window's menu bar and the popup menu.
#pragma once

#include <string>
#include <vector>

#include "platform/dialogs.h"
#include "platform/sdl/modal_view.h"

namespace zd::platform::sdl {

// Draws the menu bar along the top of the window; returns the command chosen in this frame,
// or 0. A disabled bar is drawn but takes no clicks (while a dialog is up). `openFirst` opens
// its first menu (F10). In an open menu the arrow keys move the highlight, Return chooses the
// highlighted entry, Escape closes it.
int DrawMenuBar(const std::vector<Menu>& menus, bool enabled, bool openFirst);

// Closes the popup menu's ImGui popup when no PopupMenuView draws it any more: one answered by
// the event script (or dismissed by losing the focus) was never closed by ImGui itself, and an
// open popup would keep the mouse and keys from the page.
void CloseAbandonedPopupMenu();

// A popup menu at a client point; its result is the chosen command, or 0 when it is dismissed
// (a click elsewhere or Escape). The arrow keys, Home and End move its highlight over the
// entries that can be chosen, Return chooses.
class PopupMenuView : public ModalView {
 public:
  explicit PopupMenuView(const PopupMenuSpec& request);
  void Draw(const ViewContext& context) override;
  bool ready() const override { return frames_ > 2; }

 private:
  struct Entry {
    MenuItem item;
    std::string label, shortcut;  // UTF-8
  };
  std::vector<Entry> entries_;
  int x_, y_;
  int NextEntry(int from, int step) const;

  int frames_ = 0;
  int highlight_ = -1;  // the entry the keys have highlighted; -1: none yet
};

}  // namespace zd::platform::sdl
