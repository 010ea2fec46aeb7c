// The progress box "IDD_Printing", one of the window's tool windows while a job's sheets are
// drawn: it says which sheet is being printed and offers "Άκυρο" (Cancel). Between sheets the
// job asks it whether to go on: it looks at the input that came meanwhile, takes a click on its
// button or Escape as the user stopping the job, and drops the other input, so nothing reaches
// the page mid-job; the window's own events wait until the job is over.
#pragma once

#include <string>
#include <vector>

#include "platform/events.h"
#include "platform/types.h"
#include "shell/tool_windows.h"

namespace zd {

class Runtime;

class PrintingProgress : public ToolWindow {
 public:
  static constexpr int kTextId = 1, kCancelId = 2;

  explicit PrintingProgress(Runtime& runtime);
  ~PrintingProgress() override;

  void Show();
  // Sheet `sheet` (from 2) is about to be drawn: says so and looks at the input that came.
  // False when the user stopped the job.
  bool NextSheet(int sheet);
  void Close();
  bool stopped() const { return stopped_; }

  platform::ToolWindowView View() const override;
  void Clicked(int controlId) override;
  void CloseRequested() override {}  // its close box is disabled while printing
  void KeyDown(int virtualKey, int repeat) override;

 private:
  void Present();
  void TakePendingInput();
  void HandBackKeptEvents();
  int ControlAt(int pageX, int pageY) const;

  Runtime& runtime_;
  std::string text_;
  bool shown_ = false, stopped_ = false;
  bool inputOver_ = false;  // the run is ending: its last events stay where they are
  int pressedControl_ = -1;
  std::vector<platform::Event> kept_;  // not this box's: handed back after the job
  FocusTarget* focusBefore_ = nullptr;
};

}  // namespace zd
