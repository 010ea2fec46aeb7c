#include "print/printing.h"

#include "base/seam.h"
#include "runtime.h"

namespace zd {

Printing::Printing(Runtime& runtime) : runtime_(runtime) {}
Printing::~Printing() = default;

void Printing::PrintScreen() { TraceSeam(runtime_.trace, "printing.print-screen"); }
void Printing::PrintSetup() { TraceSeam(runtime_.trace, "printing.setup"); }
void Printing::PrintTextObject(const PageObject&) {}
void Printing::PrintPage() {}
void Printing::PrintNotepad(const NotepadPrintJob&) {}
void Printing::Release() { TraceSeam(runtime_.trace, "printing.release"); }

}  // namespace zd
