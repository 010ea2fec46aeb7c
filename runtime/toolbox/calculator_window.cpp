#include "toolbox/calculator_window.h"

namespace zd {

// Placeholder until the calculator lands.
struct CalculatorWindow::State {};
CalculatorWindow::CalculatorWindow(Runtime& runtime) : runtime_(runtime) {}
CalculatorWindow::~CalculatorWindow() = default;
void CalculatorWindow::Open() {}
void CalculatorWindow::Close() {}
bool CalculatorWindow::isOpen() const { return false; }
platform::ToolWindowView CalculatorWindow::View() const { return {}; }
void CalculatorWindow::Clicked(int) {}
void CalculatorWindow::CloseRequested() {}
void CalculatorWindow::KeyDown(int, int) {}
void CalculatorWindow::Character(uint8_t) {}

}  // namespace zd
