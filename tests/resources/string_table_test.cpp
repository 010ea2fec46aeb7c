#include "resources/string_table.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <map>
#include <set>
#include <string>

#include "base/cp1253.h"

namespace zd {
namespace {

constexpr int kLastId = 2000;

// The printf conversions of a text, in order ("sd" for "%s ... %d"); "%%" is not one.
std::string Conversions(std::string_view text) {
  std::string letters;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '%') continue;
    size_t j = i + 1;
    while (j < text.size() && std::string_view("-+ #0123456789.lh").find(text[j]) !=
                                  std::string_view::npos) {
      ++j;
    }
    if (j < text.size() && text[j] != '%') letters += text[j];
    i = j;
  }
  return letters;
}

// The Greek text of an entry, as the player shows it by default.
std::string_view Greek(int id) { return LoadStringUtf8(id, Language::Greek); }

constexpr Language kLanguages[] = {Language::Greek, Language::English};

TEST(StringTable, EveryEntryConvertsToTheCodePageWithoutLoss) {
  for (Language language : kLanguages) {
    int entries = 0;
    for (int id = 0; id <= kLastId; ++id) {
      const std::string_view utf8 = LoadStringUtf8(id, language);
      if (utf8.empty()) continue;
      ++entries;
      const std::string cp = LoadString(id, language);
      EXPECT_EQ(cp, Utf8ToCp1253(utf8)) << id;
      EXPECT_EQ(std::count(cp.begin(), cp.end(), '?'), std::count(utf8.begin(), utf8.end(), '?'))
          << "entry " << id << " holds a character the code page lacks";
      EXPECT_EQ(Cp1253ToUtf8(cp), utf8) << id;
    }
    EXPECT_GT(entries, 100);
  }
}

TEST(StringTable, AbsentIdsGiveEmptyTexts) {
  for (Language language : kLanguages) {
    for (int id : {-1, 0, 100, 109, 119, 144, 299, 309, 611, 799, 812, 899, 907, kLastId, 100000}) {
      EXPECT_TRUE(LoadStringUtf8(id, language).empty()) << id;
      EXPECT_TRUE(LoadString(id, language).empty()) << id;
    }
  }
}

TEST(StringTable, FixedTextsReadAsShipped) {
  EXPECT_EQ(Greek(strings::PRODUCT_NAME), "Zendral");
  EXPECT_EQ(Greek(strings::TITLE_NAME), "Mossgate");
  EXPECT_EQ(Greek(strings::RESUME_OFFER), "Συνέχεια από τη προηγούμενη φορά;");
  EXPECT_EQ(Greek(strings::SAVE_SETTINGS_TITLE), "Αποθήκευση Ρυθμίσεων");
  EXPECT_EQ(Greek(strings::LOAD_SETTINGS_TITLE), "Φόρτωση Ρυθμίσεων");
  EXPECT_EQ(Greek(strings::UNKNOWN_VALUE), "Άγνωστο");
  EXPECT_EQ(Greek(strings::DEFAULT_USER_NAME), "Χρήστης");
  EXPECT_EQ(Greek(strings::PAGE_HEADING), "ΣΕΛΙΔΑ %d");
  EXPECT_EQ(Greek(strings::PRINTING_PAGE), "Εκτύπωση της σελίδας %d");
  EXPECT_EQ(Greek(strings::TOOL_MENU_FIRST + 8), "Εύρεση κείμενου\tF2");
  EXPECT_EQ(Greek(strings::EXPORT_FORMAT_FIRST + 3), "Acorn Draw file (*.DRW)");
  EXPECT_EQ(Greek(538), "htmlfile\\shell\\open");
  // The window caption is built from the product and title names.
  EXPECT_EQ(LoadString(strings::PRODUCT_NAME, Language::Greek) + " - " +
                LoadString(strings::TITLE_NAME, Language::Greek),
            "Zendral - Mossgate");
}

TEST(StringTable, OnlyTheFormattedEntriesHoldConversions) {
  const std::map<int, std::string> formatted = {
      {strings::FILE_EXISTS, "s"},   {strings::MOVIE_NOT_FOUND, "s"},
      {strings::PRINTING_PAGE, "d"}, {strings::PAGE_HEADING, "d"},
      {strings::SCRIPT_ERROR_HEADING, "sd"},
      {strings::START_MISSING, "s"}, {strings::START_NO_TITLE, "s"},
      {strings::START_NOT_AUTHORFILE, "s"}, {strings::START_UNREADABLE, "s"},
      {strings::START_DAMAGED, "s"}, {strings::START_DECLINED, "s"},
      {strings::SCREENSHOT_SAVED, "s"}, {strings::SCREENSHOT_FAILED, "s"},
      {strings::UI_NO_SUCH_FILE, "s"}, {strings::UI_NO_SUCH_FOLDER, "s"},
  };
  for (Language language : kLanguages) {
    for (int id = 0; id <= kLastId; ++id) {
      const std::string_view text = LoadStringUtf8(id, language);
      if (text.empty()) continue;
      const auto it = formatted.find(id);
      EXPECT_EQ(Conversions(text), it == formatted.end() ? "" : it->second) << id;
    }
  }
}

