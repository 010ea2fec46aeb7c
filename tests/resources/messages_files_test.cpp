// The messages files shipped with the runtime: one "key:text" line per failure key.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <fstream>
#include <iterator>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "base/cp1253.h"

namespace zd {
namespace {

// Every key the runtime looks up. The reporting code and these files must agree on it.
constexpr std::array<std::string_view, 184> kKeys = {
    "asherr1",  "asherr10", "asherr11", "asherr12", "asherr13", "asherr14", "asherr15",
    "asherr16", "asherr17", "asherr2",  "asherr20", "asherr3",  "asherr4",  "asherr5",
    "asherr6",  "asherr7",  "asherr8",  "asherr9",  "crierr10", "crierr11", "crierr12",
    "crierr15", "crierr17", "crierr18", "crierr19", "crierr2",  "crierr20", "crierr21",
    "crierr22", "crierr23", "crierr25", "crierr26", "crierr27", "crierr28", "crierr29",
    "crierr30", "crierr33", "crierr34", "crierr35", "crierr36", "crierr4",  "crierr5",
    "crierr6",  "crierr7",  "crierr8",  "crierr9",  "error137", "error138", "error142",
    "error143", "error144", "error145", "error146", "fldtype0", "fldtype1", "fldtype10", "fldtype11", "fldtype12", "fldtype13",
    "fldtype2", "fldtype3", "fldtype4", "fldtype5", "fldtype6", "fldtype7", "fldtype8",
    "fldtype9", "generr1",  "generr2",  "generr3",  "generr4",  "generr5",  "generr6",
    "generr7",  "generr8",  "hnderr1",  "hnderr11", "hnderr2",  "hnderr3",  "hnderr4",
    "hnderr5",  "hnderr6",  "hnderr7",  "hnderr8",  "hnderr9",  "mserr1",   "mserr2",
    "prterr1",  "saverr1",  "saverr2",  "saverr3",  "saverr4",  "saverr5",  "scask1",
    "scerr1",   "scerr10",  "scerr11",  "scerr12",  "scerr13",  "scerr15",  "scerr16",
    "scerr17",  "scerr2",   "scerr20",  "scerr21",  "scerr22",  "scerr23",  "scerr24",
    "scerr25",  "scerr26",  "scerr27",  "scerr28",  "scerr29",  "scerr3",   "scerr30",
    "scerr31",  "scerr32",  "scerr33",  "scerr34",  "scerr35",  "scerr36",  "scerr37",
    "scerr38",  "scerr4",   "scerr40",  "scerr41",  "scerr42",  "scerr43",  "scerr44",
    "scerr45",  "scerr46",  "scerr47",  "scerr5",   "scerr50",  "scerr50a", "scerr51",
    "scerr52",  "scerr53",  "scerr54",  "scerr55",  "scerr57",  "scerr6",   "scerr60",
    "scerr61",  "scerr62",  "scerr63",  "scerr64",  "scerr65",  "scerr67",  "scerr7",
    "scerr70",  "scerr71",  "scerr72",  "scerr73",  "scerr74",  "scerr75",  "scerr76",
    "scerr77",  "scerr78",  "scerr8",   "scerr9",   "skperr1",  "tkserr1",  "tkserr2",  "wblerr1",  "wblerr10",
    "wblerr11", "wblerr12", "wblerr13", "wblerr14", "wblerr15", "wblerr16", "wblerr17",
    "wblerr18", "wblerr19", "wblerr2",  "wblerr20", "wblerr21", "wblerr22", "wblerr23",
    "wblerr24", "wblerr3",  "wblerr7",  "wblerr8",
};

// Keys whose report carries a text (a name, a word, a path) or a number.
const std::map<std::string_view, char> kArgumentKinds = {
    {"crierr6", 'n'},  {"crierr8", 't'},  {"crierr9", 't'},  {"crierr11", 't'},
    {"crierr12", 't'}, {"crierr26", 't'}, {"crierr28", 't'}, {"crierr29", 'n'},
    {"crierr30", 't'}, {"generr1", 't'},  {"generr4", 't'},  {"generr5", 't'},
    {"generr6", 't'},  {"scerr2", 't'},   {"scerr4", 't'},   {"scerr6", 't'},
    {"scerr7", 't'},   {"scerr8", 't'},   {"scerr10", 't'},  {"scerr11", 't'},
    {"scerr12", 't'},  {"scerr16", 't'},  {"scerr17", 't'},  {"scerr21", 't'},
    {"scerr22", 't'},  {"scerr24", 't'},  {"scerr25", 't'},  {"scerr26", 't'},
    {"scerr27", 't'},  {"scerr31", 't'},  {"scerr32", 't'},  {"scerr33", 't'},
    {"scerr34", 't'},  {"scerr40", 't'},  {"scerr41", 't'},  {"scerr42", 't'},
    {"scerr44", 't'},  {"scerr46", 't'},  {"scerr53", 't'},  {"scerr55", 't'},
    {"scerr57", 't'},  {"scerr61", 't'},  {"scerr63", 't'},  {"hnderr1", 't'},
    {"hnderr2", 't'},  {"hnderr3", 't'},  {"hnderr4", 't'},  {"hnderr6", 't'},
    {"asherr1", 't'},  {"asherr3", 't'},  {"asherr4", 't'},  {"asherr6", 't'},
    {"asherr7", 't'},  {"asherr8", 't'},  {"asherr9", 't'},  {"asherr10", 't'},
    {"asherr11", 't'}, {"asherr12", 't'}, {"asherr13", 't'}, {"asherr16", 't'},
    {"asherr17", 't'}, {"asherr20", 't'}, {"tkserr2", 't'},  {"wblerr1", 't'},
    {"wblerr2", 't'},  {"wblerr3", 't'},  {"mserr1", 't'},   {"scerr71", 't'},  {"scerr72", 't'},
    {"scerr73", 't'},  {"scerr74", 't'},  {"scerr75", 't'},  {"scerr76", 't'},  {"scerr77", 't'},  {"scerr78", 't'}, {"error145", 't'},
    {"scask1", 't'},   {"mserr2", 't'},   {"prterr1", 't'},
};

struct Line {
  std::string key;
  std::string text;  // up to the next colon or the line end, line break excluded
  bool secondColon = false;
};

std::vector<Line> ReadMessages(const std::string& name) {
  std::ifstream file(std::string(ZD_SOURCE_DIR) + "/runtime/resources/messages/" + name,
                     std::ios::binary);
  EXPECT_TRUE(file) << name;
  std::vector<Line> lines;
  std::string raw;
  while (std::getline(file, raw)) {
    const size_t colon = raw.find(':');
    EXPECT_NE(colon, std::string::npos) << name << ": line without a key: " << raw;
    if (colon == std::string::npos) continue;
    const size_t next = raw.find(':', colon + 1);
    lines.push_back({raw.substr(0, colon),
                     raw.substr(colon + 1, next == std::string::npos ? next : next - colon - 1),
                     next != std::string::npos});
  }
  return lines;
}

// The printf conversion letters of a text ('%%' is not one).
std::string Conversions(std::string_view text) {
  std::string letters;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '%') continue;
    size_t j = i + 1;
    while (j < text.size() && std::string_view("-+ #0123456789.lhLqjzt").find(text[j]) !=
                                  std::string_view::npos) {
      ++j;
    }
    if (j < text.size() && text[j] != '%') letters += text[j];
    i = j;
  }
  return letters;
}

