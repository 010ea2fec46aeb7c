// The program's menus: the File menu shown while no title is loaded, and the popup menu of the
// right mouse button.
#pragma once

#include <vector>

#include "platform/types.h"

namespace zd {

namespace menu_ids {
constexpr int OPEN = 101, EXIT_FILE = 102, RUN = 106;
constexpr int SAVE_OBJECT = 112, SAVE_SETTINGS = 113, LOAD_SETTINGS = 114, PRINT_SETUP = 116,
              TOGGLE_WINDOW = 117, EXIT_POPUP = 118, PRINT_SCREEN = 119;
}  // namespace menu_ids

// "IDM_ZendralMenu": the menu bar of the splash window.
std::vector<platform::Menu> ZendralMenu();

// The first submenu of "IDM_POPUP_MENU".
std::vector<platform::MenuItem> PopupMenuItems();

}  // namespace zd
