// The choice list as a child window of the main window: opened when the page's choice list
// object is first drawn, filled from the open database, taking the keys while it has the focus
// and the presses inside its box, closed with its page. Picking a line makes its record the
// current one and shows the section's companion page.
#pragma once

#include <optional>
#include <vector>

#include "platform/types.h"
#include "shell/keyboard_focus.h"
#include "title/choice_list.h"

namespace zd {

class Runtime;

class ChoiceListWindow final : public FocusTarget {
 public:
  ChoiceListWindow(Runtime& runtime, KeyboardFocus& focus) : runtime_(runtime), focus_(focus) {}

  bool open() const { return list_.has_value(); }
  const ChoiceList* list() const { return list_ ? &*list_ : nullptr; }

  // After a paint of the page: the first choice list object drawn while no list is open opens
  // one at its box (filled unless the object asks to stay empty). True when one opened.
  bool OpenIfDrawn();
  void Open(const Rect& box, bool fill);
  void Close();

  void KeyDown(int virtualKey, int repeat) override;
  void Character(uint8_t character) override;
  // Whether page pixel (x, y) is over the open list.
  bool Contains(int x, int y) const { return list_ && list_->box().Contains(x, y); }
  // A left press at page pixel (x, y): false when it is not in the list.
  bool Press(int x, int y);
  // The wheel turned `lines` (positive away from the user) over page pixel (x, y): the list
  // scrolls three lines a notch when the pointer is over it; false when it is not.
  bool Wheel(int x, int y, int lines);

  // The list as the platform draws it, added to `views` while it is open.
  void AddView(std::vector<platform::ListControlView>& views) const;

 private:
  void TraceSelected() const;
  // The line highlighted becomes the current record; a record shows the companion page.
  void FollowSelected();
  void Repaint();

  Runtime& runtime_;
  KeyboardFocus& focus_;
  std::optional<ChoiceList> list_;
};

}  // namespace zd
