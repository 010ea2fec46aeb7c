// The print and page-setup dialogs of a headless run, answered by an event script as an
// end-to-end test answers them: the trace lines, the defaults, and the settings a script gives.
#include <gtest/gtest.h>

#include <sstream>
#include <variant>

#include "base/cp1253.h"
#include "platform/automation/event_script.h"
#include "platform/headless/headless_platform.h"

namespace zd::platform {
namespace {

struct ScriptedRun {
  explicit ScriptedRun(const std::string& script) {
    auto parsed = ParseEventScript(script, "s");
    EXPECT_TRUE(std::holds_alternative<EventScript>(parsed)) << std::get<std::string>(parsed);
    driver = std::make_unique<EventScriptDriver>(std::get<EventScript>(std::move(parsed)), trace);
    platform = MakeHeadlessPlatform({}, trace, driver.get());
  }
  std::ostringstream out;
  Trace trace{&out, Trace::kDefault};
  std::unique_ptr<EventScriptDriver> driver;
  std::unique_ptr<Platform> platform;
};

PrintDialogSpec NotepadPrint() {
  PrintDialogSpec request;
  request.destinations = {"Office", "PDF file"};
  request.defaultDestination = 1;
  request.pageCount = 3;
  request.rangeFrom = 2;
  request.rangeTo = 2;
  request.setup.paper = Paper{"A4", 210, 297};
  return request;
}

bool Has(const std::string& text, const std::string& part) {
  return text.find(part) != std::string::npos;
}

TEST(HeadlessPrintDialog, TracedAndAnsweredWithItsDefaults) {
  ScriptedRun run("answer ok\n");
  const auto choice = run.platform->PrintDialog(NotepadPrint());
  ASSERT_TRUE(choice);
  EXPECT_EQ(choice->destination, 1);
  EXPECT_EQ(choice->copies, 1);
  EXPECT_EQ(choice->fromPage, 2);
  EXPECT_EQ(choice->toPage, 2);
  EXPECT_FALSE(choice->setup.landscape);
  const std::string trace = run.out.str();
  EXPECT_TRUE(Has(trace, "dialog print: \"Office\", \"PDF file\"; default \"PDF file\"; pages 1-3, "
                         "proposed 2-2\n")) << trace;
  EXPECT_TRUE(Has(trace, "answer ok\n")) << trace;
  EXPECT_TRUE(Has(trace, "print to \"PDF file\", copies 1, pages 2-2, A4 portrait\n")) << trace;

  // Without any answer the dialog takes its defaults; with no range it traces none.
  ScriptedRun quiet("");
  PrintDialogSpec screen;
  screen.destinations = {"PDF file"};
  screen.setup.paper = Paper{"A4", 210, 297};
  const auto plain = quiet.platform->PrintDialog(screen);
  ASSERT_TRUE(plain);
  EXPECT_EQ(plain->fromPage, 0);
  EXPECT_TRUE(Has(quiet.out.str(), "dialog print: \"PDF file\"; default \"PDF file\"\n"))
      << quiet.out.str();
  EXPECT_TRUE(Has(quiet.out.str(), "answer ok (default)\n"));
}

TEST(HeadlessPrintDialog, ScriptSettingsChangeTheAnswerAndCancelGivesNothing) {
  // Settings may come before the dialog opens or while it waits.
  ScriptedRun run("printer Office\ncopies 4\npages 1 3\norientation landscape\nanswer ok\n"
          "key Escape\n"
          "orientation landscape\nkey Return\n"
          "answer cancel\n");
  auto choice = run.platform->PrintDialog(NotepadPrint());
  ASSERT_TRUE(choice);
  EXPECT_EQ(choice->destination, 0);
  EXPECT_EQ(choice->copies, 4);
  EXPECT_EQ(choice->fromPage, 1);
  EXPECT_EQ(choice->toPage, 3);
  EXPECT_TRUE(choice->setup.landscape);
  EXPECT_TRUE(Has(run.out.str(), "print to \"Office\", copies 4, pages 1-3, A4 landscape\n"));
  // The settings held for that dialog only; Escape cancels the next one.
  EXPECT_FALSE(run.platform->PrintDialog(NotepadPrint()));

  PageSetupSpec setup;
  setup.current.paper = Paper{"A4", 210, 297};
  const auto turned = run.platform->PageSetupDialog(setup);
  ASSERT_TRUE(turned);
  EXPECT_TRUE(turned->landscape);
  EXPECT_EQ(turned->paper.name, "A4");
  EXPECT_TRUE(Has(run.out.str(), "dialog page-setup: A4 portrait\n")) << run.out.str();
  EXPECT_TRUE(Has(run.out.str(), "page setup A4 landscape, margins 10 10 10 10 mm\n"));
  EXPECT_FALSE(run.platform->PageSetupDialog(setup));
  EXPECT_FALSE(run.driver->failed());
}

TEST(HeadlessPrintDialog, SettingsTheDialogCannotTakeFailTheScript) {
  ScriptedRun unknown("printer Attic\nanswer ok\n");
  unknown.platform->PrintDialog(NotepadPrint());
  EXPECT_TRUE(unknown.driver->failed());

  ScriptedRun tooFar("pages 2 7\n");
  tooFar.platform->PrintDialog(NotepadPrint());
  EXPECT_TRUE(tooFar.driver->failed());

  ScriptedRun noRange("pages 1 1\n");
  PrintDialogSpec screen;
  screen.destinations = {"PDF file"};
  noRange.platform->PrintDialog(screen);
  EXPECT_TRUE(noRange.driver->failed());

  ScriptedRun yes("answer yes\n");
  yes.platform->PrintDialog(NotepadPrint());
  EXPECT_TRUE(yes.driver->failed());

  // Malformed settings are refused with the script.
  for (const char* bad : {"copies 0\n", "copies 100\n", "pages 3 1\n", "pages 0 2\n",
                          "orientation sideways\n", "printer\n", "pages 1\n"}) {
    EXPECT_TRUE(std::holds_alternative<std::string>(ParseEventScript(bad, "s"))) << bad;
  }
}

TEST(HeadlessPrintDialog, AnUnsoundRequestIsAnsweredSoundly) {
  ScriptedRun run("");
  PrintDialogSpec odd;
  odd.destinations = {"PDF file"};
  odd.defaultDestination = 7;
  odd.copies = 0;
  odd.pageCount = 2;
  odd.rangeFrom = 2;
  odd.rangeTo = 9;
  const auto choice = run.platform->PrintDialog(odd);
  ASSERT_TRUE(choice);
  EXPECT_EQ(choice->destination, 0);
  EXPECT_EQ(choice->copies, 1);
  EXPECT_EQ(choice->fromPage, 0);  // the proposed range lay outside the pages: all
}

}  // namespace
}  // namespace zd::platform
