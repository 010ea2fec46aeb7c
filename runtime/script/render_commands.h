// renderdata: a field of a record put into a page object, its text into a text object or its
// picture in place of a sprite object's picture.
#pragma once

#include "script/command_table.h"

namespace zd::script {

void RenderData(ScriptEngine& engine, CommandCall& call);

}  // namespace zd::script
