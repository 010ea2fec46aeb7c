#include "script/status_commands.h"

#include "runtime.h"
#include "script/script_engine.h"

namespace zd::script {
namespace {

StatusFiles& S(ScriptEngine& e) { return e.runtime().status; }

// The first argument read as a text ("NAME:N" for the dialogs); false when it was reported.
bool TextArgument(ScriptEngine& e, CommandCall& call, ScriptText& text) {
  return e.StringFromWord(call.first, call.kind, text);
}

// savestatus NAME, RESUME: the snapshot of this page's entry, saved by name with the text the
// saved page's "+Start" script will read in Resume$.
void SaveStatus(ScriptEngine& e, CommandCall& call) {
  ScriptText name, resumeText;
  if (!TextArgument(e, call, name) || !e.ReadStringArgument(call.cursor, resumeText)) return;
  S(e).SaveStatusFile(name.view(), false, resumeText.view());
}

void SaveStatusDialog(ScriptEngine& e, CommandCall& call) {
  ScriptText argument;
  if (TextArgument(e, call, argument)) S(e).SaveStatusDialog(argument.view());
}

void LoadStatusDialog(ScriptEngine& e, CommandCall& call) {
  ScriptText argument;
  if (TextArgument(e, call, argument)) S(e).LoadStatusDialog(argument.view());
}

void SaveVarsDialog(ScriptEngine& e, CommandCall& call) {
  ScriptText argument;
  if (TextArgument(e, call, argument)) S(e).SaveVariablesDialog(argument.view());
}

void LoadVarsDialog(ScriptEngine& e, CommandCall& call) {
  ScriptText argument;
  if (TextArgument(e, call, argument)) S(e).LoadVariablesDialog(argument.view());
}

// savevar VARIABLE: the variable as written names it (and, by its ending, its kind).
void SaveVar(ScriptEngine& e, CommandCall& call) { S(e).AddVariableLine(call.first.view()); }

void CloseVarsFile(ScriptEngine& e, CommandCall&) { S(e).CloseVariablesFile(); }

}  // namespace

const StatusCommands kStatusCommands = {SaveStatus,     SaveStatusDialog, LoadStatusDialog,
                                        SaveVarsDialog, SaveVar,          CloseVarsFile,
                                        LoadVarsDialog};

}  // namespace zd::script
