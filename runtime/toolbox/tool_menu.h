// The tool menu of a page: the set's tools in set order, without the pencil and the eraser,
// each with its menu text and checked while its window is open.
#pragma once

#include <array>
#include <string>

#include "platform/dialogs.h"
#include "toolbox/toolbox_set.h"

namespace zd {

// The tool menu's entries are commands kToolMenuCommandBase + tool number (0 cannot be a
// menu command); the choice reaches the main window as command 0-8.
constexpr int kToolMenuCommandBase = 200;

// `texts` are the menu texts by tool number ("Find text\tF2": the part after the tab is shown
// as the shortcut); the menu's corner is the set box's top-left plus the page origin.
platform::PopupMenuSpec BuildToolMenu(const ToolboxSet& set,
                                      const std::array<std::string, kToolCount>& texts,
                                      const std::array<bool, kToolCount>& windowOpen, int originX,
                                      int originY);

// The tool a menu answer chooses; -1 for none.
int ToolOfMenuCommand(int command);

}  // namespace zd
