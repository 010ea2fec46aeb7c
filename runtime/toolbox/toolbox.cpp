#include "toolbox/toolbox.h"

#include "base/seam.h"
#include "runtime.h"

namespace zd {

void Toolbox::LoadCalculatorAccelerators() {
  TraceSeam(runtime_.trace, "toolbox.calculator-accelerators");
}
bool Toolbox::TranslateCalculatorKey(const WindowMessage&) { return false; }
void Toolbox::ClearToolboxTables() { TraceSeam(runtime_.trace, "toolbox.clear-tables"); }
void Toolbox::OfferNotepadSave() { TraceSeam(runtime_.trace, "toolbox.offer-notepad-save"); }
void Toolbox::Command(int) {}
void Toolbox::MenuClosed() {}
void Toolbox::SwitchToolboxSet() {}
void Toolbox::ShowToolboxIcon() {}
void Toolbox::ActivateToolByName(const std::string& name) {
  TraceSeam(runtime_.trace, "toolbox.activate " + name);
}
void Toolbox::OpenFindText() { TraceSeam(runtime_.trace, "toolbox.find-text"); }
void Toolbox::WindowModeChanged(bool fullScreen) {
  TraceSeam(runtime_.trace, fullScreen ? "toolbox.mode fullscreen" : "toolbox.mode windowed");
}

}  // namespace zd
