// The notepad tool: up to 99 pages of the learner's own text, kept for the whole run (also
// while its window is closed), paged through, printed, and offered for saving when the title
// ends.
#pragma once

#include <memory>

#include "print/printing.h"
#include "shell/tool_windows.h"

namespace zd {

class Runtime;

class NotepadWindow final : public ToolWindow {
 public:
  explicit NotepadWindow(Runtime& runtime);
  ~NotepadWindow() override;

  // Opens the window on page 1 (traces "tool notepad open" and "tool notepad page 1").
  void Open();
  // Closes the window, keeping the text typed (traces "tool notepad close"); no event.
  void Close();
  // The window's own close command: closes it and fires the "ToolActivate" event with
  // "~TNoteP" and 0.
  void CloseCommand();
  bool isOpen() const;

  // At start-up: every page empty, page 1 current, one page.
  void ResetNotepad();
  // When the title ends: when some page has text, asks whether to save the pages to a text
  // file and saves them; then empties the notepad. A failed save is reported and offered again.
  void OfferNotepadSave();

  platform::ToolWindowView View() const override;
  void Pressed(int controlId, int x, int y) override;
  void Clicked(int controlId) override;
  void CloseRequested() override;  // CloseCommand through the toolbox
  void KeyDown(int virtualKey, int repeat) override;
  void Character(uint8_t character) override;

 private:
  void StorePage();
  void ShowPage();  // the current page's text, number and count
  void FocusEdit();
  void Print(NotepadPrintJob::Range range);
  bool SaveTo(const std::string& path1253, std::string& error) const;

  struct State;
  Runtime& runtime_;
  std::unique_ptr<State> state_;
};

}  // namespace zd
