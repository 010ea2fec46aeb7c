// The filter commands: building the filter list, applying it to make the selection, emptying
// and shuffling the selection; and the status lines that record them.
#pragma once

#include "script/script_line_writer.h"

#include <string>
#include <vector>

#include "script/command_table.h"

namespace zd {
class Database;
}

namespace zd::script {

struct FilterCommands {
  CommandHandler clearselection, shufflesel, addfilter, delfilter, applyfilters;
};
extern const FilterCommands kFilterCommands;

// The lines a status file keeps for the filters and the selection: "delfilter",
// "clearselection", then (when there are filters, or a selection to rebuild) "set
// UseSelection%, 0", one `addfilter` per filter in list order and `applyfilters` (with 1 for
// an inverted selection) when a database is open and the selection holds records, and last
// `shufflesel SEED` for a shuffled selection. Replayed, they rebuild the selection one run of
// the filters made, shuffled or not, and a selection of every record made with no filters; a
// selection whose filters were deleted after their run comes back as every record. Carried
// texts use variables named with `carrierPrefix` (see CommandLineWriter).
std::vector<std::string> FilterStatusLines(
    const Database& database,
    std::string_view carrierPrefix = CommandLineWriter::kDefaultCarrierPrefix);

// The `addfilter` lines of one filter (more than one when a text has to be carried).
std::vector<std::string> FilterLines(
    const Database& database, size_t filter,
    std::string_view carrierPrefix = CommandLineWriter::kDefaultCarrierPrefix);

}  // namespace zd::script
