// The filter pass of `applyfilters`: the selection rebuilt from the filters over every record
// of the open database.
#pragma once

namespace zd {

class Database;

enum class FilterPassResult { Applied, FiltersFailed, OutOfMemory };

// Makes the selection hold the records that pass the filters (with `invert`, those that fail).
// Records already selected that still qualify keep their places, records newly qualifying
// follow in ascending order, and selected indices the open database does not have stay where
// they are. The new selection is built aside: when an evaluation fails (reported by the
// filters) or memory runs out, the selection is left exactly as it was.
FilterPassResult ApplyFiltersToSelection(Database& database, bool invert);

}  // namespace zd
