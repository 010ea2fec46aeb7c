// Printing through CUPS: its destinations and the media they take, and finished PDFs handed to
// them. The few calls into CUPS go through a table (`CupsCalls`) so that tests hand in a
// destination list of their own; the system table asks the CUPS daemon, and where none runs
// there are simply no printers.
#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/print/locale_paper.h"
#include "platform/print/print_service.h"

namespace zd::platform {

// A destination as CUPS describes it, media by their PWG names.
struct CupsDestination {
  std::string name;
  std::string info;            // the "printer-info" option; may be empty
  bool isDefault = false;
  std::vector<std::string> media;
  std::string defaultMedia;    // empty: not known
};

// What one printer says about its media.
struct CupsMedia {
  std::vector<std::string> media;
  std::string defaultMedia;    // empty: not known
};

struct CupsCalls {
  // The destinations, quickly: their media are not asked for here.
  std::function<std::vector<CupsDestination>()> destinations;
  // Asks one printer for its media. This may wait on the network, so the service asks only
  // the default printer, once a run.
  std::function<CupsMedia(const std::string& printer)> media;
  // Prints `path` on `printer`; the job id, or 0 with `error` set.
  std::function<int(const std::string& printer, const std::string& path, const std::string& title,
                    int copies, std::string& error)>
      printFile;
};

// The table that talks to the CUPS daemon (and gives no printers, quickly, without one).
CupsCalls SystemCupsCalls();

// A print service over `calls`; its locale paper comes from `locale`.
std::unique_ptr<PrintService> MakeCupsPrintService(CupsCalls calls, LocaleFacts locale);

// The printers of a destination list, papers mapped from their media names (CUPS's order kept,
// sizes it names twice listed once).
std::vector<PrinterInfo> PrintersFrom(const std::vector<CupsDestination>& destinations);

}  // namespace zd::platform
