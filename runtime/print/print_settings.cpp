#include "print/print_settings.h"

#include <algorithm>

#include "platform/print/paper_sizes.h"

namespace zd {
namespace {

constexpr double kDefaultMarginMm = 10;

}  // namespace

std::vector<platform::Paper> PapersOffering(std::vector<platform::Paper> papers,
                                            const platform::Paper& paper) {
  if (std::find(papers.begin(), papers.end(), paper) == papers.end()) papers.push_back(paper);
  return papers;
}

PrintSettings InitialPrintSettings(platform::PrintService& service) {
  PrintSettings settings;
  const std::vector<platform::PrinterInfo> printers = service.Printers();
  const auto standard =
      std::find_if(printers.begin(), printers.end(), [](const auto& p) { return p.isDefault; });
  std::vector<platform::Paper> papers;
  if (standard != printers.end() && standard->defaultPaper) {
    settings.setup.paper = *standard->defaultPaper;
    papers = standard->papers;
  } else {
    settings.setup.paper = service.LocalePaper();
  }
  if (papers.empty()) papers = platform::StandardPapers();
  settings.papers = PapersOffering(std::move(papers), settings.setup.paper);
  settings.setup.landscape = false;
  settings.setup.leftMm = settings.setup.topMm = kDefaultMarginMm;
  settings.setup.rightMm = settings.setup.bottomMm = kDefaultMarginMm;
  return settings;
}

}  // namespace zd
