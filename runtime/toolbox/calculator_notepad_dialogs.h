// What the calculator and notepad windows share: their dialog boxes are laid out in dialog
// units of "MS Sans Serif" 8, their own texts come in Greek and in English, and both are shown
// as tool windows over the page.
#pragma once

#include <string>

#include "platform/types.h"

namespace zd {

class Runtime;
class ToolWindow;

namespace tool_dialog {

constexpr int kCaptionHeight = 18;  // pixels of the caption bar
constexpr int kBorder = 3;          // pixels of the dialog frame on every side

// Dialog units of "MS Sans Serif" 8 to pixels: 1.5 pixels across, 1.625 down, rounded.
constexpr int UnitsX(int units) { return (units * 3 + 1) / 2; }
constexpr int UnitsY(int units) { return (units * 13 + 4) / 8; }

// A control at a box given in dialog units inside `window` (whose x, y are its outer corner).
platform::ToolControlView Control(const ToolWindow& window, int id, platform::ToolControlKind kind,
                                  int x, int y, int w, int h, std::string text);

// The texts of the two windows (code page 1253, in the player's language).
enum class Text {
  CalculatorCaption,
  NotepadCaption,
  PrintThis,
  PreviousPage,  // the button labelled as a page preview, which goes one page back
  PrintAll,
  NextPage,
  Of,            // between the page number and the page count
  SaveFailed,    // a notepad file that could not be written: "%s" the file, then the reason
};
std::string Load(const Runtime& runtime, Text text);
// The window's whole size for a client area of (w, h) dialog units.
int OuterWidth(int clientUnitsX);
int OuterHeight(int clientUnitsY);
// The window's whole size for a client area of (w, h) dialog units.
int OuterWidth(int clientUnitsX);
int OuterHeight(int clientUnitsY);
// A window's view without its controls: `name` ("IDD_Calc"), its caption, its place, its size
// for a client area of the given dialog units, and whether it has the keys.
platform::ToolWindowView WindowView(Runtime& runtime, const ToolWindow& window, const char* name,
                                    Text caption, int clientUnitsX, int clientUnitsY);

// Showing, hiding and repainting the tool windows, in one place.
void Show(Runtime& runtime, ToolWindow& window);
void Hide(Runtime& runtime, ToolWindow& window);
void Repaint(Runtime& runtime);
bool HasFocus(Runtime& runtime, const ToolWindow& window);
void GiveFocus(Runtime& runtime, ToolWindow& window);

}  // namespace tool_dialog
}  // namespace zd
