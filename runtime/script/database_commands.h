// The database commands: opening and closing a database, reading its fields' names, types,
// explain texts, values and statistics, and the keyword search.
#pragma once

#include "script/command_table.h"

namespace zd::script {

struct DatabaseCommands {
  CommandHandler opendata, closedata, getfieldname, getfieldtype, getexplain, showexplain,
      getdata, getfieldstats, tokensearch;
};
extern const DatabaseCommands kDatabaseCommands;

}  // namespace zd::script
