#include "resources/menus.h"

#include "base/cp1253.h"

namespace zd {
namespace {

platform::MenuItem Item(int id, const char* utf8, const char* shortcut = "") {
  return {id, Utf8ToCp1253(utf8), shortcut, true};
}

}  // namespace

std::vector<platform::Menu> ZendralMenu(Language /*language*/,
                                        const std::vector<std::string>& recentTitles) {
  platform::Menu file;
  file.title = Utf8ToCp1253("Αρχείο");
  file.items = {Item(menu_ids::OPEN, "Άνοιγμα…", "Ctrl+O"),
                Item(menu_ids::RUN, "Εκτέλεση…", "Ctrl+R"), Item(0, "")};
  for (size_t i = 0; i < recentTitles.size() && int(i) < menu_ids::kMaxRecentTitles; ++i) {
    file.items.push_back({menu_ids::RECENT_FIRST + int(i), recentTitles[i], "", true});
  }
  if (!recentTitles.empty()) file.items.push_back(Item(0, ""));
  file.items.push_back(Item(menu_ids::EXIT_FILE, "Έξοδος"));
  return {file};
}

std::vector<platform::MenuItem> PopupMenuItems(Language /*language*/, platform::Scaling scaling) {
  std::vector<platform::MenuItem> items = {Item(menu_ids::SAVE_OBJECT, "Αποθήκευση αντικειμένου"),
          Item(menu_ids::PRINT_SCREEN, "Εκτύπωση οθόνης"),
          Item(0, ""),
          Item(menu_ids::SAVE_SETTINGS, "Αποθήκευση ρυθμίσεων"),
          Item(menu_ids::LOAD_SETTINGS, "Φόρτωση ρυθμίσεων"),
          Item(0, ""),
          Item(menu_ids::PRINT_SETUP, "Ρύθμιση εκτυπωτή"),
          Item(menu_ids::TOGGLE_WINDOW, "Μεγιστοποίηση / παράθυρο", "F4"),
          Item(menu_ids::SCALE_SHARP, "Ακέραια κλίμακα", "Alt+1"),
          Item(menu_ids::SCALE_SMOOTH, "Ομαλή κλίμακα", "Alt+2"),
          Item(menu_ids::SCALE_STRETCH, "Τέντωμα", "Alt+3"),
          Item(0, ""),
          Item(menu_ids::EXIT_POPUP, "Έξοδος")};
  const int checked = scaling == platform::Scaling::Sharp    ? menu_ids::SCALE_SHARP
                      : scaling == platform::Scaling::Smooth ? menu_ids::SCALE_SMOOTH
                                                             : menu_ids::SCALE_STRETCH;
  for (auto& item : items) item.checked = item.id == checked;
  return items;
}

}  // namespace zd
