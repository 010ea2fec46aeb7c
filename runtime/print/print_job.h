// One print job, from the print dialog to the paper: the dialog chooses where it goes, the
// sheets are drawn whole into a PDF document while the progress box shows, and only then is
// the document kept as the file the user names ("PDF file") or handed to the chosen printer.
// A cancelled dialog leaves no trace of a job; a stopped or failed one writes and prints
// nothing, and a failure is said in a message box.
#pragma once

#include <functional>

#include "platform/dialogs.h"
#include "print/print_settings.h"
#include "print/sheet_target.h"

namespace zd {

class Runtime;

struct PrintJobRequest {
  int pageCount = 0;  // pages to choose among; 0: the dialog offers no range
  int rangeFrom = 0;  // the range proposed; 0: all pages
  int rangeTo = 0;
};

// Draws the job's sheets; false when the user stopped it.
using SheetDrawer = std::function<bool(SheetTarget& target, const platform::PrintChoice& choice)>;

void RunPrintJob(Runtime& runtime, PrintSettings& settings, const PrintJobRequest& request,
                 const SheetDrawer& draw);

}  // namespace zd
