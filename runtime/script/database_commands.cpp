#include "script/database_commands.h"

#include <cctype>

#include "database/database_locate.h"
#include "runtime.h"
#include "script/database_arguments.h"
#include "script/script_engine.h"

namespace zd::script {
namespace {

// What scripts read of a text: a string variable holds 255 characters.
constexpr size_t kTextCapacity = 256;
constexpr size_t kShownExplainCapacity = 2048;
constexpr size_t kMaxDatabaseName = 19;

Database& D(ScriptEngine& e) { return e.runtime().database; }

bool ReadField(ScriptEngine& e, CommandCall& call, bool databaseToo, int32_t& field) {
  return e.ReadIntegerArgument(call.cursor, field) && ValidField(e, field, databaseToo);
}


// The name of a field type as the messages file gives it, without trailing blanks.
std::string FieldTypeName(ScriptEngine& e, int type) {
  std::string name = e.runtime().shell.reporter().Lookup("fldtype" + std::to_string(type));
  while (!name.empty() && std::isspace(static_cast<unsigned char>(name.back()))) name.pop_back();
  return name;
}

std::string Cut(std::string text, size_t capacity) {
  if (text.size() > capacity - 1) text.resize(capacity - 1);
  return text;
}

void OpenData(ScriptEngine& e, CommandCall& call) {
  ScriptText name;
  if (!e.StringFromWord(call.first, call.kind, name)) return;
  if (name.size() > kMaxDatabaseName) {
    e.ReportScriptDiagnostic("scerr60");
    return;
  }
  Runtime& runtime = e.runtime();
  const auto folder = LocateDatabase(runtime.titleFiles.titleDirectory(), name.view(),
                                     runtime.shell.commandLine().overrideDirectoryAsGiven);
  if (!folder) {
    e.ReportScriptError("scerr61", name.str());
    return;
  }
  ReleaseAtEnd release{D(e)};
  D(e).OpenDatabase(*folder, name.str());
}

void CloseData(ScriptEngine& e, CommandCall&) {
  if (D(e).IsResourceDatabase()) {
    e.ReportScriptDiagnostic("scerr62");
    return;
  }
  D(e).CloseDatabase();
}

void GetFieldName(ScriptEngine& e, CommandCall& call) {
  int32_t field = 0;
  if (!ReadField(e, call, false, field)) return;
  e.SetStringVariable(call.first.view(), D(e).GetFieldDescriptor(field).name);
}

void GetFieldType(ScriptEngine& e, CommandCall& call) {
  int32_t field = 0;
  if (!ReadField(e, call, false, field)) return;
  e.SetStringVariable(call.first.view(), FieldTypeName(e, D(e).GetFieldDescriptor(field).type));
}

void GetExplain(ScriptEngine& e, CommandCall& call) {
  int32_t field = 0;
  if (!ReadField(e, call, true, field)) return;
  ReleaseAtEnd release{D(e)};
  e.SetStringVariable(call.first.view(), D(e).ReadExplainText(field, kTextCapacity));
}

void ShowExplain(ScriptEngine& e, CommandCall& call) {
  int32_t field = 0;
  if (!e.IntegerFromWord(call.first, call.kind, field) || !ValidField(e, field, true)) return;
  ReleaseAtEnd release{D(e)};
  Database& database = D(e);
  std::string text = database.ReadExplainText(field, kShownExplainCapacity);
  if (text.empty()) text = "No explain text available.";
  const std::string caption =
      field < 0 ? database.describe()->title : database.GetFieldDescriptor(field).name;
  e.runtime().shell.reporter().ShowText(caption, text);
}

// Reads the next argument, which must be a variable of `kind`; otherwise `key` with it.
bool ReadVariable(ScriptEngine& e, CommandCall& call, ArgumentKind kind, std::string_view key,
                  Word& variable) {
  if (e.ReadClassified(call.cursor, variable) == kind) return true;
  e.ReportScriptDiagnostic(key, variable.str());
  return false;
}

bool SetIntegers(ScriptEngine& e, CommandCall& call, std::initializer_list<int32_t> values) {
  for (const int32_t value : values) {
    Word variable;
    if (!ReadVariable(e, call, ArgumentKind::IntegerVariable, "scerr44", variable)) return false;
    e.SetIntVariable(variable.view(), value);
  }
  return true;
}

// A value into numeric variables, by the field's type.
void GetNumericValue(ScriptEngine& e, CommandCall& call, const FieldDescriptor& field,
                     ByteView record, const Word& destination) {
  switch (field.type) {
    case field_type::REAL:
    case field_type::DECIMAL:
      if (e.Classify(destination) != ArgumentKind::FloatVariable) {
        e.ReportScriptDiagnostic("scerr46", destination.str());
        return;
      }
      e.SetFloatVariable(destination.view(), double(ReadReal(record, field).value_or(0)));
      return;
    case field_type::TEXT:
    case field_type::PICTURE:
    case field_type::OTHER:
      e.ReportScriptDiagnostic("scerr16");
      return;
    case field_type::LONG_TEXT:
    case field_type::NUMBER:
      e.ReportScriptDiagnostic("scerr53", FieldTypeName(e, field.type));
      return;
    default:
      break;
  }
  if (field.type > field_type::COORDINATES) {
    e.ReportScriptDiagnostic("scerr16");
    return;
  }
  if (e.Classify(destination) != ArgumentKind::IntegerVariable) {
    e.ReportScriptDiagnostic("scerr44", destination.str());
    return;
  }
  switch (field.type) {
    case field_type::DATE: {
      const DateValue date = ReadDate(record, field).value_or(DateValue{});
      e.SetIntVariable(destination.view(), date.day);
      SetIntegers(e, call, {int32_t{date.month}, int32_t{date.year}});
      return;
    }
    case field_type::COORDINATES: {
      const auto pair = ReadCoordinates(record, field).value_or(std::pair<int16_t, int16_t>{});
      e.SetIntVariable(destination.view(), pair.first);
      SetIntegers(e, call, {int32_t{pair.second}});
      return;
    }
    case field_type::YES_NO:  // any non-zero byte counts as yes, as titles have always read it
      e.SetIntVariable(destination.view(), ReadUnsigned(record, field).value_or(0) != 0);
      return;
    default:  // bytes, integers and keyword bit sets
      e.SetIntVariable(destination.view(), int32_t(ReadUnsigned(record, field).value_or(0)));
      return;
  }
}

void GetData(ScriptEngine& e, CommandCall& call) {
  Database& database = D(e);
  ReleaseAtEnd release{database};
  const auto found = FieldFromWord(e, call.first, call.kind);
  if (!found) return;
  const int32_t field = *found;
  int32_t record = 0;
  if (!e.ReadIntegerArgument(call.cursor, record) || !ValidRecord(e, record)) return;
  Word destination;
  const ArgumentKind kind = e.ReadClassified(call.cursor, destination);
  const ByteView bytes = database.GetRecord(record);
  if (bytes.empty()) return;
  if (kind == ArgumentKind::StringVariable) {
    // The record is in the window now, so the text form reads it from there.
    const std::string text = database.FormatFieldValue(Database::kValueTextCapacity, record, field);
    e.SetStringVariable(destination.view(), Cut(text, kTextCapacity));
    return;
  }
  GetNumericValue(e, call, database.GetFieldDescriptor(field), bytes, destination);
}

void GetFieldStats(ScriptEngine& e, CommandCall& call) {
  int32_t field = 0;
  if (!e.IntegerFromWord(call.first, call.kind, field) || !ValidField(e, field, false)) return;
  Database& database = D(e);
  const FieldDescriptor& descriptor = database.GetFieldDescriptor(field);
  if (!descriptor.IsNumeric()) {
    e.ReportScriptDiagnostic("scerr57", FieldTypeName(e, descriptor.type));
    return;
  }
  Word variables[4];
  for (Word& variable : variables) {
    if (!ReadVariable(e, call, ArgumentKind::FloatVariable, "scerr46", variable)) return;
  }
  ReleaseAtEnd release{database};
  const Database::Statistics stats = database.FieldStatistics(field);
  const double values[] = {stats.minimum, stats.maximum, stats.sum, stats.sumOfSquares};
  for (size_t i = 0; i < 4; ++i) e.SetFloatVariable(variables[i].view(), values[i]);
}

void TokenSearch(ScriptEngine& e, CommandCall& call) {
  ScriptText pageName;
  if (!e.StringFromWord(call.first, call.kind, pageName)) return;
  const AuthorfileImage* image = e.runtime().titleFiles.imageOrNull();
  const auto page = image ? image->FindPageByName(pageName.view()) : std::nullopt;
  if (!page) {
    e.ReportScriptDiagnostic("tkserr2", pageName.str());
    return;
  }
  int32_t field = 0, keyword = 0;
  if (!e.ReadIntegerArgument(call.cursor, field) || !e.ReadIntegerArgument(call.cursor, keyword)) {
    return;
  }
  D(e).keywords().AddKeywordCondition(*page, uint16_t(field), keyword);
}

}  // namespace

const DatabaseCommands kDatabaseCommands{OpenData,   CloseData,   GetFieldName,
                                         GetFieldType, GetExplain, ShowExplain,
                                         GetData,    GetFieldStats, TokenSearch};

}  // namespace zd::script
