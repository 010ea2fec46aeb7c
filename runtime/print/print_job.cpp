#include "print/print_job.h"

#include <algorithm>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "base/cp1253.h"
#include "base/trace.h"
#include "platform/atomic_file.h"
#include "platform/files.h"
#include "platform/print/private_temporary_file.h"
#include "print/print_texts.h"
#include "print/printing_progress.h"
#include "resources/string_table.h"
#include "runtime.h"

namespace zd {
namespace {

constexpr int kMostCopies = 99;

struct Destinations {
  std::vector<platform::PrinterInfo> printers;  // the dialog's first entries, in order
  int pdfIndex = 0;                            // "PDF file", after them
};

class PrintJob {
 public:
  PrintJob(Runtime& runtime, PrintSettings& settings)
      : runtime_(runtime), settings_(settings), service_(runtime.platform.Printing()) {}

  void Run(const PrintJobRequest& request, const SheetDrawer& draw) {
    const auto choice = AskWhere(request);
    if (!choice) return;
    const auto area = PrintableArea(settings_.setup);
    const auto sheet = SheetOf(settings_.setup);
    if (!area || !sheet) {
      Say(PrintingText(PrintText::NoPrintableArea, language()));
      return;
    }
    const auto document = DrawDocument(*choice, *sheet, *area, draw);
    if (!document) return;
    if (choice->destination == destinations_.pdfIndex) {
      KeepAsFile(*document);
    } else {
      SendToPrinter(*document, *choice);
    }
    RemoveFile(*document);
  }

 private:
  Language language() const { return runtime_.config.language; }
  std::string title() const { return runtime_.shell.windowTitle(); }

  void Say(const std::string& text) {
    runtime_.shell.reporter().ShowText(PrintingText(PrintText::FailureCaption, language()), text);
  }

  // Step 1: the print dialog. The printers first, then "PDF file"; the default printer is
  // proposed, "PDF file" when there is none. The page setup it shows (and may change through
  // its own button) holds for this and later jobs.
  std::optional<platform::PrintChoice> AskWhere(const PrintJobRequest& request) {
    destinations_.printers = service_.Printers();
    platform::PrintDialogSpec dialog;
    dialog.caption = PrintingText(PrintText::PrintCaption, language());
    for (const auto& printer : destinations_.printers) {
      dialog.destinations.push_back(
          Utf8ToCp1253(printer.description.empty() ? printer.name : printer.description));
    }
    destinations_.pdfIndex = int(destinations_.printers.size());
    dialog.destinations.push_back(kPdfDestination);
    dialog.defaultDestination = destinations_.pdfIndex;
    for (size_t i = 0; i < destinations_.printers.size(); ++i) {
      if (destinations_.printers[i].isDefault) dialog.defaultDestination = int(i);
    }
    dialog.copies = 1;
    dialog.pageCount = std::max(request.pageCount, 0);
    if (dialog.pageCount > 0 && request.rangeFrom >= 1 && request.rangeFrom <= request.rangeTo &&
        request.rangeTo <= dialog.pageCount) {
      dialog.rangeFrom = request.rangeFrom;
      dialog.rangeTo = request.rangeTo;
    }
    dialog.setup = settings_.setup;
    dialog.papers = PapersOffering(settings_.papers, settings_.setup.paper);
    auto choice = runtime_.platform.PrintDialog(dialog);
    if (!choice) return std::nullopt;
    // A backend's answer is kept to what was offered.
    if (choice->destination < 0 || choice->destination > destinations_.pdfIndex) {
      choice->destination = dialog.defaultDestination;
    }
    choice->copies = std::clamp(choice->copies, 1, kMostCopies);
    settings_.setup = choice->setup;
    return choice;
  }

