// The player's own texts in Greek and in English: how the language is chosen, the string table's
// two columns, the menus, the backend's buttons and labels, and --help.
#include <gtest/gtest.h>

#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "base/cp1253.h"
#include "base/language.h"
#include "resources/menus.h"
#include "resources/string_table.h"
#include "resources/ui_texts.h"
#include "shell/program_options.h"

namespace zd {
namespace {

using Variables = std::map<std::string, std::string>;

Language FromEnvironment(const Variables& variables) {
  return LanguageFromEnvironment([&](const char* name) -> const char* {
    const auto it = variables.find(name);
    return it == variables.end() ? nullptr : it->second.c_str();
  });
}

// Whether UTF-8 text holds a Greek letter (U+0370 to U+03FF: lead bytes 0xCD to 0xCF).
bool HasGreekLetters(std::string_view text) {
  for (size_t i = 0; i + 1 < text.size(); ++i) {
    const auto lead = static_cast<unsigned char>(text[i]);
    if (lead >= 0xCD && lead <= 0xCF) return true;
  }
  return false;
}

// The printf conversions of a text in order ("sd" for "%s ... %d"); "%%" is not one.
std::string Conversions(std::string_view text) {
  std::string letters;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '%') continue;
    if (i + 1 < text.size() && text[i + 1] == '%') {
      ++i;
      continue;
    }
    size_t j = i + 1;
    while (j < text.size() && std::string_view("-+ #0123456789.lh").find(text[j]) !=
                                  std::string_view::npos) {
      ++j;
    }
    if (j < text.size()) letters += text[j];
    i = j;
  }
  return letters;
}

size_t CodePoints(std::string_view utf8) {
  size_t n = 0;
  for (char c : utf8) n += (static_cast<unsigned char>(c) & 0xC0) != 0x80;
  return n;
}

TEST(Language, TheEnvironmentChoosesByTheFirstVariableThatNamesALanguage) {
  EXPECT_EQ(FromEnvironment({}), Language::Greek) << "nothing set: the player's own language";
  EXPECT_EQ(FromEnvironment({{"LANG", "el_GR.UTF-8"}}), Language::Greek);
  EXPECT_EQ(FromEnvironment({{"LANG", "en_US.UTF-8"}}), Language::English);
  EXPECT_EQ(FromEnvironment({{"LANG", "de_DE"}}), Language::English)
      << "any language but Greek is English";
  EXPECT_EQ(FromEnvironment({{"LANG", "el"}}), Language::Greek);
  // LANGUAGE is a list whose first entry counts, and it comes before every other variable.
  EXPECT_EQ(FromEnvironment({{"LANGUAGE", "fr:en"}, {"LANG", "el_GR.UTF-8"}}), Language::English);
  EXPECT_EQ(FromEnvironment({{"LANGUAGE", "el:en"}, {"LC_ALL", "en_GB.UTF-8"}}), Language::Greek);
  // LC_ALL beats LC_MESSAGES, which beats LANG.
  EXPECT_EQ(FromEnvironment({{"LC_ALL", "en_US.UTF-8"}, {"LANG", "el_GR.UTF-8"}}),
            Language::English);
  EXPECT_EQ(FromEnvironment({{"LC_ALL", "el_GR.UTF-8"}, {"LC_MESSAGES", "en_US.UTF-8"}}),
            Language::Greek);
  EXPECT_EQ(FromEnvironment({{"LC_MESSAGES", "en_US.UTF-8"}, {"LANG", "el_GR.UTF-8"}}),
            Language::English);
  // C, C with a codeset, POSIX and empty values name no language: the next variable decides.
  for (const char* none : {"C", "C.UTF-8", "POSIX", ""}) {
    EXPECT_EQ(FromEnvironment({{"LC_ALL", none}, {"LANG", "en_US.UTF-8"}}), Language::English)
        << '"' << none << '"';
    EXPECT_EQ(FromEnvironment({{"LANGUAGE", none}, {"LC_ALL", none}}), Language::Greek)
        << '"' << none << '"';
  }
  EXPECT_EQ(ParseLanguageName("en"), Language::English);
  EXPECT_EQ(ParseLanguageName("el"), Language::Greek);
  EXPECT_EQ(ParseLanguageName("gr"), std::nullopt);
}

