#include "resources/menus.h"

#include "base/cp1253.h"

namespace zd {
namespace {

platform::MenuItem Item(int id, const char* utf8, const char* shortcut = "") {
  return {id, Utf8ToCp1253(utf8), shortcut, true};
}

}  // namespace

std::vector<platform::Menu> ZendralMenu() {
  platform::Menu file;
  file.title = Utf8ToCp1253("Αρχείο");
  file.items = {Item(menu_ids::OPEN, "Άνοιγμα…", "Ctrl+O"),
                Item(menu_ids::RUN, "Εκτέλεση…", "Ctrl+R"), Item(0, ""),
                Item(menu_ids::EXIT_FILE, "Έξοδος")};
  return {file};
}

std::vector<platform::MenuItem> PopupMenuItems() {
  return {Item(menu_ids::SAVE_OBJECT, "Αποθήκευση αντικειμένου"),
          Item(menu_ids::PRINT_SCREEN, "Εκτύπωση οθόνης"),
          Item(0, ""),
          Item(menu_ids::SAVE_SETTINGS, "Αποθήκευση ρυθμίσεων"),
          Item(menu_ids::LOAD_SETTINGS, "Φόρτωση ρυθμίσεων"),
          Item(0, ""),
          Item(menu_ids::PRINT_SETUP, "Ρύθμιση εκτυπωτή"),
          Item(menu_ids::TOGGLE_WINDOW, "Μεγιστοποίηση / παράθυρο", "F4"),
          Item(0, ""),
          Item(menu_ids::EXIT_POPUP, "Έξοδος")};
}

}  // namespace zd
