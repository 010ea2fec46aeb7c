#include "script/date_commands.h"

#include <algorithm>

#include "database/dates.h"
#include "script/script_engine.h"

namespace zd::script {
namespace {

// Reads an integer that must fit the date field it goes to; a value that does not is reported
// rather than cut to the field's bits.
bool ReadDatePart(ScriptEngine& e, CommandCall& call, int32_t low, int32_t high, int32_t& value) {
  if (!e.ReadIntegerArgument(call.cursor, value)) return false;
  if (value < low || value > high) {
    e.ReportScriptDiagnostic("scerr77", std::to_string(value));
    return false;
  }
  return true;
}

void DateToStr(ScriptEngine& e, CommandCall& call) {
  int32_t day = 0, month = 0, year = 0;
  if (!ReadDatePart(e, call, 0, 255, day) || !ReadDatePart(e, call, 0, 255, month) ||
      !ReadDatePart(e, call, INT16_MIN, INT16_MAX, year)) {
    return;
  }
  const DateValue date{uint8_t(day), uint8_t(month), int16_t(year), false};
  e.SetStringVariable(call.first.view(), FormatDate(date, e.dateFormat));
}

void StrToDate(ScriptEngine& e, CommandCall& call) {
  ScriptText text;
  if (!e.StringFromWord(call.first, call.kind, text)) return;
  const DateValue date = ParseDate(text.view(), false);
  for (const int32_t part : {int32_t{date.day}, int32_t{date.month}, int32_t{date.year}}) {
    Word output;
    if (e.ReadClassified(call.cursor, output) != ArgumentKind::IntegerVariable) {
      e.ReportScriptDiagnostic("scerr43", output.str());
      return;
    }
    e.SetIntVariable(output.view(), part);
  }
}

void DaysInMonthCommand(ScriptEngine& e, CommandCall& call) {
  int32_t month = 0, year = 0;
  if (!e.ReadIntegerArgument(call.cursor, month) || !e.ReadIntegerArgument(call.cursor, year)) return;
  e.SetIntVariable(call.first.view(), DaysInMonth(month, year));
}

void DateToJul(ScriptEngine& e, CommandCall& call) {
  int32_t day = 0, month = 0, year = 0;
  if (!e.ReadIntegerArgument(call.cursor, day) || !e.ReadIntegerArgument(call.cursor, month) ||
      !e.ReadIntegerArgument(call.cursor, year)) {
    return;
  }
  // Worked in 64 bits; a day number past what a variable holds stays at its limit.
  const int64_t julian = JulianDay(day, month, year);
  e.SetIntVariable(call.first.view(), int32_t(std::clamp<int64_t>(julian, INT32_MIN, INT32_MAX)));
}

}  // namespace

const DateCommands kDateCommands{DateToStr, StrToDate, DaysInMonthCommand, DateToJul};

}  // namespace zd::script
