// The player started as a user starts it, headless, driven by event scripts.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <vector>

#include "resources/string_table.h"
#include "support/test_support.h"
#include "support/title_builder.h"

namespace zd {
namespace {

using test::RunPlayer;

bool Has(const std::string& text, const std::string& part) {
  return text.find(part) != std::string::npos;
}

std::string QuitQuestion() {
  return std::string(LoadStringUtf8(strings::QUIT_QUESTION, Language::Greek));
}

TEST(Startup, WithoutATitleTheSplashOffersTheFileMenuAndTheCloseBoxAsks) {
  test::TempDir dir;
  const auto events = dir.Write("events", "wait 50\nanswer no\nquit\nwait 20\nanswer yes\nquit\n");
  const auto r = RunPlayer({"--headless", "--events", events, "--trace"});
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_TRUE(Has(r.err, "window open popup 480x360 \"Zendral - Mossgate\"")) << r.err;
  EXPECT_TRUE(Has(r.err, "window change captioned 480x360 \"Zendral - Mossgate\" menu \"Αρχείο\": "
                         "101 \"Άνοιγμα…\", 106 \"Εκτέλεση…\", 102 \"Έξοδος\""));
  // Asked twice: refused once, accepted once.
  const std::string asked = "message: " + QuitQuestion() + " [yes/no, question]";
  const size_t first = r.err.find(asked);
  ASSERT_NE(first, std::string::npos);
  EXPECT_NE(r.err.find(asked, first + 1), std::string::npos);
  EXPECT_TRUE(Has(r.err, "answer no\n"));
  EXPECT_TRUE(Has(r.err, "answer yes\n"));
  EXPECT_TRUE(Has(r.err, "window closed"));
}

TEST(Startup, ASmallOrShallowDisplayBringsUpTheDisplayQuestion) {
  test::TempDir dir;
  const std::string designed(LoadStringUtf8(strings::DISPLAY_DESIGNED, Language::Greek));
  for (const char* screen : {"640x400", "800x600x4"}) {
    const auto refuse = dir.Write("no", "answer no\n");
    auto r = RunPlayer({"--headless", "--screen", screen, "--events", refuse, "--trace"});
    EXPECT_EQ(r.status, 3) << "a refused question ends the run as a failure: " << r.err;
    const std::string firstLine = designed.substr(0, designed.find('\n'));
    EXPECT_TRUE(Has(r.err, firstLine)) << screen << r.err;
    EXPECT_TRUE(Has(r.err, "answer no"));
    EXPECT_FALSE(Has(r.err, "window change")) << "refusing must end the run: " << r.err;

    const auto accept = dir.Write("yes", "answer yes\nwait 20\n");
    r = RunPlayer({"--headless", "--screen", screen, "--events", accept, "--trace"});
    EXPECT_EQ(r.status, 0);
    EXPECT_TRUE(Has(r.err, "window change captioned")) << r.err;
  }
  // A big enough screen asks nothing.
  const auto r = RunPlayer({"--headless", "--screen", "1024x768", "--trace"});
  EXPECT_FALSE(Has(r.err, designed.substr(0, 10)));
}

TEST(Startup, ATitleThatCannotStartSaysWhyAndEndsWithStatusThree) {
  test::TempDir dir;
  test::Build(R"({"sections": [{"name": "R", "page": 0}], "pages": [{"name": "P"}]})",
              dir.File("good/_moss"));
  test::Build(R"({"pages": [{"name": "P"}]})", dir.File("nosections"));
  test::Build(R"({"sections": [{"name": "R", "page": 0}], "pages": [{"name": "P"}],
                  "magic": "Xuth"})", dir.File("nomagic"));
  dir.Write("empty/readme.txt", "not a title");
  dir.Write("locked/authorfi", "AUTH");
  std::filesystem::permissions(dir.File("locked/authorfi"), std::filesystem::perms::none);
  const bool canReadLocked = std::ifstream(dir.File("locked/authorfi")).good();  // as root

