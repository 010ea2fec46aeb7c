#include "script/database_arguments.h"

#include "runtime.h"
#include "script/script_engine.h"

namespace zd::script {

ReleaseAtEnd::~ReleaseAtEnd() { database.Release(); }

bool DatabaseOpen(ScriptEngine& e) {
  if (e.runtime().database.IsOpen()) return true;
  e.ReportScriptDiagnostic("scerr50");
  return false;
}

bool ValidField(ScriptEngine& e, int32_t field, bool databaseToo) {
  if (!DatabaseOpen(e)) return false;
  if (field < (databaseToo ? -1 : 0) || field >= e.runtime().database.FieldCount()) {
    e.ReportScriptDiagnostic("scerr51");
    return false;
  }
  return true;
}

bool ValidRecord(ScriptEngine& e, int32_t record) {
  const Database& database = e.runtime().database;
  const bool outside = record < 0 || record >= database.RecordCount() ||
                       (database.useSelection && database.IsOpen() &&
                        uint32_t(database.selection.Record(record)) >= database.describe()->recordCount);
  if (outside) {
    e.ReportScriptDiagnostic("scerr52");
    return false;
  }
  return true;
}

std::optional<int32_t> FieldFromWord(ScriptEngine& e, const Word& word, ArgumentKind kind) {
  if (kind == ArgumentKind::StringVariable || kind == ArgumentKind::StringConstant) {
    ScriptText name;
    if (!e.StringFromWord(word, kind, name) || !DatabaseOpen(e)) return std::nullopt;
    const int field = e.runtime().database.FindFieldByName(name.view());
    if (field < 0) {
      e.ReportScriptDiagnostic("scerr63", name.str());
      return std::nullopt;
    }
    return field;
  }
  int32_t field = 0;
  if (!e.IntegerFromWord(word, kind, field) || !ValidField(e, field, false)) return std::nullopt;
  return field;
}

}  // namespace zd::script
