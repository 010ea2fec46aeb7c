#include "print/printing.h"

#include "base/seam.h"
#include "runtime.h"

namespace zd {

void Printing::PrintScreen() { TraceSeam(runtime_.trace, "printing.print-screen"); }
void Printing::PrintSetup() { TraceSeam(runtime_.trace, "printing.setup"); }
void Printing::Release() { TraceSeam(runtime_.trace, "printing.release"); }

}  // namespace zd