TEST(StringTableLanguages, PlayerTextsAreTranslatedAndTitleTextsAreNot) {
  // What a title sees or shows: dates, the "unknown" value and user name scripts compare, the
  // names in the window caption, registry keys and browser paths, export format names.
  std::set<int> titleVisible = {401, 409, 414, 417};
  for (int id = 538; id <= 548; ++id) titleVisible.insert(id);
  for (int id = 600; id <= 605; ++id) titleVisible.insert(id);
  for (int id = 800; id <= 811; ++id) titleVisible.insert(id);
  for (int id = 900; id <= 906; ++id) titleVisible.insert(id);

  std::set<int> shared;
  for (const StringTableEntry& entry : StringTableEntries()) {
    const std::string_view greek = LoadStringUtf8(entry.id, Language::Greek);
    const std::string_view english = LoadStringUtf8(entry.id, Language::English);
    EXPECT_FALSE(greek.empty()) << entry.id;
    EXPECT_FALSE(english.empty()) << entry.id;
    if (entry.followsLanguage) {
      EXPECT_FALSE(HasGreekLetters(english)) << entry.id << " is not translated: " << english;
    } else {
      shared.insert(entry.id);
      EXPECT_EQ(LoadString(entry.id, Language::English), LoadString(entry.id, Language::Greek))
          << entry.id;
    }
  }
  EXPECT_EQ(shared, titleVisible);
  // The Greek months stay Greek in an English run.
  EXPECT_EQ(LoadStringUtf8(strings::MONTH_FIRST, Language::English), "Ιανουάριος");
  EXPECT_EQ(LoadStringUtf8(strings::QUIT_QUESTION, Language::English),
            "Are you sure you want to quit the application?");
}

TEST(StringTableLanguages, TranslationsKeepTheConversionsTheirCallersFill) {
  for (const StringTableEntry& entry : StringTableEntries()) {
    EXPECT_EQ(Conversions(entry.english), Conversions(entry.greek))
        << entry.id << ": \"" << entry.greek << "\" / \"" << entry.english << '"';
  }
  // The reasons a title did not start name its path once; the question follows on its own line.
  for (int id = strings::START_MISSING; id <= strings::START_DECLINED; ++id) {
    for (Language language : {Language::Greek, Language::English}) {
      const std::string_view text = LoadStringUtf8(id, language);
      EXPECT_EQ(Conversions(text), "s") << id;
      EXPECT_NE(text.back(), '\n') << id;
    }
  }
  EXPECT_EQ(LoadStringUtf8(strings::START_QUESTION, Language::English),
            "Do you want to quit Zendral? (No: choose another title)");
}

// The ids, shortcuts and check marks of a menu's entries, which no language changes.
std::string Shape(const std::vector<platform::MenuItem>& items) {
  std::ostringstream out;
  for (const auto& item : items) out << item.id << item.shortcut << item.checked << ' ';
  return out.str();
}

