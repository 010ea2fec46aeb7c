#include "script/status_commands.h"

#include "runtime.h"
#include "script/script_engine.h"

namespace zd::script {
namespace {

StatusFiles& Status(ScriptEngine& e) { return e.runtime().status; }

// savestatus NAME, RESUME: the snapshot of this page's entry, saved by name with the text the
// saved page's "+Start" script will read in Resume$.
void SaveStatus(ScriptEngine& e, CommandCall& call) {
  ScriptText name, resumeText;
  if (!e.StringFromWord(call.first, call.kind, name) ||
      !e.ReadStringArgument(call.cursor, resumeText)) {
    return;
  }
  Status(e).SaveStatusFile(name.view(), false, resumeText.view());
}

// The dialogs take one text, "NAME:N": the file name they propose and their folder's number.
template <void (StatusFiles::*Dialog)(std::string_view)>
void StatusDialogCommand(ScriptEngine& e, CommandCall& call) {
  ScriptText argument;
  if (e.StringFromWord(call.first, call.kind, argument)) (Status(e).*Dialog)(argument.view());
}

// savevar VARIABLE: the variable as written names it (and, by its ending, its kind).
void SaveVar(ScriptEngine& e, CommandCall& call) { Status(e).AddVariableLine(call.first.view()); }

void CloseVarsFile(ScriptEngine& e, CommandCall&) { Status(e).CloseVariablesFile(); }

}  // namespace

const StatusCommands kStatusCommands = {
    SaveStatus,
    StatusDialogCommand<&StatusFiles::SaveStatusDialog>,
    StatusDialogCommand<&StatusFiles::LoadStatusDialog>,
    StatusDialogCommand<&StatusFiles::SaveVariablesDialog>,
    SaveVar,
    CloseVarsFile,
    StatusDialogCommand<&StatusFiles::LoadVariablesDialog>};

}  // namespace zd::script
