// The readable overview zdinfo prints: the title's sections as a tree, its pages with their
// objects and events, its scripts and the resources its pages refer to, with notes on anything
// the player would find malformed.
#pragma once

#include <ostream>

#include "titlekit/title_reader.h"

namespace zd::info {

void PrintOverview(std::ostream& out, const titlekit::TitleReading& title);
// Only the scripts, every line numbered as the player numbers it in messages and traces.
void PrintScriptList(std::ostream& out, const titlekit::TitleReading& title);

}  // namespace zd::info
