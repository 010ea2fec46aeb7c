// What a click on a styled-text anchor with QSE runs: a script object of the page.
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

}  // namespace zd
