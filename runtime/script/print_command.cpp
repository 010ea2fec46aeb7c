#include "script/print_command.h"

#include "runtime.h"
#include "script/page_commands.h"
#include "script/script_engine.h"

namespace zd::script {

void PrintObject(ScriptEngine& e, CommandCall& call) {
  ScriptText name;
  if (!e.StringFromWord(call.first, call.kind, name)) return;
  const auto found = FindPageObject(e, name.view());
  if (!found) return;
  Runtime& runtime = e.runtime();
  const auto object = runtime.pages.Object(found->index);
  if (!object) return;
  runtime.printing.PrintTextObject(*object);
}

}  // namespace zd::script
