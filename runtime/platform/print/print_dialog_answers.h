// How the print and page-setup dialogs take the steps of an event script and how they are
// traced: the same rules for every backend. A dialog starts from its defaults; `printer`,
// `pages`, `copies` and `orientation` change what it would answer, `answer ok` / Return take
// it, `answer cancel` / Escape cancel it.
#pragma once

#include <optional>
#include <string>

#include "base/trace.h"
#include "platform/automation/event_script_driver.h"
#include "platform/dialogs.h"

namespace zd::platform {

// What the print dialog answers when the user changes nothing: the default destination, one
// copy, the proposed range (all pages when none is proposed, or it lies outside), the setup.
PrintChoice DefaultPrintChoice(const PrintDialogSpec& request);
// The request made sound: a default destination that is one of them, copies 1 .. 99, a page
// count of 0 .. 9999 and a proposed range within it (0 when it is not one).
PrintDialogSpec SaneRequest(const PrintDialogSpec& request);

// True when `step` answers the dialog: `result` is answer::OK or answer::CANCEL. A setting is
// applied to `choice` and returns false; one the dialog cannot take (an unknown printer, pages
// outside the document, any answer but ok and cancel) fails the script through `driver`.
bool TakePrintDialogStep(const DriverStep& step, const PrintDialogSpec& request,
                         EventScriptDriver& driver, PrintChoice& choice, int& result);
bool TakePageSetupStep(const DriverStep& step, EventScriptDriver& driver, PageSetup& setup,
                       int& result);

// `dialog print: "Office", "PDF file"; default "PDF file"` and `; pages 1-3` when it offers
// a range (`; pages 1-3, proposed 2-2` when it proposes one).
void TracePrintDialog(const Trace& trace, const PrintDialogSpec& request);
// `print to "Office", copies 2, pages 1-3, A4 landscape` (pages "all"), or nothing when cancelled.
void TracePrintChoice(const Trace& trace, const PrintDialogSpec& request,
                      const std::optional<PrintChoice>& choice);
// `dialog page-setup: A4 portrait`, and the setup chosen: `page setup A4 landscape, margins
// 10 10 10 10 mm`.
void TracePageSetupDialog(const Trace& trace, const PageSetupSpec& request);
void TracePageSetupChoice(const Trace& trace, const std::optional<PageSetup>& setup);
// "A4 portrait".
std::string SetupText(const PageSetup& setup);

}  // namespace zd::platform
