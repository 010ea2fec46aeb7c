// The printer settings of a run: the page setup (paper, orientation, margins) every job prints
// with, made once from the default printer and kept until the run ends.
#pragma once

#include <vector>

#include "platform/dialogs.h"
#include "platform/print/print_service.h"

namespace zd {

struct PrintSettings {
  platform::PageSetup setup;
  std::vector<platform::Paper> papers;  // the sizes the dialogs offer
};

// The default printer's paper where the print system names one, else the locale's; portrait;
// 10 mm margins all round (inside what desktop printers can reach, and little lost).
PrintSettings InitialPrintSettings(platform::PrintService& service);

// `papers` with `paper` among them (added at the end when it is not).
std::vector<platform::Paper> PapersOffering(std::vector<platform::Paper> papers,
                                            const platform::Paper& paper);

}  // namespace zd