TEST(StringTable, FormattedEntriesReadWellWithTheirValues) {
  char buffer[256];
  std::snprintf(buffer, sizeof buffer, Greek(strings::SCRIPT_ERROR_HEADING).data(), "+Start", 12);
  EXPECT_STREQ(buffer, "Σφάλμα στο κώδικα - Κώδικας  \"+Start\", Γραμμή 12:\n");

  std::snprintf(buffer, sizeof buffer, Greek(strings::MOVIE_NOT_FOUND).data(), "D:\\MOVIES\\QTIME\\INTRO.MOV");
  EXPECT_STREQ(buffer,
               "Δε μπορεί να βρεθεί το αρχείο \"D:\\MOVIES\\QTIME\\INTRO.MOV\" της ταινίας.\n"
               " Να φορτώσετε τη ταινία μόνοι σας;");

  // 107 and 108 are shown as one text: 107 must end in white space.
  for (Language language : kLanguages) {
    const std::string_view designed = LoadStringUtf8(strings::DISPLAY_DESIGNED, language);
    ASSERT_FALSE(designed.empty());
    EXPECT_TRUE(designed.back() == '\n' || designed.back() == ' ');
    EXPECT_FALSE(LoadStringUtf8(strings::DISPLAY_CONTINUE, language).empty());
  }
}

TEST(StringTable, DateNamesFitTheirTablesAndAreDistinct) {
  std::set<std::string> months;
  for (int i = 0; i < 12; ++i) {
    const std::string name = LoadString(strings::MONTH_FIRST + i, Language::Greek);
    EXPECT_FALSE(name.empty()) << i;
    EXPECT_LE(name.size(), 15u) << i;
    months.insert(name);
  }
  EXPECT_EQ(months.size(), 12u);
  std::set<std::string> weekdays;
  for (int i = 0; i < 7; ++i) {
    const std::string name = LoadString(strings::WEEKDAY_FIRST + i, Language::Greek);
    EXPECT_FALSE(name.empty()) << i;
    EXPECT_LE(name.size(), 15u) << i;
    weekdays.insert(name);
  }
  EXPECT_EQ(weekdays.size(), 7u);
  EXPECT_EQ(Greek(strings::MONTH_FIRST), "Ιανουάριος");
  EXPECT_EQ(Greek(strings::WEEKDAY_FIRST), "Δευτέρα");
  EXPECT_EQ(Greek(strings::WEEKDAY_FIRST + 6), "Κυριακή");
}

TEST(StringTable, ToolMenuTextsFitTheirFields) {
  for (Language language : kLanguages) {
    for (int tool = 0; tool <= 8; ++tool) {
      const std::string text = LoadString(strings::TOOL_MENU_FIRST + tool, language);
      EXPECT_FALSE(text.empty()) << tool;
      EXPECT_LT(text.size(), 32u) << tool;  // 32-byte fields, terminator included
    }
  }
}

TEST(StringTable, FileTypeListsAreDescriptionPatternPairs) {
  for (Language language : kLanguages) {
    for (int id : {strings::STATUS_FILE_TYPES, strings::TEXT_FILE_TYPES,
                   strings::PROGRAM_FILE_TYPES, strings::VARIABLE_FILE_TYPES}) {
      const std::string_view list = LoadStringUtf8(id, language);
      ASSERT_FALSE(list.empty()) << id;
      EXPECT_EQ(list.back(), ';') << id;
      const auto separators = std::count(list.begin(), list.end(), ';');
      EXPECT_GE(separators, 2) << id;
      EXPECT_EQ(separators % 2, 0) << id;
      EXPECT_EQ(list.find(";;"), std::string_view::npos) << id;
    }
    // The first pattern decides the extension added to a typed name.
    const auto firstPattern = [&](int id) {
      const std::string_view list = LoadStringUtf8(id, language);
      const size_t start = list.find(';') + 1;
      return list.substr(start, list.find(';', start) - start);
    };
    EXPECT_EQ(firstPattern(strings::STATUS_FILE_TYPES), "*.ZDS");
    EXPECT_EQ(firstPattern(strings::VARIABLE_FILE_TYPES), "*.ZDV");
    EXPECT_EQ(firstPattern(strings::PROGRAM_FILE_TYPES), "*");
  }
}

}  // namespace
}  // namespace zd
