#include "toolbox/calculator_window.h"

#include <string_view>

#include "base/cp1253.h"
#include "platform/events.h"
#include "runtime.h"
#include "toolbox/calculator.h"
#include "toolbox/calculator_notepad_dialogs.h"

namespace zd {
namespace {

using platform::ToolControlKind;

constexpr int kDisplayId = 120;
constexpr uint16_t kF9 = 0x78;
// The dialog's client area in dialog units: the keys end at 84 across and 127 down.
constexpr int kClientUnitsX = 92, kClientUnitsY = 135;

struct Key {
  int id;
  int x, y, w, h;  // dialog units
  std::string_view label;  // UTF-8
};

constexpr Key kKeys[] = {
    {calc::SIGN, 8, 32, 16, 16, "±"},         {calc::DEL, 28, 32, 16, 16, "del"},
    {calc::CLEAR, 48, 32, 36, 15, "C"},       {197, 8, 51, 16, 16, "7"},
    {198, 28, 51, 16, 16, "8"},               {199, 48, 51, 16, 16, "9"},
    {calc::MULTIPLY, 67, 51, 16, 16, "Χ"},    {194, 8, 71, 16, 16, "4"},
    {195, 28, 71, 16, 16, "5"},               {196, 48, 71, 16, 16, "6"},
    {calc::DIVIDE, 68, 71, 16, 16, "/"},      {191, 8, 91, 16, 16, "1"},
    {192, 28, 91, 16, 16, "2"},               {193, 48, 91, 16, 16, "3"},
    {calc::ADD, 68, 91, 16, 16, "+"},         {190, 8, 111, 16, 16, "0"},
    {calc::POINT, 28, 111, 16, 16, "·"},      {calc::EQUALS, 48, 111, 16, 16, "="},
    {calc::SUBTRACT, 68, 111, 16, 16, "-"},
};

// The characters of the calculator's keyboard; 0 for the others.
int CommandOfCharacter(uint8_t c) {
  if (c >= '0' && c <= '9') return calc::DIGIT_0 + (c - '0');
  switch (c) {
    case '+': return calc::ADD;
    case '-': return calc::SUBTRACT;
    case '*':
    case 'x':
    case 'X': return calc::MULTIPLY;
    case '/': return calc::DIVIDE;
    case '=': return calc::EQUALS;
    case '.': return calc::POINT;
    case 'c':
    case 'C': return calc::NOTHING;
    default: return 0;
  }
}

}  // namespace

struct CalculatorWindow::State {
  Calculator calculator;
  bool open = false;
  bool placed = false;
  std::string shown;  // the display as last traced
};

CalculatorWindow::CalculatorWindow(Runtime& runtime)
    : runtime_(runtime), state_(std::make_unique<State>()) {}
CalculatorWindow::~CalculatorWindow() = default;

void CalculatorWindow::Open() {
  if (state_->open) return;
  if (!state_->placed) {
    // Near the page's right edge, clear of the toolbox icon's usual corner.
    x = 640 - tool_dialog::OuterWidth(kClientUnitsX) - 16;
    y = 48;
    state_->placed = true;
  }
  state_->open = true;
  state_->calculator.Command(calc::CLEAR);
  tool_dialog::Show(runtime_, *this);
  runtime_.trace.Line(TraceCategory::Tool, "tool calculator open");
  state_->shown = state_->calculator.Display();
  runtime_.trace.Line(TraceCategory::Tool, "tool calculator display " + state_->shown);
  tool_dialog::Repaint(runtime_);
}

void CalculatorWindow::Close() {
  if (!state_->open) return;
  state_->open = false;
  tool_dialog::Hide(runtime_, *this);
  runtime_.trace.Line(TraceCategory::Tool, "tool calculator close");
  tool_dialog::Repaint(runtime_);
}

bool CalculatorWindow::isOpen() const { return state_->open; }

platform::ToolWindowView CalculatorWindow::View() const {
  platform::ToolWindowView view = tool_dialog::WindowView(
      runtime_, *this, "IDD_Calc", tool_dialog::Text::CalculatorCaption, kClientUnitsX, kClientUnitsY);
  view.controls.push_back(tool_dialog::Control(*this, kDisplayId, ToolControlKind::LabelRight, 8,
                                               8, 76, 10, state_->calculator.Display()));
  for (const Key& key : kKeys) {
    view.controls.push_back(tool_dialog::Control(*this, key.id, ToolControlKind::Button, key.x,
                                                 key.y, key.w, key.h, Utf8ToCp1253(key.label)));
  }
  return view;
}

void CalculatorWindow::Clicked(int controlId) {
  for (const Key& key : kKeys) {
    if (key.id == controlId) return RunCommand(controlId);
  }
}

void CalculatorWindow::RunCommand(int command) {
  if (!state_->open) return;
  state_->calculator.Command(command);
  const std::string display = state_->calculator.Display();
  if (display == state_->shown) return;
  state_->shown = display;
  runtime_.trace.Line(TraceCategory::Tool, "tool calculator display " + display);
  tool_dialog::Repaint(runtime_);
}

void CalculatorWindow::CloseRequested() { runtime_.toolbox.CloseToolWindows(this); }

void CalculatorWindow::KeyDown(int virtualKey, int) {
  switch (virtualKey) {
    case platform::vk::RETURN: return RunCommand(calc::EQUALS);
    case platform::vk::BACK:
    case platform::vk::DELETE_: return RunCommand(calc::DEL);
    case kF9: return RunCommand(calc::SIGN);
    default: return;
  }
}

void CalculatorWindow::Character(uint8_t character) {
  if (const int command = CommandOfCharacter(character)) RunCommand(command);
}

}  // namespace zd
