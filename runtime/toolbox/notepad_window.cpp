#include "toolbox/notepad_window.h"

#include <algorithm>
#include <string>

#include "platform/edit_text_wrap.h"
#include "platform/events.h"
#include "runtime.h"
#include "toolbox/calculator_notepad_dialogs.h"
#include "toolbox/notepad_window_state.h"

namespace zd {
namespace {

using platform::ToolControlKind;

constexpr int kEditId = 101, kPrintThisId = 102, kPreviousId = 103, kPrintAllId = 104,
              kNextId = 105, kPageId = 106, kCountId = 107;
// The dialog's client area in dialog units: the buttons end at 122 across and 170 down.
constexpr int kClientUnitsX = 128, kClientUnitsY = 176;
// The edit control's box in dialog units, and where its text starts inside it (one pixel of
// frame, then the inset).
constexpr int kEditUnitsW = 120, kEditUnitsH = 116;
constexpr int kEditTextLeft = 1 + platform::kEditTextInset;

}  // namespace

NotepadWindow::NotepadWindow(Runtime& runtime)
    : runtime_(runtime), state_(std::make_unique<State>()) {}
NotepadWindow::~NotepadWindow() = default;

void NotepadWindow::Open() {
  if (state_->open) return;
  if (!state_->placed) {
    x = 24;
    y = 48;
    state_->placed = true;
  }
  if (!state_->edit) {
    const int rows = (tool_dialog::UnitsY(kEditUnitsH) - 2 * kEditTextLeft) /
                     std::max(platform::EditLineHeight(), 1);
    state_->edit = std::make_unique<EditText>(NotepadPages::kMaxPageBytes,
                                              tool_dialog::UnitsX(kEditUnitsW), rows,
                                              platform::EditFontAdvances());
  }
  state_->open = true;
  state_->pages.First();
  state_->edit->SetStored(state_->pages.Text(1));
  tool_dialog::Show(runtime_, *this);
  runtime_.trace.Line(TraceCategory::Tool, "tool notepad open");
  runtime_.trace.Line(TraceCategory::Tool, "tool notepad page 1");
  tool_dialog::Repaint(runtime_);
}

void NotepadWindow::Close() {
  if (!state_->open) return;
  StorePage();
  state_->open = false;
  tool_dialog::Hide(runtime_, *this);
  runtime_.trace.Line(TraceCategory::Tool, "tool notepad close");
  tool_dialog::Repaint(runtime_);
}

void NotepadWindow::CloseCommand() {
  if (!state_->open) return;
  // The toolbox closes its windows and shows the page again without it; a window it does not
  // hold closes here (Close does nothing for a closed one).
  runtime_.toolbox.CloseToolWindows(this);
  Close();
  runtime_.script.RunToolActivateHandlers("~TNoteP", 0);
}

bool NotepadWindow::isOpen() const { return state_->open; }

void NotepadWindow::ResetNotepad() {
  state_->pages.Reset();
  if (state_->open) ShowPage();
}

void NotepadWindow::StorePage() {
  // The edit control never holds more than a page takes, so the page always accepts it.
  if (state_->edit) state_->pages.Store(state_->edit->Stored());
}

void NotepadWindow::ShowPage() {
  state_->edit->SetStored(state_->pages.Text(state_->pages.current()));
  runtime_.trace.Line(TraceCategory::Tool,
                      "tool notepad page " + std::to_string(state_->pages.current()));
  tool_dialog::Repaint(runtime_);
}

platform::ToolWindowView NotepadWindow::View() const {
  platform::ToolWindowView view = tool_dialog::WindowView(
      runtime_, *this, "IDD_Notepad", tool_dialog::Text::NotepadCaption, kClientUnitsX, kClientUnitsY);

  using tool_dialog::Control;
  using tool_dialog::Load;
  using tool_dialog::Text;
  const EditText::Shown shown = state_->edit ? state_->edit->Show() : EditText::Shown{};
  auto edit =
      Control(*this, kEditId, ToolControlKind::Edit, 4, 4, kEditUnitsW, kEditUnitsH, shown.text);
  edit.firstLine = shown.firstLine;
  edit.caret = view.active ? shown.caret : -1;
  view.controls.push_back(std::move(edit));
  view.controls.push_back(Control(*this, kPrintThisId, ToolControlKind::Button, 6, 132, 38, 14,
                                  Load(runtime_, Text::PrintThis)));
  view.controls.push_back(Control(*this, kPreviousId, ToolControlKind::Button, 6, 156, 38, 14,
                                  Load(runtime_, Text::PreviousPage)));
  view.controls.push_back(Control(*this, kPrintAllId, ToolControlKind::Button, 84, 132, 38, 14,
                                  Load(runtime_, Text::PrintAll)));
  view.controls.push_back(Control(*this, kNextId, ToolControlKind::Button, 84, 156, 38, 14,
                                  Load(runtime_, Text::NextPage)));
  view.controls.push_back(Control(*this, kPageId, ToolControlKind::LabelFramed, 56, 136, 16, 11,
                                  std::to_string(state_->pages.current())));
  view.controls.push_back(Control(*this, kCountId, ToolControlKind::LabelFramed, 56, 156, 16,
                                  11, std::to_string(state_->pages.count())));
  view.controls.push_back(
      Control(*this, 0, ToolControlKind::Label, 60, 147, 8, 8, Load(runtime_, Text::Of)));
  return view;
}

void NotepadWindow::FocusEdit() {
  // The edit control is the window's one control that takes keys; its caret stays where it
  // was (at the start of a page just shown), as the control selects nothing when focused.
  tool_dialog::GiveFocus(runtime_, *this);
}

void NotepadWindow::Pressed(int controlId, int px, int py) {
  if (!state_->open || controlId != kEditId) return;
  FocusEdit();
  state_->edit->PlaceCaret((py - kEditTextLeft) / std::max(platform::EditLineHeight(), 1),
                           px - kEditTextLeft);
  tool_dialog::Repaint(runtime_);
}

void NotepadWindow::Clicked(int controlId) {
  if (!state_->open) return;
  FocusEdit();
  switch (controlId) {
    case kPrintThisId: return Print(NotepadPrintJob::Range::CurrentPage);
    case kPrintAllId: return Print(NotepadPrintJob::Range::AllPages);
    case kPreviousId:
      if (state_->pages.current() > 1) {
        StorePage();
        state_->pages.Previous();
        ShowPage();
      }
      return;
    case kNextId:
      if (state_->pages.current() < NotepadPages::kLastPage) {
        StorePage();
        state_->pages.Next();
        ShowPage();
      }
      return;
    default: tool_dialog::Repaint(runtime_); return;
  }
}

void NotepadWindow::Print(NotepadPrintJob::Range range) {
  StorePage();
  NotepadPrintJob job;
  job.range = range;
  job.currentPage = state_->pages.current();
  job.pages.resize(static_cast<size_t>(state_->pages.count()) + 1);
  for (int page = 1; page <= state_->pages.count(); ++page) {
    job.pages[static_cast<size_t>(page)] = state_->pages.Text(page);
  }
  runtime_.printing.PrintNotepad(job);
}

void NotepadWindow::CloseRequested() { CloseCommand(); }

void NotepadWindow::KeyDown(int virtualKey, int) {
  if (!state_->open) return;
  EditText& edit = *state_->edit;
  switch (virtualKey) {
    case platform::vk::DELETE_: edit.DeleteForward(); break;
    case platform::vk::LEFT: edit.Left(); break;
    case platform::vk::RIGHT: edit.Right(); break;
    case platform::vk::UP: edit.Up(); break;
    case platform::vk::DOWN: edit.Down(); break;
    case platform::vk::HOME: edit.Home(); break;
    case platform::vk::END: edit.End(); break;
    default: return;
  }
  tool_dialog::Repaint(runtime_);
}

void NotepadWindow::Character(uint8_t character) {
  if (!state_->open) return;
  // Tab moves between a dialog's controls rather than into the text.
  if (character == '\t') return;
  state_->edit->Type(character);
  tool_dialog::Repaint(runtime_);
}

}  // namespace zd
