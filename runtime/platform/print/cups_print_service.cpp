#include "platform/print/cups_print_service.h"

#include <cups/cups.h>

#include <algorithm>
#include <map>

#include "base/cp1253.h"
#include "platform/print/paper_sizes.h"
#include "platform/print/pdf_document.h"

namespace zd::platform {
namespace {

// A print system lists no more than this many media for one printer that anyone could choose.
constexpr int kMaxMedia = 200;

// Asking a printer for its media connects to it: a network printer that does not answer
// keeps the caller waiting.
CupsMedia SystemMedia(const std::string& printer) {
  CupsMedia answer;
  cups_dest_t* dest = cupsGetNamedDest(CUPS_HTTP_DEFAULT, printer.c_str(), nullptr);
  if (!dest) return answer;
  if (cups_dinfo_t* info = cupsCopyDestInfo(CUPS_HTTP_DEFAULT, dest)) {
    const int count = std::min(kMaxMedia, cupsGetDestMediaCount(CUPS_HTTP_DEFAULT, dest, info, 0));
    for (int i = 0; i < count; ++i) {
      cups_size_t size{};
      if (cupsGetDestMediaByIndex(CUPS_HTTP_DEFAULT, dest, info, i, 0, &size)) {
        answer.media.emplace_back(size.media);
      }
    }
    cups_size_t chosen{};
    if (cupsGetDestMediaDefault(CUPS_HTTP_DEFAULT, dest, info, 0, &chosen)) {
      answer.defaultMedia = chosen.media;
    }
    cupsFreeDestInfo(info);
  }
  cupsFreeDests(1, dest);
  return answer;
}

// Without a daemon the connection is refused at once and the list is empty.
std::vector<CupsDestination> SystemDestinations() {
  std::vector<CupsDestination> found;
  cups_dest_t* dests = nullptr;
  const int count = cupsGetDests2(CUPS_HTTP_DEFAULT, &dests);
  for (int i = 0; i < count; ++i) {
    cups_dest_t* dest = &dests[i];
    if (!dest->name || dest->instance) continue;  // instances repeat their printer
    CupsDestination d;
    d.name = dest->name;
    if (const char* info = cupsGetOption("printer-info", dest->num_options, dest->options)) {
      d.info = info;
    }
    d.isDefault = dest->is_default != 0;
    found.push_back(std::move(d));
  }
  cupsFreeDests(count, dests);
  return found;
}

int SystemPrintFile(const std::string& printer, const std::string& path, const std::string& title,
                    int copies, std::string& error) {
  cups_option_t* options = nullptr;
  const std::string copiesText = std::to_string(copies);
  int count = cupsAddOption("copies", copiesText.c_str(), 0, &options);
  const int job = cupsPrintFile2(CUPS_HTTP_DEFAULT, printer.c_str(), path.c_str(), title.c_str(),
                                 count, options);
  cupsFreeOptions(count, options);
  if (job == 0) {
    const char* reason = cupsLastErrorString();
    error = reason && *reason ? reason : "the printer did not take the job";
  }
  return job;
}

class CupsPrintService final : public PrintService {
 public:
  CupsPrintService(CupsCalls calls, LocaleFacts locale)
      : calls_(std::move(calls)), locale_(std::move(locale)) {}

  std::vector<PrinterInfo> Printers() override {
    if (!calls_.destinations) return {};
    std::vector<CupsDestination> destinations = calls_.destinations();
    for (CupsDestination& d : destinations) {
      if (d.isDefault && d.media.empty() && calls_.media) {
        const CupsMedia& known = MediaOf(d.name);
        d.media = known.media;
        if (d.defaultMedia.empty()) d.defaultMedia = known.defaultMedia;
        break;  // the first default is the one the dialog offers
      }
    }
    return PrintersFrom(destinations);
  }

  Paper LocalePaper() override { return PaperForLocale(locale_); }

  std::unique_ptr<PrintDocument> CreatePdf(const std::string& pathUtf8,
                                           const std::string& title1253) override {
    return MakePdfDocument(pathUtf8, title1253);
  }

  bool Submit(const std::string& printer, const std::string& pdfPathUtf8, int copies,
              const std::string& title1253, std::string& error) override {
    if (!calls_.printFile) {
      error = "no print system";
      return false;
    }
    if (printer.empty()) {
      error = "no printer was chosen";
      return false;
    }
    const int job = calls_.printFile(printer, pdfPathUtf8, Cp1253ToUtf8(title1253),
                                     std::clamp(copies, 1, 99), error);
    if (job > 0) return true;
    if (error.empty()) error = "the printer did not take the job";
    return false;
  }

 private:
  // A printer's answer, asked for once and kept for the run.
  const CupsMedia& MediaOf(const std::string& printer) {
    auto known = media_.find(printer);
    if (known == media_.end()) known = media_.emplace(printer, calls_.media(printer)).first;
    return known->second;
  }

  CupsCalls calls_;
  LocaleFacts locale_;
  std::map<std::string, CupsMedia> media_;
};

}  // namespace

CupsCalls SystemCupsCalls() {
  CupsCalls calls;
  calls.destinations = SystemDestinations;
  calls.media = SystemMedia;
  calls.printFile = SystemPrintFile;
  return calls;
}

std::unique_ptr<PrintService> MakeCupsPrintService(CupsCalls calls, LocaleFacts locale) {
  return std::make_unique<CupsPrintService>(std::move(calls), std::move(locale));
}

std::vector<PrinterInfo> PrintersFrom(const std::vector<CupsDestination>& destinations) {
  std::vector<PrinterInfo> printers;
  for (const CupsDestination& d : destinations) {
    if (d.name.empty()) continue;
    PrinterInfo p;
    p.name = d.name;
    p.description = d.info.empty() ? d.name : d.info;
    p.isDefault = d.isDefault;
    for (const std::string& media : d.media) {
      const auto paper = PaperFromMediaName(media);
      if (!paper) continue;
      const bool known = std::any_of(p.papers.begin(), p.papers.end(),
                                     [&](const Paper& q) { return q.name == paper->name; });
      if (!known) p.papers.push_back(*paper);
    }
    if (!d.defaultMedia.empty()) p.defaultPaper = PaperFromMediaName(d.defaultMedia);
    printers.push_back(std::move(p));
  }
  // One default at most: the first marked.
  bool seen = false;
  for (PrinterInfo& p : printers) {
    if (p.isDefault && seen) p.isDefault = false;
    seen = seen || p.isDefault;
  }
  return printers;
}

}  // namespace zd::platform
