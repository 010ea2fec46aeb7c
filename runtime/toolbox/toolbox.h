// The per-page toolbox and its tools (calculator, notepad).
#pragma once

namespace zd {

class Runtime;

class Toolbox {
 public:
  explicit Toolbox(Runtime& runtime) : runtime_(runtime) {}

  void LoadCalculatorAccelerators();
  void ClearToolboxTables();
  void OfferNotepadSave();
  void Command(int id);           // menu commands reach the toolbox too
  void MenuClosed();
  void WindowModeChanged(bool fullScreen);

 private:
  Runtime& runtime_;
};

}  // namespace zd
