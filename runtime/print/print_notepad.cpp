// The notepad's pages on sheets: the ones the print dialog's range names.
#include <algorithm>

#include "print/print_job.h"
#include "print/printing.h"
#include "resources/string_table.h"
#include "runtime.h"

namespace zd {

void Printing::PrintNotepad(const NotepadPrintJob& job) {
  const int count = std::max(int(job.pages.size()) - 1, 0);
  if (count == 0) return;
  PrintJobRequest request;
  request.pageCount = count;
  if (job.range == NotepadPrintJob::Range::CurrentPage && job.currentPage >= 1 &&
      job.currentPage <= count) {
    request.rangeFrom = request.rangeTo = job.currentPage;
  }
  const std::string header = LoadString(strings::PAGE_HEADING, runtime_.config.language);
  RunPrintJob(runtime_, InitPrinting(), request,
              [&](SheetTarget& target, const platform::PrintChoice& choice) {
                // All pages unless the dialog came back with a range it offered.
                int from = 1, to = count;
                if (choice.fromPage >= 1 && choice.fromPage <= choice.toPage &&
                    choice.toPage <= count) {
                  from = choice.fromPage;
                  to = choice.toPage;
                }
                std::vector<NotepadSheetPage> pages;
                for (int n = from; n <= to; ++n) pages.push_back({n, job.pages[size_t(n)]});
                return PrintNotepadSheets(target, pages, header);
              });
}

}  // namespace zd
