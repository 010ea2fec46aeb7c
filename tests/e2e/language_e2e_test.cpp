// The player started as a user starts it, headless, in Greek or in English: chosen by --lang or
// by the environment's language variables, for the player's own texts only.
#include <gtest/gtest.h>

#include <fstream>

#include "base/cp1253.h"
#include "support/test_support.h"

namespace zd {
namespace {

using test::Has;
using test::RunPlayer;

const std::string kGreekQuit = "message: Είστε βέβαιοι ότι θέλετε να τερματίσετε την εφαρμογή; ";
const std::string kEnglishQuit = "message: Are you sure you want to quit the application? ";

TEST(LanguageRun, TheCloseBoxAsksInTheLanguageOfTheOptionOrTheEnvironment) {
  test::TempDir dir;
  const auto events = dir.Write("events", "wait 20\nanswer yes\nquit\n");
  struct Case {
    std::vector<std::string> options;
    test::Environment environment;
    const std::string& question;
  };
  const Case cases[] = {
      {{"--lang", "en"}, {}, kEnglishQuit},
      {{}, {"LANG=en_US.UTF-8"}, kEnglishQuit},
      {{}, {"LC_ALL=C.UTF-8", "LANG=en_GB.UTF-8"}, kEnglishQuit},
      {{}, {"LANG=el_GR.UTF-8"}, kGreekQuit},
      {{}, {}, kGreekQuit},
      {{"--lang", "el"}, {"LANGUAGE=en", "LANG=en_US.UTF-8"}, kGreekQuit},
  };
  for (const Case& c : cases) {
    std::vector<std::string> args = {"--headless", "--events", events, "--trace"};
    args.insert(args.end(), c.options.begin(), c.options.end());
    const auto r = RunPlayer(args, "", c.environment);
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_TRUE(Has(r.err, c.question + "[yes/no, question]"))
        << testing::PrintToString(c.options) << testing::PrintToString(c.environment) << r.err;
    EXPECT_TRUE(Has(r.err, "window closed"));
  }
}

TEST(LanguageRun, TheMenusOfTheSplashAndThePageAreEnglish) {
  test::TempDir dir;
  const auto splash = RunPlayer({"--headless", "--trace", "--lang", "en"}, dir.path());
  EXPECT_TRUE(Has(splash.err, "menu \"File\": 101 \"Open…\", 106 \"Run…\", ")) << splash.err;

  const auto events = dir.Write("events", "wait 500\nrclick 100 100\nmenu -\nwait 20\n");
  const auto r = RunPlayer({"--headless", "--trace", "--lang", "en", "--events", events,
                            test::BuildDir() + "/demo/_meadow"},
                           dir.path());
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_TRUE(Has(r.err, "dialog popup-menu at 100,100: 112 \"Save object\"")) << r.err;
  EXPECT_TRUE(Has(r.err, "120 \"Sharp (whole multiples)\", 121 \"Smooth\", "
                         "122 \"Stretched to fill\", 118 \"Exit\""))
      << r.err;
  // The caption names the product and the title, whatever the language.
  EXPECT_TRUE(Has(r.err, "\"Zendral - Mossgate\"")) << r.err;
}

TEST(LanguageRun, ScriptsStillSeeGreekDatesButErrorsAreHeadedInEnglish) {
  test::TempDir dir;
  const std::string path = dir.path() + "/dates.zds";
  std::ofstream(path) << Utf8ToCp1253(
      "set DateFormat%, 4\n"
      "datetostr s$, 5, 1, 1998\n"
      "assert (s$ == \"5 Ιανουάριος 1998\")\n"
      "set DateFormat%, 260\n"
      "datetostr s$, 5, 1, 1998\n"
      "assert (s$ == \"Δευτέρα 5 Ιανουάριος 1998\")\n"
      "bogus\n");
  const auto english = RunPlayer({"--lang", "en", "--run-script", path, "--test-asserts"});
  EXPECT_EQ(english.status, 0) << english.err;
  EXPECT_FALSE(Has(english.err, "assert failed")) << english.err;
  EXPECT_TRUE(Has(english.err, "Script error - script \"dates.zds\", line 7:")) << english.err;

  const auto greek = RunPlayer({"--run-script", path, "--test-asserts"});
  EXPECT_EQ(greek.status, 0) << greek.err;
  EXPECT_TRUE(Has(greek.err, "Σφάλμα στο κώδικα - Κώδικας  \"dates.zds\", Γραμμή 7:")) << greek.err;
}

TEST(LanguageRun, HelpIsWrittenInTheChosenLanguage) {
  EXPECT_EQ(RunPlayer({"--lang", "en", "--help"}).out.rfind("Usage: zd32 ", 0), 0u);
  EXPECT_EQ(RunPlayer({"--lang", "el", "--help"}).out.rfind("Χρήση: zd32 ", 0), 0u);
  EXPECT_EQ(RunPlayer({"--help"}).out.rfind("Χρήση: zd32 ", 0), 0u);
  EXPECT_EQ(RunPlayer({"--help"}, "", {"LANG=en_US.UTF-8"}).out.rfind("Usage: zd32 ", 0), 0u);
  const auto refused = RunPlayer({"--lang", "fr", "--help"});
  EXPECT_EQ(refused.status, 2) << refused.err;
}

}  // namespace
}  // namespace zd
