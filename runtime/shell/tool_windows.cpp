#include "shell/tool_windows.h"

#include <algorithm>

#include "runtime.h"

namespace zd {
namespace {

// Tool windows are kept on the 640x480 page.
constexpr int kPageSideX = 640, kPageSideY = 480;

bool Inside(const platform::ToolWindowView& v, int x, int y) {
  return x >= v.x && x < v.x + v.w && y >= v.y && y < v.y + v.h;
}

bool OnCaption(const platform::ToolWindowView& v, int x, int y) {
  return Inside(v, x, y) && y < v.y + v.captionHeight;
}

// The close box is the square at the caption bar's right end.
bool OnCloseBox(const platform::ToolWindowView& v, int x, int y) {
  return v.closeBox && OnCaption(v, x, y) && x >= v.x + v.w - v.captionHeight;
}

// The control under (x, y), the last drawn (topmost) first; 0 for the client area.
int ControlAt(const platform::ToolWindowView& v, int x, int y) {
  for (auto c = v.controls.rbegin(); c != v.controls.rend(); ++c) {
    if (x >= c->x && x < c->x + c->w && y >= c->y && y < c->y + c->h) return c->id;
  }
  return 0;
}

const platform::ToolControlView* FindControl(const platform::ToolWindowView& v, int id) {
  for (const auto& c : v.controls) {
    if (c.id == id) return &c;
  }
  return nullptr;
}

}  // namespace

void ToolWindows::Open(ToolWindow& window) {
  open_.erase(std::remove(open_.begin(), open_.end(), &window), open_.end());
  open_.push_back(&window);
  focus_.Give(&window);
  Repaint();
}

void ToolWindows::Close(ToolWindow& window) {
  if (!IsOpen(window)) return;
  open_.erase(std::remove(open_.begin(), open_.end(), &window), open_.end());
  if (pressed_ == &window) {
    pressed_ = nullptr;
    dragging_ = closing_ = false;
  }
  focus_.Forget(&window);
  Repaint();
}

bool ToolWindows::IsOpen(const ToolWindow& window) const {
  return std::find(open_.begin(), open_.end(), &window) != open_.end();
}

bool ToolWindows::Contains(int x, int y) const {
  return std::any_of(open_.begin(), open_.end(),
                     [&](const ToolWindow* w) { return Inside(w->View(), x, y); });
}

bool ToolWindows::Press(int x, int y) {
  // The topmost window under the pointer takes the press.
  const auto hit = std::find_if(open_.rbegin(), open_.rend(),
                                [&](const ToolWindow* w) { return Inside(w->View(), x, y); });
  if (hit == open_.rend()) return false;
  ToolWindow* window = *hit;
  open_.erase(std::next(hit).base());
  open_.push_back(window);
  focus_.Give(window);
  pressed_ = window;
  pressHeld_ = true;
  pressedControl_ = -1;
  dragging_ = closing_ = false;

  const platform::ToolWindowView view = window->View();
  if (OnCloseBox(view, x, y)) {
    closing_ = true;
  } else if (OnCaption(view, x, y)) {
    dragging_ = true;
    dragDX_ = x - window->x;
    dragDY_ = y - window->y;
  } else {
    pressedControl_ = ControlAt(view, x, y);
    if (const auto* control = FindControl(view, pressedControl_); control && pressedControl_ != 0) {
      window->Pressed(pressedControl_, x - control->x, y - control->y);
    } else {
      window->Pressed(0, x - view.x, y - view.y - view.captionHeight);
    }
  }
  Repaint();
  return true;
}

bool ToolWindows::Release(int x, int y) {
  // A press a window took keeps its release, even when the window has closed meanwhile.
  if (!pressHeld_) return false;
  pressHeld_ = false;
  ToolWindow* window = pressed_;
  const bool closing = closing_, dragging = dragging_;
  const int control = pressedControl_;
  pressed_ = nullptr;
  dragging_ = closing_ = false;
  pressedControl_ = -1;
  if (!window || !IsOpen(*window)) return true;  // it went while the button was held
  const platform::ToolWindowView view = window->View();
  if (closing) {
    if (OnCloseBox(view, x, y)) window->CloseRequested();
  } else if (!dragging && control > 0 && Inside(view, x, y) && ControlAt(view, x, y) == control) {
    window->Clicked(control);
  }
  Repaint();
  return true;
}

bool ToolWindows::Drag(int x, int y) {
  if (!pressHeld_) return false;
  if (!pressed_) return true;
  if (dragging_ && IsOpen(*pressed_)) {
    const platform::ToolWindowView view = pressed_->View();
    // The whole window stays on the page (its top-left corner when it is larger than the page).
    const int maxX = std::max(0, kPageSideX - view.w), maxY = std::max(0, kPageSideY - view.h);
    const int newX = std::clamp(x - dragDX_, 0, maxX), newY = std::clamp(y - dragDY_, 0, maxY);
    if (newX != pressed_->x || newY != pressed_->y) {
      pressed_->x = newX;
      pressed_->y = newY;
      Repaint();
    }
  }
  return true;
}

void ToolWindows::AddViews(std::vector<platform::ToolWindowView>& views) const {
  for (const ToolWindow* window : open_) {
    platform::ToolWindowView view = window->View();
    view.active = focus_.Has(window);
    views.push_back(std::move(view));
  }
}

void ToolWindows::Repaint() { runtime_.shell.queue().Invalidate(); }

}  // namespace zd
