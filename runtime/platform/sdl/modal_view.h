// Something a modal loop of the SDL backend shows over the page with Dear ImGui until the user
// (or the event script) answers it.
#pragma once

#include "platform/sdl/window_layout.h"

namespace zd::platform::sdl {

struct ViewContext {
  int windowWidth = 0, windowHeight = 0;  // window pixels
  ClientPlacement client;                 // where the runtime's client area is
  bool active = true;                     // false for a dialog under another one
};

class ModalView {
 public:
  virtual ~ModalView() = default;
  // Draws one frame of the view; called between ImGui's NewFrame and Render.
  virtual void Draw(const ViewContext& context) = 0;
  bool finished() const { return finished_; }
  // Drawn with its widgets in place, so that keys pressed now reach them (a popup menu opens
  // a frame or two after it is asked for).
  virtual bool ready() const { return true; }
  int result() const { return result_; }

 protected:
  void Finish(int result) {
    if (finished_) return;
    finished_ = true;
    result_ = result;
  }

 private:
  bool finished_ = false;
  int result_ = 0;
};

}  // namespace zd::platform::sdl
