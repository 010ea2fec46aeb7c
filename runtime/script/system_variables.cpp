#include "script/system_variables.h"

#include "base/text.h"
#include "runtime.h"

namespace zd::script {

bool SystemVariables::RegisterInt(const IntSystemVariable& variable) {
  if (intCount_ >= SCRIPT_NUM_OF_INT_SYS_VARS) return false;
  ints_[static_cast<size_t>(intCount_++)] = variable;
  return true;
}

bool SystemVariables::RegisterString(const StringSystemVariable& variable) {
  if (stringCount_ >= SCRIPT_NUM_OF_STRING_SYS_VARS) return false;
  strings_[static_cast<size_t>(stringCount_++)] = variable;
  return true;
}

const IntSystemVariable* SystemVariables::FindInt(std::string_view name) const {
  for (int i = 0; i < intCount_; ++i) {
    if (ints_[static_cast<size_t>(i)].name == name) return &ints_[static_cast<size_t>(i)];
  }
  return nullptr;
}

const StringSystemVariable* SystemVariables::FindString(std::string_view name) const {
  for (int i = 0; i < stringCount_; ++i) {
    if (strings_[static_cast<size_t>(i)].name == name) return &strings_[static_cast<size_t>(i)];
  }
  return nullptr;
}

namespace {

Runtime& R(ScriptEngine& e) { return e.runtime(); }
platform::LocalTime Now(ScriptEngine& e) { return R(e).platform.Now(); }
int32_t Ticks(ScriptEngine& e) { return static_cast<int32_t>(R(e).platform.TickCount() / 10); }

int32_t PageTime(ScriptEngine& e) {
  const Scheduler& s = R(e).scheduler;
  return static_cast<int32_t>((s.PageClock() - s.pageStartTime()) / 10);
}
// Worked out in wrapping 32-bit arithmetic: a title may set any value.
int32_t Wrap(int64_t v) { return static_cast<int32_t>(static_cast<uint32_t>(v)); }
int32_t TotalTime(ScriptEngine& e) { return Wrap(int64_t{Ticks(e)} - e.totalTimeBase); }
void SetTotalTime(ScriptEngine& e, int32_t v) { e.totalTimeBase = Wrap(int64_t{Ticks(e)} - v); }
int32_t One(ScriptEngine&) { return 1; }
int32_t Zero(ScriptEngine&) { return 0; }
int32_t Flip(ScriptEngine&) { return -1; }
int32_t PlatformNumber(ScriptEngine&) { return 2; }
int32_t OverviewEntry(ScriptEngine& e) {
  return static_cast<int32_t>(R(e).pages.currentSection());
}
int32_t PageNumber(ScriptEngine& e) {
  return static_cast<int32_t>(R(e).pages.currentPageNumber());
}
int32_t Sound(ScriptEngine& e) { return R(e).movies.sound(); }
void SetSound(ScriptEngine& e, int32_t v) { R(e).movies.SetSound(v); }
int32_t Sec(ScriptEngine& e) { return Now(e).second; }
int32_t Min(ScriptEngine& e) { return Now(e).minute; }
int32_t Hour(ScriptEngine& e) { return Now(e).hour; }
int32_t DayOfMonth(ScriptEngine& e) { return Now(e).day; }
int32_t Month(ScriptEngine& e) { return Now(e).month; }
int32_t Year(ScriptEngine& e) { return Now(e).year; }
int32_t DayOfWeek(ScriptEngine& e) { return Now(e).dayOfWeek + 1; }
int32_t DayOfYear(ScriptEngine& e) { return Now(e).dayOfYear + 1; }
int32_t NFields(ScriptEngine& e) {
  return R(e).database.IsOpen() ? R(e).database.FieldCount() : -1;
}
int32_t NRecords(ScriptEngine& e) {
  return R(e).database.IsOpen() ? R(e).database.RecordCount() : -1;
}
int32_t UseSelection(ScriptEngine& e) { return R(e).database.useSelection; }
void SetUseSelection(ScriptEngine& e, int32_t v) { R(e).database.useSelection = v; }
int32_t DateFormat(ScriptEngine& e) { return e.dateFormat; }
void SetDateFormat(ScriptEngine& e, int32_t v) { e.dateFormat = v; }
int32_t MouseX(ScriptEngine& e) { return R(e).shell.pointers().MouseX(); }
int32_t MouseY(ScriptEngine& e) { return R(e).shell.pointers().MouseY(); }

void PageName(ScriptEngine& e, ScriptText& out) {
  out.Clear();
  const AuthorfileImage* image = R(e).titleFiles.imageOrNull();
  if (!image) return;
  if (auto section = image->SectionEntry(R(e).pages.currentSection())) {
    out.Assign(image->SectionName(*section));
  }
}
void FileName(ScriptEngine& e, ScriptText& out) {
  std::string name = ToUpper1253(R(e).titleFiles.shortName());
  if (!name.empty() && name[0] == '_') name[0] = '!';
  out.Assign(name);
}
void Resume(ScriptEngine& e, ScriptText& out) { out = e.resume; }
void SetResume(ScriptEngine& e, std::string_view v) { e.resume.Assign(v); }
void MouseOver(ScriptEngine& e, ScriptText& out) {
  out.Assign(R(e).shell.pointers().MouseOver());
}
void PtrShape(ScriptEngine& e, ScriptText& out) {
  out.Assign(R(e).shell.pointers().PointerName());
}
void SetPtrShape(ScriptEngine& e, std::string_view v) {
  R(e).shell.pointers().SelectPointer(std::string(v));
}
void AnchorText(ScriptEngine& e, ScriptText& out) { out = e.anchorText; }
void ExitCondition(ScriptEngine& e, ScriptText& out) {
  out = e.exitCondition;
  e.exitCondition.Clear();  // each value is read once
}
void SetExitCondition(ScriptEngine& e, std::string_view v) { e.exitCondition.Assign(v); }

}  // namespace

void RegisterSystemVariables(ScriptEngine& engine, SystemVariables& v) {
  (void)engine;
  const IntSystemVariable ints[] = {
      {"PageTime%", PageTime, nullptr},       {"TotalTime%", TotalTime, SetTotalTime},
      {"TRUE%", One, nullptr},                {"ON%", One, nullptr},
      {"FALSE%", Zero, nullptr},              {"OFF%", Zero, nullptr},
      {"OverviewEntry%", OverviewEntry, nullptr}, {"Platform%", PlatformNumber, nullptr},
      {"PageNumber%", PageNumber, nullptr},   {"FLIP%", Flip, nullptr},
      {"Sound%", Sound, SetSound},            {"Sec%", Sec, nullptr},
      {"Min%", Min, nullptr},                 {"Hour%", Hour, nullptr},
      {"DayOfMonth%", DayOfMonth, nullptr},   {"Month%", Month, nullptr},
      {"Year%", Year, nullptr},               {"DayOfWeek%", DayOfWeek, nullptr},
      {"DayOfYear%", DayOfYear, nullptr},     {"NFields%", NFields, nullptr},
      {"NRecords%", NRecords, nullptr},     {"UseSelection%", UseSelection, SetUseSelection},
      {"DateFormat%", DateFormat, SetDateFormat}, {"MouseX%", MouseX, nullptr},
      {"MouseY%", MouseY, nullptr},
  };
  for (const auto& i : ints) {
    if (!v.RegisterInt(i)) engine.ShowBuildError("SCRIPT_NUM_OF_INT_SYS_VARS");
  }
  const StringSystemVariable strings[] = {
      {"PageName$", PageName, nullptr},       {"FileName$", FileName, nullptr},
      {"Resume$", Resume, SetResume},         {"MouseOver$", MouseOver, nullptr},
      {"PtrShape$", PtrShape, SetPtrShape},   {"AnchorText$", AnchorText, nullptr},
      {"ExitCondition$", ExitCondition, SetExitCondition},
  };
  for (const auto& s : strings) {
    if (!v.RegisterString(s)) engine.ShowBuildError("SCRIPT_NUM_OF_STRING_SYS_VARS");
  }
}

}  // namespace zd::script
