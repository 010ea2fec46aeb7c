// What the notepad window keeps between its parts (the window and its saving at the end).
#pragma once

#include <memory>

#include "toolbox/edit_text.h"
#include "toolbox/notepad_pages.h"
#include "toolbox/notepad_window.h"

namespace zd {

struct NotepadWindow::State {
  NotepadPages pages;
  // The edit control, made when the window first opens (it measures the edit font).
  std::unique_ptr<EditText> edit;
  bool open = false;
  bool placed = false;
};

}  // namespace zd
