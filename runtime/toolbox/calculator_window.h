// The calculator tool: a modeless window over the page with its display and keys, driving
// the Calculator model. Its keys (digits, + - * x X / = . Return Backspace Delete F9 c C)
// work while it has the keyboard focus.
#pragma once

#include <memory>

#include "shell/tool_windows.h"

namespace zd {

class Runtime;

class CalculatorWindow final : public ToolWindow {
 public:
  explicit CalculatorWindow(Runtime& runtime);
  ~CalculatorWindow() override;

  // Opens it cleared (traces "tool calculator open" and its display); nothing when open.
  void Open();
  // Closes it (traces "tool calculator close"); nothing when closed.
  void Close();
  bool isOpen() const;

  platform::ToolWindowView View() const override;
  void Clicked(int controlId) override;
  void CloseRequested() override;  // asks the toolbox to close it, as its own close command
  void KeyDown(int virtualKey, int repeat) override;
  void Character(uint8_t character) override;

 private:
  void RunCommand(int command);

  struct State;
  Runtime& runtime_;
  std::unique_ptr<State> state_;
};

}  // namespace zd
