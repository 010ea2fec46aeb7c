#include "script/filter_commands.h"

#include <charconv>
#include <cmath>

#include "base/text.h"
#include "database/database.h"
#include "database/filter_pass.h"
#include "resources/string_table.h"
#include "runtime.h"
#include "script/script_engine.h"
#include "script/script_line_writer.h"

namespace zd::script {
namespace {

Database& D(ScriptEngine& e) { return e.runtime().database; }

// One value argument into `values`; false (reported) when it is none of the three kinds.
bool ReadFilterValue(ScriptEngine& e, CommandCall& call, FilterValues& values, bool& mixed) {
  Word word;
  const ArgumentKind kind = e.ReadClassified(call.cursor, word);
  FilterValueKind valueKind;
  const size_t i = size_t(values.count);
  switch (kind) {
    case ArgumentKind::IntegerVariable:
    case ArgumentKind::IntegerConstant:
      if (!e.IntegerFromWord(word, kind, values.integers[i])) return false;
      valueKind = FilterValueKind::Integer;
      break;
    case ArgumentKind::StringVariable:
    case ArgumentKind::StringConstant: {
      ScriptText text;
      if (!e.StringFromWord(word, kind, text)) return false;
      values.texts[i] = text.str();
      valueKind = FilterValueKind::Text;
      break;
    }
    case ArgumentKind::FloatVariable:
    case ArgumentKind::FloatConstant:
      if (!e.FloatFromWord(word, kind, values.reals[i])) return false;
      valueKind = FilterValueKind::Real;
      break;
    case ArgumentKind::NoArgument:
      // A missing value: refused as a value that is no variable, number or text.
      e.ReportScriptDiagnostic("scerr38");
      return false;
    default:  // a word that is no argument at all has been reported as such
      return false;
  }
  if (values.count > 0 && valueKind != values.kind) mixed = true;
  values.kind = valueKind;
  ++values.count;
  return true;
}

void AddFilter(ScriptEngine& e, CommandCall& call) {
  Filter filter;
  if (call.kind == ArgumentKind::StringVariable || call.kind == ArgumentKind::StringConstant) {
    ScriptText name;
    if (!e.StringFromWord(call.first, call.kind, name)) return;
    if (name.size() > Filter::kMaxFieldName) {
      e.ReportScriptDiagnostic("asherr1", name.str());
      return;
    }
    filter.fieldName = name.str();
    filter.fieldByName = true;
  } else if (!e.IntegerFromWord(call.first, call.kind, filter.field)) {
    return;
  }
  ScriptText name, rule, test;
  if (!e.ReadStringArgument(call.cursor, name)) return;
  if (name.size() > Filter::kMaxName) {
    e.ReportScriptDiagnostic("asherr16", name.str());
    return;
  }
  RecordFilters& filters = D(e).filters;
  if (filters.NameInUse(name.view())) {
    e.ReportScriptDiagnostic("asherr17", name.str());
    return;
  }
  filter.name = name.str();
  if (!e.ReadStringArgument(call.cursor, rule)) return;
  const auto combine = FindCombineRule(ToUpper1253(rule.view()));
  if (!combine) {
    e.ReportScriptDiagnostic("asherr3", rule.str());
    return;
  }
  filter.rule = *combine;
  if (!e.ReadStringArgument(call.cursor, test)) return;
  const auto found = FindFilterTest(ToUpper1253(test.view()));
  if (!found) {
    e.ReportScriptDiagnostic("asherr4", test.str());
    return;
  }
  filter.test = *found;
  int32_t flags = 0;
  if (!e.ReadIntegerArgument(call.cursor, flags)) return;
  filter.flags = uint32_t(flags);
  bool mixed = false;
  for (int i = 0; i < ValueCount(filter.test); ++i) {
    if (!ReadFilterValue(e, call, filter.given, mixed)) return;
  }
  if (mixed) {
    e.ReportScriptDiagnostic("asherr5");
    return;
  }
  if (!filters.Add(std::move(filter))) e.ReportScriptError("asherr2");
}

void DelFilter(ScriptEngine& e, CommandCall& call) {
  RecordFilters& filters = D(e).filters;
  if (call.kind == ArgumentKind::NoArgument) {
    filters.Clear();
    return;
  }
  ScriptText name;
  if (!e.StringFromWord(call.first, call.kind, name)) return;
  if (!filters.Remove(name.view())) e.ReportScriptDiagnostic("asherr20", name.str());
}

void ApplyFilters(ScriptEngine& e, CommandCall& call) {
  int32_t invert = 0;
  if (call.kind != ArgumentKind::NoArgument && !e.IntegerFromWord(call.first, call.kind, invert)) {
    return;
  }
  Database& database = D(e);
  if (database.useSelection) {
    e.ReportScriptDiagnostic("asherr14");
    return;
  }
  if (!database.IsOpen()) {
    e.ReportScriptDiagnostic("scerr50");
    return;
  }
  Pointers& pointers = e.runtime().shell.pointers();
  const platform::CursorHandle previous = pointers.PushPointer(pointers.WaitCursor());
  const FilterPassResult result = ApplyFiltersToSelection(database, (invert & 1) != 0);
  pointers.PopPointer(previous);
  database.Release();
  if (result == FilterPassResult::FiltersFailed) e.ReportScriptDiagnostic("asherr15");
  if (result == FilterPassResult::OutOfMemory) e.runtime().shell.reporter().ReportError("skperr1");
}

void ClearSelection(ScriptEngine& e, CommandCall&) { D(e).selection.Clear(); }

void ShuffleSel(ScriptEngine& e, CommandCall& call) {
  int32_t seed = 0;
  if (call.kind == ArgumentKind::NoArgument) {
    seed = int32_t(e.runtime().platform.TickCount());
  } else if (!e.IntegerFromWord(call.first, call.kind, seed)) {
    return;
  }
  Database& database = D(e);
  if (database.useSelection) {
    e.runtime().shell.reporter().ReportDiagnostic("crierr33");
    return;
  }
  database.selection.Shuffle(uint32_t(seed), e.random());
}

// A real as the shortest text that reads back to the same double, always with a point or an
// exponent so that the script reads it as a float.
std::string RealWord(double value) {
  if (!std::isfinite(value))
    value = value > 0 ? 1.7976931348623157e308 : (value < 0 ? -1.7976931348623157e308 : 0.0);
  char text[64];
  const auto end = std::to_chars(text, text + sizeof text, value).ptr;
  std::string word(text, end);
  if (word.find_first_of(".e") == std::string::npos) word += ".0";
  return word;
}

// A date as style 0 writes it, which `ParseDate` reads back; a date that form cannot carry (a
// month name not recognised, a day past 31, a year written with a sign) as day, month name (or
// a word that names no month) and year, the year as its 16 bits read back.
std::string DateWord(const DateValue& date) {
  const std::string styled = FormatDate(date, 0);
  const DateValue back = ParseDate(styled, date.twoDigitYear);
  if (back.day == date.day && back.month == date.month && back.year == date.year) return styled;
  const std::string month = date.month >= 1 && date.month <= 12
                                ? LoadString(strings::MONTH_FIRST + date.month - 1, Language::Greek)
                                : "?";
  const std::string named =
      std::to_string(date.day) + " " + month + " " + std::to_string(uint16_t(date.year));
  return named;
}

}  // namespace

const FilterCommands kFilterCommands{ClearSelection, ShuffleSel, AddFilter, DelFilter,
                                     ApplyFilters};

std::vector<std::string> FilterLines(const Database& database, size_t index,
                                     std::string_view carrierPrefix) {
  const Filter& filter = database.filters.list()[index];
  CommandLineWriter writer("addfilter", carrierPrefix);
  if (!filter.fieldName.empty())
    writer.AddText(filter.fieldName);
  else
    writer.AddWord(std::to_string(filter.field));
  writer.AddText(filter.name);
  writer.AddText(NameOf(filter.rule));
  writer.AddText(NameOf(filter.test));
  writer.AddWord(std::to_string(int32_t(filter.flags)));
  // Resolved values where the list is resolved (texts turned into dates, labels or keywords),
  // else the values as given.
  const FilterValues& values = database.filters.resolved() ? filter.values : filter.given;
  for (size_t i = 0; i < size_t(values.count); ++i) {
    switch (values.kind) {
      case FilterValueKind::Integer:
        writer.AddWord(std::to_string(values.integers[i]));
        break;
      case FilterValueKind::Text:
        writer.AddText(values.texts[i]);
        break;
      case FilterValueKind::Real:
        writer.AddWord(RealWord(values.reals[i]));
        break;
      case FilterValueKind::Date:
        writer.AddText(DateWord(values.dates[i]));
        break;
    }
  }
  return writer.Lines();
}

std::vector<std::string> FilterStatusLines(const Database& database,
                                           std::string_view carrierPrefix) {
  std::vector<std::string> lines{"delfilter", "clearselection"};
  const RecordFilters& filters = database.filters;
  const RecordSelection& selection = database.selection;
  const bool rebuild = database.IsOpen() && !selection.empty();
  if (!filters.empty() || rebuild) {
    lines.push_back("set UseSelection%, 0");
    for (size_t i = 0; i < filters.size(); ++i) {
      for (std::string& line : FilterLines(database, i, carrierPrefix)) {
        lines.push_back(std::move(line));
      }
    }
    if (rebuild) lines.push_back(selection.inverted() ? "applyfilters 1" : "applyfilters");
  }
  if (selection.shuffled())
    lines.push_back("shufflesel " + std::to_string(int32_t(selection.seed())));
  return lines;
}

}  // namespace zd::script
