// The filter list: named tests of one field each against one or two values, joined per field
// by combine rules. One list for the whole player, kept across databases; `applyfilters` and
// the choice list run it over records.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

#include "base/byte_view.h"
#include "database/database_layout.h"
#include "database/dates.h"
#include "database/filter_rules.h"

namespace zd {

class Database;

enum class FilterValueKind : int32_t { Integer = 0, Text = 1, Real = 2, Date = 3 };

// One or two values of one kind.
struct FilterValues {
  FilterValueKind kind = FilterValueKind::Integer;
  int count = 0;
  std::array<int32_t, 2> integers{};
  std::array<double, 2> reals{};
  std::array<std::string, 2> texts;  // up to 255 characters each
  std::array<DateValue, 2> dates{};
};

struct Filter {
  static constexpr size_t kMaxName = 12;
  static constexpr size_t kMaxFieldName = 31;

  std::string name;       // may be empty
  int32_t field = -1;     // -1 until resolved when the field was given by name
  std::string fieldName;  // empty when given by index, until resolved
  bool fieldByName = false;
  CombineRule rule = CombineRule::And;
  FilterTest test = FilterTest::Equal;
  uint32_t flags = 0;
  size_t bytes = 0;     // what the list counts for it against its limit
  FilterValues given;   // as the script gave them
  FilterValues values;  // converted for the field when resolved (texts to dates, labels, keywords)

  // Prepared when resolved, so that evaluating a record reads and compares only.
  FieldDescriptor descriptor;
  std::array<std::string, 2> foldedTexts;  // the text values upper-cased for the case flag
  std::array<float, 2> floats{};           // the real values rounded as a 32-bit field keeps them
};

class RecordFilters {
 public:
  // No title comes near these; they keep a runaway script from exhausting memory.
  // Every filter is tried on every record: a few thousand already make a pass take minutes.
  static constexpr size_t kMaxFilters = 4096;
  static constexpr size_t kMaxBytes = 64 * 1024 * 1024;  // texts counted three times

  bool empty() const { return filters_.empty(); }
  size_t size() const { return filters_.size(); }
  // In list order: sorted once resolved (by field, late rules after the others).
  const std::vector<Filter>& list() const { return filters_; }
  bool resolved() const { return resolved_; }
  bool NameInUse(std::string_view name) const;

  // Appends a filter whose name, field name and values the caller has checked; false when
  // the list is full (nothing changed). The list is unresolved afterwards.
  bool Add(Filter filter);
  void Clear();
  // Deletes the first filter of that name; false when there is none.
  bool Remove(std::string_view name);

  // Whether record `record` (as record access numbers it) passes; nullopt when the filters
  // cannot be resolved against the open database (reported) or the record cannot be read.
  std::optional<bool> Evaluate(Database& database, int record);

  // Checks the filters against the open database, converts their values and sorts them; run
  // again when the open database's fields no longer are the ones they were resolved for.
  // Reports the first fault and returns false then.
  bool EnsureResolved(Database& database);
  // Evaluate for a resolved list: the bytes of the record.
  std::optional<bool> EvaluateResolved(Database& database, ByteView record);

 private:
  bool Resolve(Database& database);
  bool StillFits(const Database& database) const;
  std::optional<bool> Test(Database& database, const Filter& filter, ByteView record);

  // Runs of filters on one field, in the order they are tried (set when resolved).
  struct Group {
    size_t begin = 0, end = 0;
    int cost = 0;
  };
  void PlanGroups();

  std::vector<Filter> filters_;
  std::vector<Group> groups_;
  std::unordered_set<std::string> names_;  // the non-empty names in use
  size_t bytes_ = 0;
  bool resolved_ = true;
  std::string scratch_;            // a record's text, folded, reused from record to record
};

}  // namespace zd
