// The program's menus: the File menu shown while no title is loaded, and the popup menu of the
// right mouse button.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "base/language.h"

#include "platform/types.h"

namespace zd {

namespace menu_ids {
constexpr int OPEN = 101, EXIT_FILE = 102, RUN = 106;
constexpr int SAVE_OBJECT = 112, SAVE_SETTINGS = 113, LOAD_SETTINGS = 114, PRINT_SETUP = 116,
              TOGGLE_WINDOW = 117, EXIT_POPUP = 118, PRINT_SCREEN = 119;
// Our own: the scaling modes (Alt+1, Alt+2, Alt+3) and the recent titles of the File menu.
constexpr int SCALE_SHARP = 120, SCALE_SMOOTH = 121, SCALE_STRETCH = 122;
constexpr int RECENT_FIRST = 140;
constexpr int kMaxRecentTitles = 6;
}  // namespace menu_ids

// The popup menu's scaling entries and the scalings they choose, both ways.
int CommandOfScaling(platform::Scaling scaling);
std::optional<platform::Scaling> ScalingOfCommand(int id);  // nullopt for other commands

// "IDM_ZendralMenu": the menu bar of the splash window, with the recent titles (paths in code
// page 1253, the latest first) as entries RECENT_FIRST onwards.
std::vector<platform::Menu> ZendralMenu(Language language,
                                        const std::vector<std::string>& recentTitles);

// The first submenu of "IDM_POPUP_MENU", then our scaling modes with the one in use checked.
std::vector<platform::MenuItem> PopupMenuItems(Language language, platform::Scaling scaling);

}  // namespace zd
