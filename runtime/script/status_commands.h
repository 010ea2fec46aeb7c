// The status and variable file commands: `savestatus` saves the snapshot of the page's entry
// under a name; the dialog commands let the learner choose a status or variable file to save
// or load; `savevar` and `closevarsfile` build a variable file line by line and write it.
#pragma once

#include "script/command_table.h"

namespace zd::script {

struct StatusCommands {
  CommandHandler savestatus, savestatusdialog, loadstatusdialog, savevarsdialog, savevar,
      closevarsfile, loadvarsdialog;
};
extern const StatusCommands kStatusCommands;

}  // namespace zd::script
