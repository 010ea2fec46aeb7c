#include "print/printing.h"

#include "print/print_settings.h"
#include "print/print_texts.h"
#include "runtime.h"

namespace zd {

Printing::Printing(Runtime& runtime) : runtime_(runtime) {}
Printing::~Printing() = default;

PrintSettings& Printing::InitPrinting() {
  if (!settings_) {
    settings_ = std::make_unique<PrintSettings>(InitialPrintSettings(runtime_.platform.Printing()));
  }
  return *settings_;
}

// The page-setup dialog; what the user leaves holds for every later job. The main window
// takes no input meanwhile (the dialog is modal); the caller resumes the clock and movies.
void Printing::PrintSetup() {
  PrintSettings& settings = InitPrinting();
  platform::PageSetupSpec dialog;
  dialog.caption = PrintingText(PrintText::PageSetupCaption, runtime_.config.language);
  dialog.current = settings.setup;
  dialog.papers = PapersOffering(settings.papers, settings.setup.paper);
  if (const auto chosen = runtime_.platform.PageSetupDialog(dialog)) settings.setup = *chosen;
}

void Printing::Release() { settings_.reset(); }

}  // namespace zd