TEST(Menus, EnglishMenusKeepTheCommandsAndTheRecentTitles) {
  const std::vector<std::string> recent = {Utf8ToCp1253("/τίτλοι/Λιβάδι/authorfi"),
                                           "/titles/pond/authorfi"};
  const auto greek = ZendralMenu(Language::Greek, recent);
  const auto english = ZendralMenu(Language::English, recent);
  ASSERT_EQ(greek.size(), english.size());
  EXPECT_EQ(Cp1253ToUtf8(greek[0].title), "Αρχείο");
  EXPECT_EQ(english[0].title, "File");
  EXPECT_EQ(Shape(english[0].items), Shape(greek[0].items));
  std::vector<std::string> texts;
  for (const auto& item : english[0].items) texts.push_back(Cp1253ToUtf8(item.text));
  EXPECT_EQ(texts, (std::vector<std::string>{"Open…", "Run…", "", "/τίτλοι/Λιβάδι/authorfi",
                                             "/titles/pond/authorfi", "", "Exit"}));

  for (auto scaling : {platform::Scaling::Sharp, platform::Scaling::Smooth,
                       platform::Scaling::Stretch}) {
    const auto el = PopupMenuItems(Language::Greek, scaling);
    const auto en = PopupMenuItems(Language::English, scaling);
    EXPECT_EQ(Shape(en), Shape(el));
    for (size_t i = 0; i < en.size(); ++i) {
      EXPECT_FALSE(HasGreekLetters(Cp1253ToUtf8(en[i].text))) << en[i].id;
      EXPECT_EQ(en[i].text.empty(), el[i].text.empty()) << en[i].id;
      if (en[i].id != 0) {
        EXPECT_NE(en[i].text, el[i].text) << en[i].id;
      }
    }
  }
  std::map<int, std::string> scalingTexts;
  for (const auto& item : PopupMenuItems(Language::English, platform::Scaling::Smooth)) {
    if (item.id >= menu_ids::SCALE_SHARP && item.id <= menu_ids::SCALE_STRETCH) {
      scalingTexts[item.id] = item.text + (item.checked ? " (checked)" : "");
    }
  }
  EXPECT_EQ(scalingTexts, (std::map<int, std::string>{
                              {menu_ids::SCALE_SHARP, "Sharp (whole multiples)"},
                              {menu_ids::SCALE_SMOOTH, "Smooth (checked)"},
                              {menu_ids::SCALE_STRETCH, "Stretched to fill"}}));
}

TEST(Language, TheBackendsButtonsAndFileBrowserSpeakThePlayersLanguage) {
  // Every text the backend draws itself: as built in (the Greek defaults), then from the table.
  const auto fields = [](const platform::UiTexts& t) {
    return std::vector<std::string>{
        t.ok,         t.yes,         t.no,          t.cancel,        t.openCaption,
        t.saveCaption, t.openButton, t.saveButton,  t.folderLabel,   t.fileNameLabel,
        t.fileTypeLabel, t.noSuchFile, t.noSuchFolder};
  };
  const auto defaults = fields(platform::UiTexts{});
  const auto greek = fields(UiTextsFor(Language::Greek));
  const auto english = fields(UiTextsFor(Language::English));
  EXPECT_EQ(greek, defaults) << "a run without a language choice draws what it always drew";
  for (size_t i = 0; i < english.size(); ++i) {
    EXPECT_FALSE(english[i].empty()) << i;
    EXPECT_FALSE(HasGreekLetters(english[i])) << english[i];
    EXPECT_EQ(Conversions(english[i]), Conversions(defaults[i])) << english[i];
  }
  const platform::UiTexts en = UiTextsFor(Language::English);
  EXPECT_EQ(en.ok + "/" + en.yes + "/" + en.no + "/" + en.cancel, "OK/Yes/No/Cancel");
  EXPECT_EQ(en.noSuchFolder, "The folder \"%s\" does not exist.");
}

// The options --help lists, in order: the first word of every line that starts with "  -".
std::vector<std::string> ListedOptions(const std::string& usage) {
  std::vector<std::string> options;
  std::istringstream lines(usage);
  for (std::string line; std::getline(lines, line);) {
    if (line.rfind("  -", 0) == 0) options.push_back(line.substr(2, line.find(' ', 2) - 2));
  }
  return options;
}

TEST(ProgramUsage, BothLanguagesListTheSameOptionsWithinSeventyEightColumns) {
  const std::string english = ProgramUsage(Language::English);
  const std::string greek = ProgramUsage(Language::Greek);
  EXPECT_NE(english, greek);
  EXPECT_TRUE(HasGreekLetters(greek));
  EXPECT_FALSE(HasGreekLetters(english));
  EXPECT_EQ(ListedOptions(greek), ListedOptions(english));
  EXPECT_GT(ListedOptions(english).size(), 15u);
  for (const std::string* text : {&english, &greek}) {
    std::istringstream lines(*text);
    for (std::string line; std::getline(lines, line);) {
      EXPECT_LE(CodePoints(line), 78u) << line;
    }
  }
  EXPECT_EQ(greek.substr(0, greek.find('\n')),
            "Χρήση: zd32 [OPTIONS] [-D] [-S] [-E DIRECTORY] [AUTHORFILE]");
}

}  // namespace
}  // namespace zd
