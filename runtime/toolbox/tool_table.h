// The nine tools a toolbox set can name: their numbers, their link names (the "~" trigger and
// link names that open them) and which of them the menu and links offer.
#pragma once

#include <string_view>

namespace zd {

namespace tool {
constexpr int CALCULATOR = 0, STOPWATCH = 1, PENCIL = 2, NOTEPAD = 3, TAPE = 4, COMPASS = 5,
              ERASER = 6, PRINT_PAGE = 7, FIND_TEXT = 8;
}

// "~TCalc", "~TStopW", ...; empty for numbers outside 0-8.
std::string_view ToolLinkName(int tool);
// The pencil and the eraser are listed in sets but never offered in the menu or by links.
bool ToolOffered(int tool);
// The first offered tool whose link name equals `name` cut to 12 characters; -1 when none.
int FindToolByName(std::string_view name);

}  // namespace zd
