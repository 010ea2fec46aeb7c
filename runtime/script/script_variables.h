// The user variables: three tables (integer, float, string), each kept in order of creation,
// and the shared lookup behind every read and write.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

#include "script/line_cursor.h"
#include "script/script_text.h"

namespace zd::script {

struct IntegerVariable {
  static constexpr ArgumentKind kKind = ArgumentKind::IntegerVariable;
  VariableName name;
  int32_t value = 0;
};
struct FloatVariable {
  static constexpr ArgumentKind kKind = ArgumentKind::FloatVariable;
  VariableName name;
  double value = 0;
};
struct StringVariable {
  static constexpr ArgumentKind kKind = ArgumentKind::StringVariable;
  VariableName name;
  ScriptText value;
};

// Why a lookup failed (the caller reports it under the matching key).
enum class LookupFailure { None, NameTooLong, NotFound, NoMemory };

class VariableTables {
 public:
  VariableTables() : version_(FirstVersion(this)) {}
  VariableTables(const VariableTables&) = delete;
  VariableTables& operator=(const VariableTables&) = delete;

  std::vector<IntegerVariable> integers;
  std::vector<FloatVariable> floats;
  std::vector<StringVariable> strings;

  // The index of `name` in `table`; -1 and `failure` set when it is not there (and could not be
  // made, with `create`). New records go at the end, so the table stays in creation order.
  template <typename Record>
  int FindVariable(std::vector<Record>& table, std::string_view name, bool create,
                          LookupFailure& failure);

  // Deletes the record at `index` of `table`; the later records move up one place.
  template <typename Record>
  void EraseAt(std::vector<Record>& table, size_t index) {
    table.erase(table.begin() + static_cast<std::ptrdiff_t>(index));
    ++version_;
  }

  void Clear() {
    integers.clear();
    floats.clear();
    strings.clear();
    ++version_;
  }

  // Changes whenever records may have moved (a deletion, a clear, a table grown into new
  // memory): a record found stays where it is, with its name, while the version stays the same.
  uint64_t version() const { return version_; }

 private:
  // Tables of different engines start their versions far apart (from the clock and their
  // address), so that what was found in one is not taken for what was found in another (a
  // prepared script run by two engines).
  uint64_t version_;
  static uint64_t FirstVersion(const void* tables);
};

// Titles make a few dozen variables; a table that would grow past this is refused as the
// original refused when its memory ran out.
constexpr size_t kMaxVariablesPerTable = 65536;

template <typename Record>
int VariableTables::FindVariable(std::vector<Record>& table, std::string_view name, bool create,
                                 LookupFailure& failure) {
  failure = LookupFailure::None;
  if (name.size() > kMaxVariableName) {
    failure = LookupFailure::NameTooLong;
    return -1;
  }
  for (size_t i = 0; i < table.size(); ++i) {
    if (table[i].name == name) return static_cast<int>(i);
  }
  if (!create) {
    failure = LookupFailure::NotFound;
    return -1;
  }
  if (table.size() >= kMaxVariablesPerTable) {
    failure = LookupFailure::NoMemory;
    return -1;
  }
  if (table.size() == table.capacity()) ++version_;  // every record moves
  table.emplace_back();
  table.back().name.Assign(name);
  return static_cast<int>(table.size() - 1);
}

// The value of the user variable a word of a line names, where the word's place says it was found
// and the tables have kept it there since; nullptr otherwise (never found, a system variable,
// records moved since).
template <typename Record>
decltype(Record::value)* PlacedValue(const VariableTables& tables,
                                     std::vector<Record>& /*table*/, const Word& name) {
  const PreparedWord* w = name.prepared();
  if (!w || w->kind != Record::kKind) return nullptr;
  const VariablePlace& place = name.script()->PlaceOfVariable(w->value);
  if (place.tablesVersion != tables.version()) return nullptr;
  return static_cast<decltype(Record::value)*>(place.value);
}

}  // namespace zd::script