  const auto yes = dir.Write("yes", "answer yes\n");
  struct Case {
    std::string path, reason;
  };
  std::vector<Case> cases = {
      {"/no/such/Title/authorfi", "\"/no/such/Title/authorfi\" does not exist."},
      {dir.File("empty"), "The folder \"" + dir.File("empty") + "\" holds no Zendral title."},
      {dir.File("empty/readme.txt"),
       "\"" + dir.File("empty/readme.txt") + "\" is not a Zendral title's authorfile."},
      {dir.File("nomagic"), "\"" + dir.File("nomagic") + "\" is not a Zendral title's authorfile."},
      {dir.File("nosections"), "The authorfile \"" + dir.File("nosections") + "\" is damaged."},
  };
  if (!canReadLocked) {
    cases.push_back({dir.File("locked"), "\"" + dir.File("locked") + "\" cannot be read."});
  }
  for (const Case& c : cases) {
    const auto r = RunPlayer({"--lang", "en", "--headless", "--events", yes, "--trace", c.path});
    EXPECT_EQ(r.status, 3) << c.path << "\n" << r.err;
    // One box, naming the reason, then the question; no keyed box before it, no CD advice.
    EXPECT_TRUE(Has(r.err, "message: " + c.reason +
                               "\\nDo you want to quit Zendral? (No: choose another title) "
                               "[yes/no, question]"))
        << r.err;
    EXPECT_FALSE(Has(r.err, "message crierr")) << r.err;
    EXPECT_FALSE(Has(r.err, "window change")) << r.err;
  }

  // No: the File menu, and the run still ends with 3 unless a title was started after all.
  const auto no = dir.Write("no", "answer no\n");
  auto r = RunPlayer({"--headless", "--events", no, "--trace", "-d", "/no/such/authorfi"});
  EXPECT_TRUE(Has(r.err, "window change captioned")) << r.err;
  EXPECT_TRUE(Has(r.err, "start \"-d /no/such/authorfi\" as !UCH"));
  EXPECT_EQ(r.status, 3);
  const auto other = dir.Write("other", "answer no\ncommand 101\nfile " + dir.File("good/_moss") +
                                            "\nwait 100\nexpect page P\n");
  r = RunPlayer({"--headless", "--events", other, "--trace", "/no/such/authorfi"});
  EXPECT_EQ(r.status, 0) << r.err;

  // A path with blanks, given as one argument, with the original options before it.
  test::Build(R"({"sections": [{"name": "R", "page": 0}], "pages": [{"name": "Spaced"}]})",
              dir.File("My Titles/_moss"));
  const auto spaced = dir.Write("spaced", "wait 100\nexpect page Spaced\n");
  r = RunPlayer({"--headless", "--events", spaced, "--trace", "-D", "-E", dir.File("save"),
                 dir.File("My Titles/_moss/authorfi")});
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_TRUE(Has(r.err, "as !MOSS")) << r.err;

