// Handlers of the value commands (set, add, ... clear), for the command table.
#pragma once

#include "script/command_table.h"

namespace zd::script {

struct ValueCommands {
  CommandHandler set, add, sub, mult, divide, mod, orOp, andOp, exorOp, abs, sgn, notOp, sin,
      cos, sqrt, cubert, random, clear, strtoval, valtostr, bitset;
};
extern const ValueCommands kValueCommands;

}  // namespace zd::script
