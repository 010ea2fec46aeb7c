// The readable overview zdinfo prints: the title's sections as a tree, its pages with their
// objects and events, its scripts and the resources its pages refer to, with notes on anything
// the player would find malformed.
#pragma once

#include <ostream>

#include "titlekit/title_reader.h"

namespace zd::info {

void PrintOverview(std::ostream& out, const titlekit::TitleReading& title);

// Every script of the title (text objects named with "+"), page by page, each line with the
// number the player gives it in its error messages.
void PrintScriptList(std::ostream& out, const titlekit::TitleReading& title);

}  // namespace zd::info
