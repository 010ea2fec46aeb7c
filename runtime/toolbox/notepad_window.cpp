#include "toolbox/notepad_window.h"

namespace zd {

// Placeholder until the notepad lands.
struct NotepadWindow::State {};
NotepadWindow::NotepadWindow(Runtime& runtime) : runtime_(runtime) {}
NotepadWindow::~NotepadWindow() = default;
void NotepadWindow::Open() {}
void NotepadWindow::Close() {}
void NotepadWindow::CloseCommand() {}
bool NotepadWindow::isOpen() const { return false; }
void NotepadWindow::ResetNotepad() {}
void NotepadWindow::OfferNotepadSave() {}
platform::ToolWindowView NotepadWindow::View() const { return {}; }
void NotepadWindow::Pressed(int, int, int) {}
void NotepadWindow::Clicked(int) {}
void NotepadWindow::CloseRequested() {}
void NotepadWindow::KeyDown(int, int) {}
void NotepadWindow::Character(uint8_t) {}

}  // namespace zd
