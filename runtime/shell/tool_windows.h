// Modeless tool windows over the page (the calculator, the notepad, the printing progress box):
// each is a FocusTarget that describes itself as a platform::ToolWindowView and acts on its
// own controls; ToolWindows keeps the open ones in stacking order, routes presses, releases
// and drags to them (in page pixels, alike in a real window and in headless runs), moves them
// by their caption bar, and hands their views to the frame.
#pragma once

#include <string>
#include <vector>

#include "platform/types.h"
#include "shell/keyboard_focus.h"

namespace zd {

class Runtime;

class ToolWindow : public FocusTarget {
 public:
  // The window as it is now. Its position is `x`, `y` (the outer top-left corner, page
  // pixels), which ToolWindows changes when the caption bar is dragged.
  virtual platform::ToolWindowView View() const = 0;
  // A left press on control `controlId` at (x, y) relative to the control's top-left corner
  // (a press on the client area outside any control gives 0).
  virtual void Pressed(int /*controlId*/, int /*x*/, int /*y*/) {}
  // A click: the press and the release on the same control. Buttons act here.
  virtual void Clicked(int controlId) = 0;
  // The close box of the caption bar.
  virtual void CloseRequested() = 0;

  int x = 0, y = 0;
};

class ToolWindows {
 public:
  ToolWindows(Runtime& runtime, KeyboardFocus& focus) : runtime_(runtime), focus_(focus) {}

  // Shows `window` on top of the others and gives it the keyboard focus. Opening a window
  // that is open brings it to the top.
  void Open(ToolWindow& window);
  // Takes it away; the page gets the focus when it held it. Nothing when it is not open.
  void Close(ToolWindow& window);
  bool IsOpen(const ToolWindow& window) const;
  bool empty() const { return open_.empty(); }

  // Whether page pixel (x, y) is over an open window.
  bool Contains(int x, int y) const;
  // A left press at page pixel (x, y): false when it is over no window. A press on a window
  // brings it to the top and gives it the focus; on its caption bar it starts a drag, on its
  // close box it asks the window to close (at the release), on a control it goes to the window.
  bool Press(int x, int y);
  // The release of a press taken above; false when the press was not a window's.
  bool Release(int x, int y);
  // The pointer moved with the button held: a caption drag moves its window (kept on the page).
  bool Drag(int x, int y);

  // The open windows' views, bottom first, for the frame.
  void AddViews(std::vector<platform::ToolWindowView>& views) const;
  // Presents the window again (a tool window changed; the page under it did not).
  void Repaint();

 private:
  Runtime& runtime_;
  KeyboardFocus& focus_;
  std::vector<ToolWindow*> open_;  // bottom first
  ToolWindow* pressed_ = nullptr;  // the window a press went to
  bool pressHeld_ = false;         // a window's press whose release is still to come
  int pressedControl_ = -1;        // the control it began on (0: client area)
  bool dragging_ = false, closing_ = false;
  int dragDX_ = 0, dragDY_ = 0;
};

}  // namespace zd
