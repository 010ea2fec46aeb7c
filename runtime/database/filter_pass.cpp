#include "database/filter_pass.h"

#include <bitset>
#include <memory>
#include <new>
#include <vector>

#include "database/database.h"

namespace zd {

FilterPassResult ApplyFiltersToSelection(Database& database, bool invert) {
  RecordFilters& filters = database.filters;
  if (!filters.EnsureResolved(database)) return FilterPassResult::FiltersFailed;
  const RecordSelection& old = database.selection;
  const int count = database.RecordCount();  // the header's count: the selection is not in use
  try {
    auto qualifies = std::make_unique<std::bitset<RecordSelection::kRecordNumbers>>();
    // The original added and removed record by record; the selection it left ran empty on
    // the way when a removal took its last entry, which also ended its shuffle.
    size_t running = old.size();
    bool emptied = false;
    for (int record = 0; record < count; ++record) {
      bool passed = true;
      if (!filters.empty()) {
        const ByteView bytes = database.GetRecord(record);
        const auto result =
            bytes.empty() ? std::nullopt : filters.EvaluateResolved(database, bytes);
        if (!result) return FilterPassResult::FiltersFailed;
        passed = *result;
      }
      const bool wanted = passed != invert;
      (*qualifies)[size_t(record)] = wanted;
      const bool member = old.Contains(uint16_t(record));
      if (wanted && !member) {
        ++running;
      } else if (!wanted && member && --running == 0) {
        emptied = true;
      }
    }
    std::vector<uint16_t> records;
    records.reserve(running);
    for (const uint16_t record : old.records()) {
      if (record >= count || (*qualifies)[record]) records.push_back(record);
    }
    for (int record = 0; record < count; ++record) {
      if ((*qualifies)[size_t(record)] && !old.Contains(uint16_t(record))) {
        records.push_back(uint16_t(record));
      }
    }
    database.selection.Replace(std::move(records), emptied);
    database.selection.SetInverted(invert);
  } catch (const std::bad_alloc&) {
    return FilterPassResult::OutOfMemory;
  }
  return FilterPassResult::Applied;
}

}  // namespace zd
