// The lines of a database list box: the records of the open database that pass the keyword
// condition and the filters, each shown by its value of the list field.
#pragma once

#include <vector>

#include "title/choice_list.h"

namespace zd {

class Database;
class Reporter;

constexpr const char* kNoItemsFound = "NO ITEMS FOUND";

// One line per record that passes, in record order, with the record number as its data; the
// single line "NO ITEMS FOUND" (record -1) when none does. With no database open, or when the
// filters cannot be evaluated, "generr2" is reported and the list holds that single line alone:
// a list of records the filters were meant to narrow is not shown unnarrowed.
std::vector<ChoiceLine> ListRecords(Database& database, int field, Reporter& reporter);

}  // namespace zd
