// Handlers of the commands that act on the current page (navigation, page objects), on
// programs (runexe), on handlers, and the seams of the commands owned by later subsystems.
#pragma once

#include <optional>
#include <string_view>

#include "script/command_table.h"

namespace zd::script {

struct FoundObject {
  int index = -1;
  uint32_t hotspotOrdinal = 0;  // hotspot objects standing before it
};

// The first object of the current page with exactly this name; "scerr31" when there is none.
std::optional<FoundObject> FindPageObject(ScriptEngine& e, std::string_view name);

struct PageCommands {
  CommandHandler runexe, write, eventtrig, showhide, tooverview, tofilepage, hotspottrig,
      maketimer, makeevent, objadj, objflags, render, redraw, setattrib;
};
extern const PageCommands kPageCommands;

struct HandlerCommands {
  CommandHandler defhandler, delhandler, handler;
};
extern const HandlerCommands kHandlerCommands;

}  // namespace zd::script
