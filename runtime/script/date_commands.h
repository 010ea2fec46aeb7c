// The date commands: a date's text in the title's date style, a date read from text, the days
// of a month and a date's day number.
#pragma once

#include "script/command_table.h"

namespace zd::script {

struct DateCommands {
  CommandHandler datetostr, strtodate, daysinmonth, datetojul;
};
extern const DateCommands kDateCommands;

}  // namespace zd::script
