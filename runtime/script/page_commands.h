// Handlers of the commands that act on the current page (navigation, page objects), on
// programs (runexe), on handlers, and the seams of the commands owned by later subsystems.
#pragma once

#include "script/command_table.h"

namespace zd::script {

struct PageCommands {
  CommandHandler runexe, write, eventtrig, showhide, tooverview, tofilepage, hotspottrig,
      maketimer, makeevent, objadj, objflags, render, redraw, setattrib;
};
extern const PageCommands kPageCommands;

struct HandlerCommands {
  CommandHandler defhandler, delhandler, handler;
};
extern const HandlerCommands kHandlerCommands;

// Commands whose subsystem (movie slots, status files, database, dates, web links, printing)
// is not built yet: dispatch and argument kinds are exact; the call lands in a named seam.
void SeamCommand(ScriptEngine& engine, CommandCall& call);

}  // namespace zd::script
