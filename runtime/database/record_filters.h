// The filter list: named tests of one field each against one or two values, joined per field
// by combine rules. One list for the whole player, kept across databases; `applyfilters` and
// the choice list run it over records.
#pragma once

#include <optional>

namespace zd {

class Database;

class RecordFilters {
 public:
  bool empty() const { return true; }
  // Whether record `record` (as record access numbers it) passes; nullopt when the filters
  // cannot be resolved against the open database (reported).
  std::optional<bool> Evaluate(Database& database, int record);
};

}  // namespace zd
