// Which of the main window's parts takes the keys: the page, or a child control over it (the
// choice list; tool windows as they come). A control takes the focus when it opens and gives
// it back to the page when it closes; a click on the page gives it to the page, a click in a
// control to that control.
#pragma once

#include <cstdint>

namespace zd {

// A part of the window that can hold the keyboard focus.
class FocusTarget {
 public:
  virtual ~FocusTarget() = default;
  // A key pressed while this part has the focus (repeat: the key's repeat count).
  virtual void KeyDown(int virtualKey, int repeat) = 0;
  // A character typed while this part has the focus (code page 1253).
  virtual void Character(uint8_t) {}
};

class KeyboardFocus {
 public:
  // nullptr: the page.
  FocusTarget* holder() const { return holder_; }
  bool PageHasFocus() const { return holder_ == nullptr; }
  bool Has(const FocusTarget* target) const { return target && holder_ == target; }
  void Give(FocusTarget* target) { holder_ = target; }
  void GiveToPage() { holder_ = nullptr; }
  // A part going away: the page gets the focus when that part held it.
  void Forget(const FocusTarget* target) {
    if (holder_ == target) holder_ = nullptr;
  }

 private:
  FocusTarget* holder_ = nullptr;
};

}  // namespace zd
