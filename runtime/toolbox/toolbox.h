// The per-page toolbox and its tools (calculator, notepad).
#pragma once

#include <string>

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
  // The page's toolbox set and icon follow the current page.
  void SwitchToolboxSet();
  void ShowToolboxIcon();
  void ActivateToolByName(const std::string& name);  // a trigger named "~tool"
  void OpenFindText();                               // F2

 private:
  Runtime& runtime_;
};

}  // namespace zd
