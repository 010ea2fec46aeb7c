// The printing dialogs' own texts (the progress box, the print and save dialogs, the reasons a
// job failed), in Greek and in English as the player's language says. Code page 1253.
#pragma once

#include <initializer_list>
#include <string>

#include "base/language.h"

namespace zd {

enum class PrintText {
  ProgressCaption,      // the progress box's caption
  ProgressFirstSheet,   // its text before the first sheet is done
  ProgressCancel,       // its one button
  PrintCaption,         // the print dialog's caption
  PageSetupCaption,     // the page-setup dialog's caption
  SaveCaption,          // the save dialog's title for the "PDF file" destination
  PdfFilter,            // the save dialog's filter label
  FailureCaption,       // the caption of every box saying a job failed
  NoPrintableArea,      // the margins leave nothing of the sheet
  CannotPrepare,        // the document could not be started; takes the reason
  CannotFinish,         // the document could not be finished; takes the reason
  NoSuchFolder,         // the chosen file's folder does not exist; takes the path
  CannotWrite,          // the chosen file could not be written; takes the path and reason
  UnusableName,         // the chosen name holds characters a file name cannot have
  PrinterRefused,       // the printer did not take the job; takes the printer and reason
};

// "PDF file": the destination that keeps the document as a file (one name in every language,
// as the dialogs and the trace show it).
inline constexpr const char* kPdfDestination = "PDF file";

std::string PrintingText(PrintText which, Language language);

}  // namespace zd

namespace zd {
// `text` with each "%s" in turn replaced by the next of `values` (missing values: empty).
std::string FillInPrintText(std::string text, std::initializer_list<std::string> values);
}  // namespace zd
