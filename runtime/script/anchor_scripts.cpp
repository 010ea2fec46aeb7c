// What a click on a styled-text anchor runs: a script object of the page (QSE) or one line
// given in the anchor itself (QSL).
#include <string>

#include "runtime.h"
#include "script/script_engine.h"

namespace zd {

void ScriptEngine::RunAnchorScript(std::string_view objectName) {
  // The run counts as a script of its own, so that a missing object is reported under the
  // anchor's name.
  ++runDepth_;
  SetCurrentScript("<A QSE=..>", 1);
  int found = -1;
  Pages& pages = runtime_.pages;
  for (size_t i = 0; !objectName.empty() && i < pages.objects().size(); ++i) {
    auto object = pages.Object(static_cast<int>(i));
    if (!object) break;
    if (object->name() == objectName) {
      found = static_cast<int>(i);
      break;
    }
  }
  if (found < 0) ReportScriptDiagnostic("scerr31", std::string(objectName));
  --runDepth_;
  if (found >= 0) RunScriptObject(found);
}

void ScriptEngine::RunAnchorLine(std::string_view line) {
  std::string text(line);
  for (char& c : text) {
    if (c == '\'') c = '"';
  }
  ++runDepth_;
  SetCurrentScript("<A QSL=..>", 1);
  script::ConditionStack conditions;
  script::PreparedScript afresh;
  script::PreparedScript* prepared = &afresh;
  if (reading_ == script::ScriptReading::Prepared) {
    prepared = &cache_.ForAnchorLine(text, preparationTables());
  } else {
    afresh.PrepareWholeLine(text, preparationTables());
  }
  ExecuteLine(*prepared, prepared->line(0), conditions);
  --runDepth_;
  if (runDepth_ == 0) cache_.FreeReplaced();
}

}  // namespace zd
