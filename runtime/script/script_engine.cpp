#include "script/script_engine.h"

#include "base/seam.h"
#include "runtime.h"

namespace zd {

void ScriptEngine::SetUpSystemVariables() { TraceSeam(runtime_.trace, "script.system-variables"); }
void ScriptEngine::RegisterMouseHandlers() { TraceSeam(runtime_.trace, "script.mouse-handlers"); }
void ScriptEngine::ClearStatusState() { TraceSeam(runtime_.trace, "script.clear-status"); }
void ScriptEngine::ReleaseHandlerTables() { TraceSeam(runtime_.trace, "script.release-handlers"); }
void ScriptEngine::ReleaseMovieSlots() { TraceSeam(runtime_.trace, "script.release-movie-slots"); }
void ScriptEngine::ReleaseStatusState() { TraceSeam(runtime_.trace, "script.release-status"); }

void ScriptEngine::SaveStatus(const std::string& name, const std::string& reason) {
  TraceSeam(runtime_.trace, "script.save-status " + name + " \"" + reason + "\"");
}
void ScriptEngine::LoadStatus(const std::string& name) {
  TraceSeam(runtime_.trace, "script.load-status " + name);
}

void ScriptEngine::OfferResume() { TraceSeam(runtime_.trace, "script.offer-resume"); }

void ScriptEngine::ReportScriptError(std::string_view key, const MessageArgument& argument) {
  runtime_.shell.reporter().ReportError(key, argument);
}

void ScriptEngine::RunScriptObject(int object) {
  TraceSeam(runtime_.trace, "script.run " + runtime_.pages.ObjectName(object));
}
void ScriptEngine::SetExitCondition(const std::string& text) {
  TraceSeam(runtime_.trace, "script.exit-condition \"" + text + "\"");
}
void ScriptEngine::PageEntered() { TraceSeam(runtime_.trace, "script.page-entered"); }
void ScriptEngine::ResetHandlers() { TraceSeam(runtime_.trace, "script.reset-handlers"); }

void ScriptEngine::RunMouseMoveHandlers() {}
void ScriptEngine::RunEnterLeaveHandlers(int leftObject, int enteredObject) {
  TraceSeam(runtime_.trace, "script.enter-leave " + std::to_string(leftObject) + " " +
                                std::to_string(enteredObject));
}

std::optional<platform::ProbedVariable> ScriptEngine::ProbeVariable(const std::string&) {
  return std::nullopt;
}

}  // namespace zd
