// The script engine: variables, commands, handlers and status files.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "base/message_format.h"
#include "platform/platform.h"

namespace zd {

class Runtime;

class ScriptEngine {
 public:
  explicit ScriptEngine(Runtime& runtime) : runtime_(runtime) {}

  // Start-up and shutdown steps.
  void SetUpSystemVariables();
  void RegisterMouseHandlers();
  void ClearStatusState();
  void ReleaseHandlerTables();
  void ReleaseMovieSlots();
  void ReleaseStatusState();

  // Status files: saving the learner's place and loading it again.
  void SaveStatus(const std::string& name, const std::string& reason);
  void LoadStatus(const std::string& name);
  // The resume offer at the start of a title whose learner left a resume status behind.
  void OfferResume();

  // Script errors carry the script's name and line; outside a script they are plain reports.
  void ReportScriptError(std::string_view key, const MessageArgument& argument);

  // Scripts of the page: a text object whose name begins with "+" (by its page-order index).
  void RunScriptObject(int object);
  void SetExitCondition(const std::string& text);
  // A page was entered: "Resume$" is emptied, a loaded status applied and the page recorded.
  void PageEntered();
  void ResetHandlers();

  // Mouse handlers run by pointer tracking (object indices, -1 for none).
  void RunMouseMoveHandlers();
  void RunEnterLeaveHandlers(int leftObject, int enteredObject);

  // A variable's value for automation, without the side effects of a script read.
  std::optional<platform::ProbedVariable> ProbeVariable(const std::string& name);

 private:
  Runtime& runtime_;
};

}  // namespace zd
