#include "toolbox/calculator_notepad_dialogs.h"

#include <string_view>

#include "base/cp1253.h"
#include "runtime.h"
#include "shell/tool_windows.h"

namespace zd::tool_dialog {

platform::ToolControlView Control(const ToolWindow& window, int id, platform::ToolControlKind kind,
                                  int x, int y, int w, int h, std::string text) {
  platform::ToolControlView control;
  control.id = id;
  control.kind = kind;
  control.x = window.x + kBorder + UnitsX(x);
  control.y = window.y + kCaptionHeight + kBorder + UnitsY(y);
  control.w = UnitsX(w);
  control.h = UnitsY(h);
  control.text = std::move(text);
  return control;
}

platform::ToolWindowView WindowView(Runtime& runtime, const ToolWindow& window, const char* name,
                                    Text caption, int clientUnitsX, int clientUnitsY) {
  platform::ToolWindowView view;
  view.name = name;
  view.caption = Load(runtime, caption);
  view.x = window.x;
  view.y = window.y;
  view.w = OuterWidth(clientUnitsX);
  view.h = OuterHeight(clientUnitsY);
  view.captionHeight = kCaptionHeight;
  view.active = HasFocus(runtime, window);
  return view;
}

int OuterWidth(int clientUnitsX) { return UnitsX(clientUnitsX) + 2 * kBorder; }
int OuterHeight(int clientUnitsY) { return kCaptionHeight + UnitsY(clientUnitsY) + 2 * kBorder; }

namespace {

struct Texts {
  std::string_view greek, english;  // UTF-8
};

Texts TextsOf(Text text) {
  switch (text) {
    case Text::CalculatorCaption: return {"Υπολογιστική Μηχανή ", "Calculator"};
    case Text::NotepadCaption: return {"Σημειωματάριο", "Notepad"};
    case Text::PrintThis: return {"Εκτύπωσε αυτό", "Print this"};
    case Text::PreviousPage: return {"Προεπισκόπηση σελίδας", "Previous page"};
    case Text::PrintAll: return {"Εκτύπωση όλων", "Print all"};
    case Text::NextPage: return {"Επόμενη σελίδα", "Next page"};
    case Text::Of: return {"του", "of"};
    case Text::SaveFailed:
      return {"Το κείμενο του σημειωματάριου δεν αποθηκεύτηκε στο \"%s\":\n%s",
              "The notepad's text was not saved in \"%s\":\n%s"};
  }
  return {};
}

}  // namespace

std::string Load(const Runtime& runtime, Text text) {
  const Texts texts = TextsOf(text);
  return Utf8ToCp1253(runtime.config.language == Language::English ? texts.english
                                                                    : texts.greek);
}

void Show(Runtime& runtime, ToolWindow& window) { runtime.shell.window().toolWindows().Open(window); }

void Hide(Runtime& runtime, ToolWindow& window) {
  runtime.shell.window().toolWindows().Close(window);
}

void Repaint(Runtime& runtime) { runtime.shell.window().toolWindows().Repaint(); }

bool HasFocus(Runtime& runtime, const ToolWindow& window) {
  return runtime.shell.window().focus().Has(&window);
}

void GiveFocus(Runtime& runtime, ToolWindow& window) {
  runtime.shell.window().focus().Give(&window);
}

}  // namespace zd::tool_dialog
