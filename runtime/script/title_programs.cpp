#include "script/title_programs.h"

#include <vector>

#include "base/cp1253.h"
#include "base/message_format.h"
#include "base/trace.h"
#include "platform/processes.h"
#include "platform/program_lookup.h"
#include "runtime.h"
#include "script/script_engine.h"

namespace zd::script {
namespace {

// The program's name as the question shows it: line breaks and other control characters, which
// could make the box say something else, shown as "?".
std::string ShownName(std::string_view program) {
  std::string shown(program);
  for (char& c : shown) {
    if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) c = '?';
  }
  return shown;
}

}  // namespace

void TitlePrograms::Run(ScriptEngine& e, std::string_view text) {
  Runtime& r = e.runtime();
  // The text is split as a Windows program's start-up code splits its command line; the first
  // word names the program, relative to the title directory.
  const std::vector<std::string> words = platform::SplitWindowsCommandLine(text);
  if (words.empty()) return;
  const std::string& program = words[0];
  const platform::TitleProgram found =
      platform::FindTitleProgram(r.titleFiles.titleDirectory(), program);
  switch (found.check) {
    case platform::ProgramCheck::Outside:
      e.ReportScriptError("scerr75", program);
      return;
    case platform::ProgramCheck::NotWindowsProgram:
      e.ReportScriptError("scerr76", program);
      return;
    case platform::ProgramCheck::NotFound:
      r.trace.Line(TraceCategory::Start,
                   "start " + Cp1253ToUtf8(program) + " (not started: not found)");
      return;  // failures to start are not reported
    case platform::ProgramCheck::Found:
      break;
  }
  if (!Allowed(e, program)) return;

  std::vector<std::string> arguments = {found.diskPath};
  for (size_t i = 1; i < words.size(); ++i) arguments.push_back(Cp1253ToUtf8(words[i]));
  std::vector<std::string> traced = {"wine"};
  traced.insert(traced.end(), arguments.begin(), arguments.end());
  const std::string line = StartTraceLine(traced);
  const std::string wine = platform::FindOnPath("wine");
  if (wine.empty()) {
    r.trace.Line(TraceCategory::Start, line + " (not started: no wine)");
    return;
  }
  r.trace.Line(TraceCategory::Start, line);
  arguments.insert(arguments.begin(), wine);
  r.platform.StartProgram(arguments);
}

bool TitlePrograms::Allowed(ScriptEngine& e, std::string_view program) {
  Runtime& r = e.runtime();
  const std::string& title = r.titleFiles.titleDirectory();
  if (!allowedTitle_.empty() && allowedTitle_ == title) return true;
  platform::MessageBoxSpec box;
  box.caption = r.shell.windowTitle();
  box.key = "scask1";
  box.text = FormatMessageText(r.shell.reporter().Lookup(box.key), ShownName(program));
  box.icon = platform::MessageIcon::Question;
  box.buttons = platform::MessageButtons::YesNo;
  box.defaultAnswer = platform::answer::NO;  // nothing starts unless the user says so
  r.scheduler.PauseClock();
  const int answer = r.platform.MessageBox(box);
  r.scheduler.ResumeClock();
  r.shell.window().InvalidateAll(true);
  if (answer != platform::answer::YES) return false;
  allowedTitle_ = title;
  return true;
}

}  // namespace zd::script