  // A quoted override directory with blanks, last on the line: no title, and the settings
  // entries of the popup menu are offered, since there is an override directory.
  r = RunPlayer({"--headless", "--events", dir.Write("saves", "wait 50\nrclick 100 100\nmenu -\n"),
                 "--trace", "-E", dir.File("My Saves")});
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_FALSE(Has(r.err, "message")) << r.err;
  EXPECT_TRUE(Has(r.err, "113 \"")) << r.err;
  EXPECT_FALSE(Has(r.err, "(grey), 114")) << r.err;
}

TEST(Startup, TheFileMenuAsksForAnAuthorfileUntilCancelled) {
  test::TempDir dir;
  const auto events = dir.Write("events",
                                "command 101\nfile /no/such/authorfi\nanswer ok\nfile -\n"
                                "key Ctrl+O\nfile -\n"
                                "command 102\n");
  const auto r = RunPlayer({"--headless", "--events", events, "--trace"});
  EXPECT_EQ(r.status, 0) << r.err;
  size_t dialogs = 0;
  for (size_t at = r.err.find("dialog open-file [Αρχείο τίτλου (*.*)]"); at != std::string::npos;
       at = r.err.find("dialog open-file", at + 1)) {
    ++dialogs;
  }
  EXPECT_EQ(dialogs, 3u) << r.err;
  EXPECT_TRUE(Has(r.err, "file /no/such/authorfi"));
  EXPECT_TRUE(Has(r.err, "file cancelled"));
  EXPECT_TRUE(Has(r.err, "message: Το \"/no/such/authorfi\" δεν υπάρχει. [ok, information]")) << r.err;
  // File, Exit ends the run without the question.
  EXPECT_FALSE(Has(r.err, QuitQuestion()));
}

TEST(Automation, FailedExpectationsAndImpossibleCommandsEndTheRunWithStatusOne) {
  test::TempDir dir;
  auto r = RunPlayer({"--headless", "--events", dir.Write("a", "wait 10\nexpect page Intro\n")});
  EXPECT_EQ(r.status, 1);
  EXPECT_TRUE(Has(r.err, "expect failed: page Intro: no page is shown")) << r.err;

  r = RunPlayer({"--headless", "--events", dir.Write("b", "quit\nclick 10 10\n")});
  EXPECT_EQ(r.status, 1);
  EXPECT_TRUE(Has(r.err, "'click' cannot be taken while a message box waits for an answer"))
      << r.err;

  // Messages are matched by key or text, once: a second expectation needs a new message.
  const std::string text = QuitQuestion().substr(0, QuitQuestion().find(' '));  // first word
  r = RunPlayer({"--headless", "--events",
                 dir.Write("c", "answer no\nquit\nexpect message " + text +
                                    "\nexpect message " + text + "\n")});
  EXPECT_EQ(r.status, 1);
  EXPECT_TRUE(Has(r.err, "expect failed: message " + text + ": no such message was shown"));
  EXPECT_TRUE(Has(r.err, "c:4)")) << "the failing line is named: " << r.err;

  r = RunPlayer({"--headless", "--events", dir.Write("d", "answer ok\nquit\n")});
  EXPECT_EQ(r.status, 1);
  EXPECT_TRUE(Has(r.err, "the message box offers no 'ok' answer")) << r.err;
}

TEST(Automation, MalformedScriptsAndOptionsAreRefusedBeforeAnythingRuns) {
  test::TempDir dir;
  auto r = RunPlayer({"--headless", "--events", dir.Write("e", "# fine\nwait 10\njump 3\n")});
  EXPECT_EQ(r.status, 2);
  EXPECT_TRUE(Has(r.err, "e:3: unknown command 'jump'")) << r.err;
  r = RunPlayer({"--headless", "--events", dir.Write("f", "click 10\n")});
  EXPECT_EQ(r.status, 2);
  EXPECT_TRUE(Has(r.err, "f:1: 'click' needs two whole numbers X Y"));
  r = RunPlayer({"--headless", "--events", dir.Write("g", "key Hyper\n")});
  EXPECT_TRUE(Has(r.err, "g:1: unknown key 'Hyper'"));
  r = RunPlayer({"--headless", "--events", dir.File("missing")});
  EXPECT_EQ(r.status, 2);
  EXPECT_TRUE(Has(r.err, "cannot read the event script"));
  r = RunPlayer({"--headless", "--frobnicate"});
  EXPECT_EQ(r.status, 2);
  r = RunPlayer({"--headless", "--screen", "640by480"});
  EXPECT_EQ(r.status, 2);
  r = RunPlayer({"--trace=pages"});
  EXPECT_EQ(r.status, 2);
  EXPECT_TRUE(Has(r.err, "unknown trace category"));
}

TEST(Automation, HelpListsEveryOption) {
  const auto r = RunPlayer({"--help"});
  EXPECT_EQ(r.status, 0);
  for (const char* option : {"--headless", "--events", "--trace", "--screen", "--clock",
                             "--ticks", "--messages", "--version", "-D", "-S", "-E", "-M", "-O"}) {
    EXPECT_TRUE(Has(r.out, option)) << option;
  }
  EXPECT_TRUE(Has(RunPlayer({"--version"}).out, "zd32"));
}

}  // namespace
}  // namespace zd

namespace zd {
namespace {

TEST(Startup, TheDemoTitleStartsAtItsFirstPage) {
  test::TempDir dir;
  const std::string title = test::BuildDir() + "/demo/_meadow";
  const auto r = test::RunPlayer({"--headless", "--trace=run,page,message", "--events",
                                  dir.Write("e", "wait 100\n"), title});
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_NE(r.err.find("title \"" + title + "\" version 101, 42 pages"), std::string::npos)
      << r.err;
  EXPECT_NE(r.err.find("page 0 Contents"), std::string::npos) << r.err;
  EXPECT_EQ(r.err.find("message"), std::string::npos) << "no failure on the way: " << r.err;
}

}  // namespace
}  // namespace zd