  // Step 2: every sheet drawn into a temporary PDF while the progress box shows. Nullopt when
  // the user stopped the job or the document could not be made (said).
  std::optional<std::string> DrawDocument(const platform::PrintChoice& choice,
                                          const SheetSize& sheet, const PointRect& area,
                                          const SheetDrawer& draw) {
    const std::string temporary = TemporaryPath();
    if (temporary.empty()) {
      Say(FillInPrintText(PrintingText(PrintText::CannotPrepare, language()),
                          {"no folder for temporary files"}));
      return std::nullopt;
    }
    auto document = service_.CreatePdf(temporary, title());
    if (!document) {
      Say(FillInPrintText(PrintingText(PrintText::CannotPrepare, language()),
                          {"the document could not be made"}));
      RemoveFile(temporary);
      return std::nullopt;
    }
    PrintingProgress progress(runtime_);
    progress.Show();
    SheetTarget target{*document, sheet, area,
                       [&progress](int n) { return progress.NextSheet(n); }};
    const bool drawn = draw(target, choice);
    progress.Close();
    if (!drawn) {
      document.reset();
      RemoveFile(temporary);
      return std::nullopt;
    }
    std::string error;
    if (!document->Finish(error)) {
      document.reset();
      RemoveFile(temporary);
      Say(FillInPrintText(PrintingText(PrintText::CannotFinish, language()), {Utf8ToCp1253(error)}));
      return std::nullopt;
    }
    return temporary;
  }

  // Step 3a: "PDF file" asks where to keep the document and writes it there whole.
  void KeepAsFile(const std::string& temporary) {
    platform::FileDialogSpec dialog;
    dialog.save = true;
    dialog.title = PrintingText(PrintText::SaveCaption, language());
    dialog.filters = {{PrintingText(PrintText::PdfFilter, language()), "*.pdf"}};
    dialog.mustExist = false;
    dialog.askOverwrite = true;
    dialog.overwriteQuestion = LoadString(strings::FILE_EXISTS, language());
    dialog.defaultExtension = ".pdf";
    const auto chosen = runtime_.platform.FileDialog(dialog);
    if (!chosen || chosen->path.empty()) return;
    const std::string& path = chosen->path;
    if (!UsableFileName(path)) {
      Say(PrintingText(PrintText::UnusableName, language()));
      return;
    }
    const std::string diskPath = platform::ResolvePathForWriting(path);
    const std::string folder = std::filesystem::path(diskPath).parent_path().string();
    if (!folder.empty() && !platform::IsDirectory(folder)) {
      Say(FillInPrintText(PrintingText(PrintText::NoSuchFolder, language()), {path}));
      return;
    }
    const auto bytes = platform::ReadWholeFile(temporary);
    std::string error = bytes ? "" : "the document was lost";
    if (!bytes || !platform::WriteFileAtomic(diskPath, *bytes, error)) {
      Say(FillInPrintText(PrintingText(PrintText::CannotWrite, language()),
                          {path, Utf8ToCp1253(error)}));
      return;
    }
    runtime_.trace.Line(TraceCategory::File, "file written " + Utf8ToCp1253(diskPath));
  }

  // Step 3b: a printer gets the document with the copies asked for.
  void SendToPrinter(const std::string& temporary, const platform::PrintChoice& choice) {
    const platform::PrinterInfo& printer = destinations_.printers[size_t(choice.destination)];
    std::string error;
    if (!service_.Submit(printer.name, temporary, choice.copies, title(), error)) {
      if (error.empty()) error = "no reason given";
      Say(FillInPrintText(PrintingText(PrintText::PrinterRefused, language()),
                          {Utf8ToCp1253(printer.name), Utf8ToCp1253(error)}));
    }
  }

  // Characters a file name cannot hold, and those the chosen name could not be written in
  // (shown as "?" once turned into the title's code page).
  static bool UsableFileName(const std::string& path1253) {
    return std::none_of(path1253.begin(), path1253.end(), [](char c) {
      const auto u = static_cast<unsigned char>(c);
      return u < 0x20 || c == '?' || c == '*' || c == '"' || c == '<' || c == '>' || c == '|';
    });
  }

  // Made here with only the user allowed to read it; the document is then written over it.
  static std::string TemporaryPath() {
    return platform::CreatePrivateTemporaryFile("zendral-print-", ".pdf");
  }

  static void RemoveFile(const std::string& path) {
    std::error_code ignored;
    std::filesystem::remove(path, ignored);
  }

  Runtime& runtime_;
  PrintSettings& settings_;
  platform::PrintService& service_;
  Destinations destinations_;
};

}  // namespace

void RunPrintJob(Runtime& runtime, PrintSettings& settings, const PrintJobRequest& request,
                 const SheetDrawer& draw) {
  PrintJob(runtime, settings).Run(request, draw);
}

}  // namespace zd