class MessagesFile : public testing::TestWithParam<const char*> {};

TEST_P(MessagesFile, HoldsEveryKeyOnceAndNothingElse) {
  ASSERT_TRUE(std::is_sorted(kKeys.begin(), kKeys.end()));
  std::map<std::string, int> seen;
  for (const Line& line : ReadMessages(GetParam())) ++seen[line.key];
  for (const auto& [key, count] : seen) {
    EXPECT_EQ(count, 1) << key;
    EXPECT_TRUE(std::binary_search(kKeys.begin(), kKeys.end(), key)) << "unknown key " << key;
  }
  for (std::string_view key : kKeys) EXPECT_TRUE(seen.count(std::string(key))) << key;
}

TEST_P(MessagesFile, TextsAreWholeAndFitTheMessageBuffer) {
  for (const Line& line : ReadMessages(GetParam())) {
    EXPECT_FALSE(line.secondColon) << line.key << ": the text would stop at its colon";
    EXPECT_FALSE(line.text.empty()) << line.key;
    EXPECT_EQ(line.text.find('\r'), std::string::npos) << line.key;
    const std::string cp = Utf8ToCp1253(line.text);
    EXPECT_LT(cp.size(), 200u) << line.key;
    EXPECT_EQ(std::count(cp.begin(), cp.end(), '?'),
              std::count(line.text.begin(), line.text.end(), '?'))
        << line.key << ": a character the code page lacks";
  }
}

TEST_P(MessagesFile, ConversionsMatchTheReportedArgument) {
  for (const Line& line : ReadMessages(GetParam())) {
    const std::string letters = Conversions(line.text);
    EXPECT_LE(letters.size(), 1u) << line.key;
    const auto it = kArgumentKinds.find(line.key);
    if (it == kArgumentKinds.end()) {
      // Shown unformatted: a percent sign would appear as written.
      EXPECT_EQ(line.text.find('%'), std::string::npos) << line.key;
    } else if (it->second == 't') {
      EXPECT_EQ(letters, "s") << line.key;
    } else {
      ASSERT_EQ(letters.size(), 1u) << line.key;
      EXPECT_NE(std::string_view("diuxX").find(letters[0]), std::string_view::npos) << line.key;
    }
  }
}

INSTANTIATE_TEST_SUITE_P(Languages, MessagesFile,
                         testing::Values("MESSAGES.el.txt", "MESSAGES.en.txt"),
                         [](const testing::TestParamInfo<const char*>& param) {
                           return std::string(param.param).substr(9, 2);
                         });

TEST(MessagesFiles, BothLanguagesListTheSameKeysInTheSameOrder) {
  const std::vector<Line> greek = ReadMessages("MESSAGES.el.txt");
  const std::vector<Line> english = ReadMessages("MESSAGES.en.txt");
  ASSERT_EQ(greek.size(), english.size());
  for (size_t i = 0; i < greek.size(); ++i) EXPECT_EQ(greek[i].key, english[i].key) << i;
}

TEST(MessagesFiles, EndWithALineBreak) {
  for (const char* name : {"MESSAGES.el.txt", "MESSAGES.en.txt"}) {
    std::ifstream file(std::string(ZD_SOURCE_DIR) + "/runtime/resources/messages/" + name,
                       std::ios::binary);
    const std::string content((std::istreambuf_iterator<char>(file)),
                              std::istreambuf_iterator<char>());
    ASSERT_FALSE(content.empty()) << name;
    EXPECT_EQ(content.back(), '\n') << name;
  }
}

}  // namespace
}  // namespace zd
