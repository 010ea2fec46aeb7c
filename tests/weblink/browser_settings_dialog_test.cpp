// The browser settings dialog in a headless run, answered by an event script as a user would:
// confirming, choosing among several, OK with nothing checked, Locate... and Cancel.
#include "weblink/browser_settings_dialog.h"

#include <gtest/gtest.h>

#include "support/runtime_fixture.h"
#include "support/test_support.h"
#include "weblink/browser_test_folders.h"
#include "weblink/browsers.h"

namespace zd {
namespace {

using test::FakeDesktop;
using test::Has;

struct DialogRun {
  DialogRun(const FakeDesktop& desktop, const std::string& events, std::string settingsFile = {})
      : fixture(test::RuntimeOptions{.events = events}),
        browsers(BrowserSources{desktop.Environment(),
                                settingsFile.empty() ? desktop.SettingsFile() : settingsFile},
                 fixture.runtime().config.language, fixture.runtime().trace) {}
  test::RuntimeFixture fixture;
  Browsers browsers;
};

TEST(BrowserSettingsDialogTest, ChoosingAmongSeveralAfterOkWithNoneChecked) {
  FakeDesktop desktop;
  const std::string one = desktop.Program("one"), two = desktop.Program("two");
  desktop.Set("BROWSER", one + ":" + two);
  // No default, no choice: nothing is checked, and OK asks again.
  DialogRun run(desktop, "answer ok\nanswer ok\ncheck 102\nanswer ok\n");
  EXPECT_TRUE(RunBrowserSettingsDialog(run.fixture.runtime(), run.browsers));
  EXPECT_FALSE(run.fixture.ScriptFailed());
  const std::string trace = run.fixture.TraceText();
  EXPECT_TRUE(Has(trace, "dialog IDD_WebSetUp")) << trace;
  EXPECT_TRUE(Has(trace, "Επιλέξτε ένα πρόγραμμα περιήγησης")) << trace;  // text 512
  EXPECT_EQ(run.browsers.chosenPath(), two);
  EXPECT_TRUE(Has(test::ReadFile(desktop.SettingsFile()), "Browser Path=" + two));
}

TEST(BrowserSettingsDialogTest, LocateAddsTheUsersOwnAndCancelWritesNothing) {
  FakeDesktop desktop;
  const std::string found = desktop.Program("found"), mine = desktop.Program("mine");
  desktop.Set("BROWSER", found);
  FakeDesktop::Write(desktop.root() + "/notes.txt", "not a program");
  {
    // A file that is no program is refused with a message; the dialog comes back.
    DialogRun run(desktop, "answer 106\nfile " + desktop.root() + "/notes.txt\nanswer ok\n"
                           "answer 106\nfile " + mine + "\nanswer ok\n");
    EXPECT_TRUE(RunBrowserSettingsDialog(run.fixture.runtime(), run.browsers));
    const std::string trace = run.fixture.TraceText();
    EXPECT_TRUE(Has(trace, "notes.txt")) << trace;
    ASSERT_EQ(run.browsers.entries().size(), 2u);
    EXPECT_EQ(run.browsers.entries()[1].dialogControl, 105);
    // The browser just located is the one checked.
    EXPECT_EQ(run.browsers.chosenPath(), mine);
    EXPECT_TRUE(Has(test::ReadFile(desktop.SettingsFile()), "Browser Path=" + mine));
  }
  std::filesystem::remove(desktop.SettingsFile());
  {
    DialogRun run(desktop, "answer cancel\n");
    EXPECT_FALSE(RunBrowserSettingsDialog(run.fixture.runtime(), run.browsers));
    EXPECT_FALSE(std::filesystem::exists(desktop.SettingsFile()));
    EXPECT_EQ(run.browsers.chosenPath(), "NONE");
  }
}

TEST(BrowserSettingsDialogTest, DefaultProposedAndAWriteFailureShownWithItsReason) {
  FakeDesktop desktop;
  const std::string web = desktop.Program("web"), other = desktop.Program("other");
  const std::string entry = desktop.BrowserEntryFile("share1", "web.desktop", "Web", web);
  FakeDesktop::Write(desktop.root() + "/config/mimeapps.list",
                     "[Default Applications]\nx-scheme-handler/http=web.desktop\n");
  desktop.Set("BROWSER", other);
  // The settings folder cannot be made: a file stands where it would be.
  FakeDesktop::Write(desktop.root() + "/blocked", "");
  DialogRun run(desktop, "answer ok\nanswer ok\n", desktop.root() + "/blocked/zendral.ini");
  EXPECT_TRUE(RunBrowserSettingsDialog(run.fixture.runtime(), run.browsers));
  const std::string trace = run.fixture.TraceText();
  EXPECT_TRUE(Has(trace, "form IDD_WebSetUp: checked 101")) << trace;
  EXPECT_TRUE(Has(trace, "δεν ήταν δυνατό να αποθηκευτεί")) << trace;  // text 514
  EXPECT_TRUE(Has(trace, "blocked")) << trace;                          // with the reason
  // The choice holds for the run all the same.
  EXPECT_EQ(run.browsers.chosenPath(), entry);
  EXPECT_TRUE(run.browsers.HaveBrowserChoice());
}

}  // namespace
}  // namespace zd
