#include "database/record_list.h"

#include "database/database.h"
#include "shell/keyed_messages.h"

namespace zd {
namespace {

std::vector<ChoiceLine> NothingFound() { return {ChoiceLine{kNoItemsFound, -1}}; }

}  // namespace

std::vector<ChoiceLine> ListRecords(Database& database, int field, Reporter& reporter) {
  if (!database.IsOpen()) {
    reporter.ReportDiagnostic("generr2");
    return NothingFound();
  }
  KeywordSearch& keywords = database.keywords();
  // Without a keyword condition every record matches: its bytes need not be read for it.
  const bool keywordTest = keywords.condition().has_value();
  const int count = database.RecordCount();
  std::vector<ChoiceLine> lines;
  for (int record = 0; record < count; ++record) {
    if (keywordTest && !keywords.RecordMatchesKeywords(database, database.GetRecord(record))) continue;
    const std::optional<bool> passes = database.EvaluateFilters(record);
    if (!passes) {
      reporter.ReportDiagnostic("generr2");
      return NothingFound();
    }
    if (!*passes) continue;
    lines.push_back(ChoiceLine{database.FormatFieldValue(kChoiceLineLength + 1, record, field), record});
  }
  if (lines.empty()) return NothingFound();
  return lines;
}

}  // namespace zd
