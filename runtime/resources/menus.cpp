#include "resources/menus.h"

#include "base/cp1253.h"

namespace zd {
namespace {

// A menu text in Greek and in English (UTF-8).
struct MenuText {
  const char* greek;
  const char* english;
};

class MenuTexts {
 public:
  explicit MenuTexts(Language language) : language_(language) {}

  std::string Text(MenuText text) const {
    return Utf8ToCp1253(language_ == Language::English ? text.english : text.greek);
  }
  platform::MenuItem Item(int id, MenuText text, const char* shortcut = "") const {
    return {id, Text(text), shortcut, true};
  }

 private:
  Language language_;
};

platform::MenuItem Separator() { return {0, "", "", true}; }

}  // namespace

namespace {
constexpr platform::Scaling kScalingsInMenuOrder[] = {
    platform::Scaling::Sharp, platform::Scaling::Smooth, platform::Scaling::Stretch};
}  // namespace

int CommandOfScaling(platform::Scaling scaling) {
  for (int i = 0; i < 3; ++i) {
    if (kScalingsInMenuOrder[i] == scaling) return menu_ids::SCALE_SHARP + i;
  }
  return menu_ids::SCALE_SHARP;
}

std::optional<platform::Scaling> ScalingOfCommand(int id) {
  if (id < menu_ids::SCALE_SHARP || id > menu_ids::SCALE_STRETCH) return std::nullopt;
  return kScalingsInMenuOrder[id - menu_ids::SCALE_SHARP];
}

std::vector<platform::Menu> ZendralMenu(Language language,
                                        const std::vector<std::string>& recentTitles) {
  const MenuTexts texts(language);
  platform::Menu file;
  file.title = texts.Text({"Αρχείο", "File"});
  file.items = {texts.Item(menu_ids::OPEN, {"Άνοιγμα…", "Open…"}, "Ctrl+O"),
                texts.Item(menu_ids::RUN, {"Εκτέλεση…", "Run…"}, "Ctrl+R"), Separator()};
  for (size_t i = 0; i < recentTitles.size() && int(i) < menu_ids::kMaxRecentTitles; ++i) {
    file.items.push_back({menu_ids::RECENT_FIRST + int(i), recentTitles[i], "", true});
  }
  if (!recentTitles.empty()) file.items.push_back(Separator());
  file.items.push_back(texts.Item(menu_ids::EXIT_FILE, {"Έξοδος", "Exit"}));
  return {file};
}

std::vector<platform::MenuItem> PopupMenuItems(Language language, platform::Scaling scaling) {
  const MenuTexts texts(language);
  std::vector<platform::MenuItem> items = {
      texts.Item(menu_ids::SAVE_OBJECT, {"Αποθήκευση αντικειμένου", "Save object"}),
      texts.Item(menu_ids::PRINT_SCREEN, {"Εκτύπωση οθόνης", "Print screen"}),
      Separator(),
      texts.Item(menu_ids::SAVE_SETTINGS, {"Αποθήκευση ρυθμίσεων", "Save settings"}),
      texts.Item(menu_ids::LOAD_SETTINGS, {"Φόρτωση ρυθμίσεων", "Load settings"}),
      Separator(),
      texts.Item(menu_ids::PRINT_SETUP, {"Ρύθμιση εκτυπωτή", "Printer setup"}),
      texts.Item(menu_ids::TOGGLE_WINDOW, {"Μεγιστοποίηση / παράθυρο", "Full screen / window"},
                 "F4"),
      texts.Item(menu_ids::SCALE_SHARP,
                 {"Καθαρή εικόνα (ακέραια πολλαπλάσια)", "Sharp (whole multiples)"}, "Alt+1"),
      texts.Item(menu_ids::SCALE_SMOOTH, {"Ομαλή εικόνα", "Smooth"}, "Alt+2"),
      texts.Item(menu_ids::SCALE_STRETCH, {"Τέντωμα σε όλο τον χώρο", "Stretched to fill"},
                 "Alt+3"),
      Separator(),
      texts.Item(menu_ids::EXIT_POPUP, {"Έξοδος", "Exit"})};
  const int checked = CommandOfScaling(scaling);
  for (auto& item : items) item.checked = item.id == checked;
  return items;
}

}  // namespace zd
