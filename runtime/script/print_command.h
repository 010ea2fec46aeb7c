// print: the page's text object named by the first argument, on paper or into a PDF file.
#pragma once

#include "script/command_table.h"

namespace zd::script {

void PrintObject(ScriptEngine& engine, CommandCall& call);

}  // namespace zd::script
