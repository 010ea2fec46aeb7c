// The per-page toolbox and its tools (calculator, notepad).
#pragma once

#include "shell/window_messages.h"

namespace zd {

class Runtime;

class Toolbox {
 public:
  explicit Toolbox(Runtime& runtime) : runtime_(runtime) {}

  void LoadCalculatorAccelerators();
  // While the calculator is open its keys go to it; true when the message was taken.
  bool TranslateCalculatorKey(const WindowMessage& message);
  void ClearToolboxTables();
  void OfferNotepadSave();
  void Command(int id);           // menu commands reach the toolbox too
  void MenuClosed();
  void WindowModeChanged(bool fullScreen);

 private:
  Runtime& runtime_;
};

}  // namespace zd
