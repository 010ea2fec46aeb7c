// Finding the user's browsers on a desktop of our own: the desktop's default, $BROWSER, the
// installed entries, the choice kept in the settings file, and the command a link starts.
#include "weblink/browsers.h"

#include <gtest/gtest.h>

#include <spawn.h>
#include <sys/wait.h>

#include <filesystem>
#include <sstream>

#include "base/cp1253.h"
#include "support/test_support.h"
#include "weblink/browser_test_folders.h"
#include "weblink/desktop_applications.h"
#include "weblink/web_address.h"

namespace zd {
namespace {

using test::FakeDesktop;
using test::Has;
using Words = std::vector<std::string>;

struct Detection {
  explicit Detection(const FakeDesktop& desktop, Language language = Language::English)
      : browsers(BrowserSources{desktop.Environment(), desktop.SettingsFile()}, language, trace) {
    browsers.DetectBrowsers();
  }
  std::ostringstream out;
  Trace trace{&out, Trace::kAll};
  Browsers browsers;
};

TEST(BrowsersTest, DefaultFirstThenBrowserVariableThenEntriesAtMostThree) {
  FakeDesktop desktop;
  const std::string alpha = desktop.Program("alpha"), beta = desktop.Program("beta"),
                    gamma = desktop.Program("gamma"), delta = desktop.Program("delta");
  // Entries in id order: a-alpha, b-beta, c-gamma, d-delta; the desktop's default is gamma,
  // and $BROWSER names beta, which its entry starts too.
  desktop.BrowserEntryFile("share1", "a-alpha.desktop", "Alpha", alpha);
  const std::string betaEntry = desktop.BrowserEntryFile("share1", "b-beta.desktop", "Beta", beta);
  const std::string gammaEntry =
      desktop.BrowserEntryFile("share2", "c-gamma.desktop", "Gamma", gamma);
  desktop.BrowserEntryFile("data", "d-delta.desktop", "Delta", delta);
  FakeDesktop::Write(desktop.root() + "/config/mimeapps.list",
                     "[Default Applications]\nx-scheme-handler/http=missing.desktop;c-gamma.desktop;\n");
  desktop.Set("BROWSER", "/nonexistent/browser:" + beta);

  Detection run(desktop);
  const auto& entries = run.browsers.entries();
  ASSERT_EQ(entries.size(), 3u);
  EXPECT_EQ(entries[0].path, gammaEntry);
  EXPECT_TRUE(entries[0].isDefault);
  EXPECT_EQ(entries[0].description, "Gamma");
  EXPECT_TRUE(Has(entries[0].details, "Location: " + gammaEntry + " (default)")) << entries[0].details;
  EXPECT_EQ(entries[0].dialogControl, 101);
  // $BROWSER's beta comes before the entries, and its entry is not listed again.
  EXPECT_EQ(entries[1].path, beta);
  EXPECT_EQ(entries[1].description, "beta");
  EXPECT_EQ(entries[1].command, (Words{"%s", "%u"}));
  EXPECT_FALSE(entries[1].isDefault);
  EXPECT_EQ(entries[1].dialogControl, 102);
  EXPECT_EQ(entries[2].description, "Alpha");
  EXPECT_EQ(entries[2].dialogControl, 104);
  for (const BrowserEntry& entry : entries) EXPECT_NE(entry.path, betaEntry);
  // A fourth detected browser has no place; delta was never listed.
  EXPECT_FALSE(run.browsers.AddBrowser(delta, false, false, {"%s", "%u"}));
  // Several browsers and no choice: the user is asked.
  EXPECT_FALSE(run.browsers.HaveBrowserChoice());
  EXPECT_EQ(run.browsers.ChosenBrowser(), nullptr);
}

TEST(BrowsersTest, EntriesThatCannotStartAreSkipped) {
  FakeDesktop desktop;
  const std::string web = desktop.Program("web");
  // Hidden in the user's folder: hides the system's entry of the same id too.
  desktop.Entry("data", "hidden.desktop", "[Desktop Entry]\nType=Application\nHidden=true\n");
  desktop.BrowserEntryFile("share1", "hidden.desktop", "Hidden", web);
  desktop.BrowserEntryFile("share1", "tryexec.desktop", "Gone", web, "TryExec=/nonexistent/web\n");
  desktop.BrowserEntryFile("share1", "noprogram.desktop", "Missing", "/nonexistent/web");
  desktop.Entry("share1", "link.desktop",
                "[Desktop Entry]\nType=Link\nExec=" + web + " %u\nMimeType=x-scheme-handler/http;\n");
  desktop.Entry("share1", "notweb.desktop",
                "[Desktop Entry]\nType=Application\nExec=" + web + " %f\nMimeType=image/png;\n");
  desktop.Entry("share1", "large.desktop", "[Desktop Entry]\nType=Application\nExec=" + web +
                " %u\nMimeType=x-scheme-handler/https;\nComment=" + std::string(70000, 'x') + "\n");
  // The default names an entry that is hidden; text/html's default is tried next.
  FakeDesktop::Write(desktop.root() + "/etc-xdg/mimeapps.list",
                     "[Default Applications]\nx-scheme-handler/http=hidden.desktop\n"
                     "text/html=../../escape.desktop;https.desktop\n");
  const std::string https = desktop.Entry(
      "share2", "https.desktop",
      "[Desktop Entry]\nType=Application\nName=Secure\nExec=" + web +
          " --private %u\nMimeType=x-scheme-handler/https;\n");

  Detection run(desktop);
  ASSERT_EQ(run.browsers.entries().size(), 1u);
  EXPECT_EQ(run.browsers.entries()[0].path, https);
  EXPECT_TRUE(run.browsers.entries()[0].isDefault);
  // The only browser found is the choice, without asking.
  EXPECT_TRUE(run.browsers.HaveBrowserChoice());
  ASSERT_NE(run.browsers.ChosenBrowser(), nullptr);
  EXPECT_EQ(run.browsers.ChosenBrowser()->path, https);
}

TEST(BrowsersTest, GreekNamesInGreekRunsAndTextsCutToTheirFields) {
  FakeDesktop desktop;
  const std::string web = desktop.Program("web");
  const std::string longName(150, 'n');
  desktop.Entry("share1", "web.desktop",
                "[Desktop Entry]\nType=Application\nName=" + longName +
                    "\nName[el]=Περιηγητής 漢字\nComment=Browse\nComment[el]=Περιήγηση\nExec=" +
                    web + " %u\nMimeType=x-scheme-handler/http;\n");
  Detection greek(desktop, Language::Greek);
  ASSERT_EQ(greek.browsers.entries().size(), 1u);
  const BrowserEntry& entry = greek.browsers.entries()[0];
  // Code page 1253 text; what it lacks shows as "?".
  EXPECT_EQ(Cp1253ToUtf8(entry.description), "Περιηγητής ??");
  EXPECT_TRUE(Has(Cp1253ToUtf8(entry.details), "Περιήγηση\nΘέση: ")) << entry.details;

  Detection english(desktop, Language::English);
  const BrowserEntry& plain = english.browsers.entries()[0];
  EXPECT_EQ(plain.description.size(), 100u);
  EXPECT_EQ(plain.description.substr(96), "n...");
  EXPECT_TRUE(Has(plain.details, "Browse\nLocation: ")) << plain.details;
}

TEST(BrowsersTest, LongPathsKeepTheDefaultMark) {
  FakeDesktop desktop;
  const std::string deep = desktop.root() + "/" + std::string(120, 'd') + "/web";
  FakeDesktop::Write(deep, "#!/bin/sh\n");
  std::filesystem::permissions(deep, std::filesystem::perms::owner_all);
  Detection run(desktop);
  ASSERT_TRUE(run.browsers.AddBrowser(deep, true, false, {}));
  const std::string& details = run.browsers.entries()[0].details;
  EXPECT_LE(details.size(), 100u);
  EXPECT_TRUE(details.ends_with("... (default)")) << details;
  // A path with nothing there, or a file that is no program, is no browser.
  EXPECT_FALSE(run.browsers.AddBrowser(desktop.root() + "/nothing", false, true, {}));
  FakeDesktop::Write(desktop.root() + "/text", "plain");
  EXPECT_FALSE(run.browsers.AddBrowser(desktop.root() + "/text", false, true, {}));
}

TEST(BrowsersTest, ChosenPathFromTheSettingsFile) {
  FakeDesktop desktop;
  const std::string one = desktop.Program("one"), mine = desktop.Program("mine");
  desktop.Set("BROWSER", one);
  // A chosen browser deleted since: forgotten, and the one browser found is used.
  FakeDesktop::Write(desktop.SettingsFile(), "[Internet]\nBrowser Path=/nonexistent/old\n");
  {
    Detection run(desktop);
    EXPECT_EQ(run.browsers.chosenPath(), "NONE");
    EXPECT_TRUE(run.browsers.HaveBrowserChoice());
    ASSERT_NE(run.browsers.ChosenBrowser(), nullptr);
    EXPECT_EQ(run.browsers.ChosenBrowser()->path, one);
  }
  // One that is there is listed as the user's, with its own control, and chosen.
  FakeDesktop::Write(desktop.SettingsFile(), "[internet]\nbrowser path = " + mine + "\n");
  {
    Detection run(desktop);
    ASSERT_EQ(run.browsers.entries().size(), 2u);
    EXPECT_TRUE(run.browsers.entries()[1].userChosen);
    EXPECT_EQ(run.browsers.entries()[1].dialogControl, 105);
    EXPECT_TRUE(run.browsers.HaveBrowserChoice());
    EXPECT_EQ(run.browsers.ChosenBrowser()->path, mine);
    // A second choice of the user's replaces the first.
    const std::string other = desktop.Program("other");
    EXPECT_TRUE(run.browsers.AddBrowser(other, false, true, {"%s", "%u"}));
    ASSERT_EQ(run.browsers.entries().size(), 2u);
    EXPECT_EQ(run.browsers.entries()[1].path, other);
    EXPECT_EQ(run.browsers.entries()[1].description, "other");
    // Detection runs once a run.
    run.browsers.DetectBrowsers();
    EXPECT_EQ(run.browsers.entries()[1].path, other);
  }
  // Malformed files: junk bytes, a relative path, control characters.
  for (const std::string& text :
       {std::string("\x00\xff[[[Internet\n=\n\r\r", 14), std::string("[Internet]\nBrowser Path=mine\n"),
        std::string("[Internet]\nBrowser Path=") + mine + "\x01\n"}) {
    FakeDesktop::Write(desktop.SettingsFile(), text);
    Detection run(desktop);
    EXPECT_EQ(run.browsers.chosenPath(), "NONE");
    EXPECT_EQ(run.browsers.entries().size(), 1u);
    EXPECT_TRUE(run.browsers.HaveBrowserChoice());
  }
}

TEST(BrowsersTest, ChoiceWrittenKeepsTheRestOfTheFile) {
  FakeDesktop desktop;
  const std::string one = desktop.Program("one"), two = desktop.Program("two");
  desktop.Set("BROWSER", one + ":" + two);
  const std::string before =
      "; the player's settings\n[Window]\nStart=window\n\n[Internet]\nProxy=none\n"
      "Browser Path=/old/path\n[Recent]\nTitle1=/titles/meadow\n";
  FakeDesktop::Write(desktop.SettingsFile(), before);
  {
    Detection run(desktop);
    std::string error;
    ASSERT_TRUE(run.browsers.ChooseBrowser(two, error)) << error;
    EXPECT_TRUE(Has(run.out.str(), "file written " + desktop.SettingsFile()));
  }
  const std::string after = test::ReadFile(desktop.SettingsFile());
  EXPECT_EQ(after, "; the player's settings\n[Window]\nStart=window\n\n[Internet]\nProxy=none\n"
                   "Browser Path=" + two + "\n[Recent]\nTitle1=/titles/meadow\n");
  {
    Detection run(desktop);
    EXPECT_EQ(run.browsers.chosenPath(), two);
    EXPECT_EQ(run.browsers.ChosenBrowser()->path, two);
  }
  // No file yet (nor its folder): both are made.
  std::filesystem::remove_all(desktop.root() + "/config/zendral");
  {
    Detection run(desktop);
    std::string error;
    ASSERT_TRUE(run.browsers.ChooseBrowser(one, error)) << error;
    EXPECT_EQ(test::ReadFile(desktop.SettingsFile()), "[Internet]\nBrowser Path=" + one + "\n");
  }
  // Without a settings folder nothing is written anywhere.
  {
    std::ostringstream out;
    Trace trace(&out, Trace::kAll);
    Browsers homeless(BrowserSources{desktop.Environment(), "/zendral.ini"}, Language::English, trace);
    homeless.DetectBrowsers();
    std::string error;
    EXPECT_FALSE(homeless.ChooseBrowser(one, error));
    EXPECT_FALSE(std::filesystem::exists("/zendral.ini"));
    EXPECT_EQ(homeless.chosenPath(), one);
  }
  // A file too large to read whole is not written over, but the choice holds for the run.
  const std::string large = "[Notes]\n" + std::string(70000, ';') + "\n";
  FakeDesktop::Write(desktop.SettingsFile(), large);
  {
    Detection run(desktop);
    std::string error;
    EXPECT_FALSE(run.browsers.ChooseBrowser(two, error));
    EXPECT_FALSE(error.empty());
    EXPECT_EQ(run.browsers.chosenPath(), two);
    EXPECT_EQ(test::ReadFile(desktop.SettingsFile()), large);
  }
}

TEST(BrowsersTest, CommandsArePlainSubstitution) {
  BrowserEntry program;
  program.path = "/opt/web/run";
  program.command = {"%s", "%u"};
  EXPECT_EQ(BrowserCommand(program, "http://x/%s%n%u%%"),
            (Words{"/opt/web/run", "http://x/%s%n%u%%"}));
  BrowserEntry desktopEntry;
  desktopEntry.path = "/usr/share/applications/web.desktop";
  desktopEntry.command = {"/opt/web/run", "--zoom=100%%", "--url=%u", "%s"};
  EXPECT_EQ(BrowserCommand(desktopEntry, "a b"),
            (Words{"/opt/web/run", "--zoom=100%", "--url=a b", desktopEntry.path}));
  // No place for the address: it comes last. A bare name is found on PATH.
  BrowserEntry bare;
  bare.command = {"sh", "-c"};
  const Words words = BrowserCommand(bare, "x");
  ASSERT_EQ(words.size(), 3u);
  EXPECT_TRUE(words[0].ends_with("/sh")) << words[0];
  EXPECT_EQ(words[2], "x");

  // $BROWSER's "%s" is the address's place; its other percents stay literal.
  FakeDesktop desktop;
  const std::string web = desktop.Program("web");
  desktop.Set("BROWSER", web + " --new %s --pct 5%");
  Detection run(desktop);
  ASSERT_EQ(run.browsers.entries().size(), 1u);
  EXPECT_EQ(BrowserCommand(run.browsers.entries()[0], "%u"),
            (Words{web, "--new", "%u", "--pct", "5%"}));
}

TEST(BrowsersTest, AnEntryRunningAShellNeverRunsTheAddress) {
  FakeDesktop desktop;
  desktop.Entry("share1", "shell.desktop",
                "[Desktop Entry]\nType=Application\nName=Shell\nExec=sh -c \"/usr/bin/true %u\"\n"
                "MimeType=x-scheme-handler/http;\n");
  Detection run(desktop);
  ASSERT_EQ(run.browsers.entries().size(), 1u);
  const BrowserEntry& entry = run.browsers.entries()[0];

  // The address a title may write, as the link check passes it: shell characters encoded.
  const std::string link = "http://x;touch${IFS}" + desktop.root() + "/p";
  const auto checked = CheckedWebAddress(link);
  ASSERT_TRUE(checked);
  EXPECT_EQ(*checked, "http://x;touch%24%7BIFS%7D" + desktop.root() + "/p");
  Words words = BrowserCommand(entry, *checked);
  ASSERT_EQ(words.size(), 4u);
  EXPECT_TRUE(words[0].ends_with("/sh")) << words[0];
  EXPECT_EQ(words[2], "/usr/bin/true %u");
  EXPECT_EQ(words[3], *checked);

  // Even unencoded, the address is a word of its own: the shell's $0, never its script.
  words = BrowserCommand(entry, link);
  ASSERT_EQ(words.size(), 4u);
  EXPECT_EQ(words[3], link);
  std::vector<char*> argv;
  for (std::string& word : words) argv.push_back(word.data());
  argv.push_back(nullptr);
  pid_t child = 0;
  ASSERT_EQ(::posix_spawn(&child, argv[0], nullptr, nullptr, argv.data(), nullptr), 0);
  int status = 0;
  ASSERT_EQ(::waitpid(child, &status, 0), child);
  EXPECT_FALSE(std::filesystem::exists(desktop.root() + "/p"));

  // The program's own word never takes the address.
  BrowserEntry odd;
  odd.command = {"%u", "--x"};
  EXPECT_NE(BrowserCommand(odd, "/bin/evil").front(), "/bin/evil");
}

TEST(BrowsersTest, LongDefaultListsAreCutAndFoundInOneWalk) {
  FakeDesktop desktop;
  const std::string web = desktop.Program("web");
  // An id of a file in a folder below applications/ is found through the one walk.
  const std::string nested =
      desktop.BrowserEntryFile("share2", "vendor/late.desktop", "Late", web);
  std::string ids;
  for (int i = 0; i < 200; ++i) ids += "missing" + std::to_string(i) + ".desktop;";
  FakeDesktop::Write(desktop.root() + "/config/mimeapps.list",
                     "[Default Applications]\nx-scheme-handler/http=" + ids +
                         "vendor-late.desktop\n");
  const XdgFolders folders = XdgFoldersFromEnvironment(desktop.Environment());
  const Words found = DefaultApplicationIds(folders, "x-scheme-handler/http");
  ASSERT_EQ(found.size(), kMaxDefaultApplicationIds);
  EXPECT_EQ(found.back(), "missing31.desktop");
  const std::vector<DesktopFile> listed = ListDesktopFiles(folders);
  EXPECT_EQ(FindDesktopFile(folders, listed, "vendor-late.desktop"), nested);
  EXPECT_EQ(FindDesktopFile(folders, listed, "late.desktop"), std::nullopt);
  // Past the cut, the id is not the default; the entry is still listed as a handler.
  Detection run(desktop);
  ASSERT_EQ(run.browsers.entries().size(), 1u);
  EXPECT_FALSE(run.browsers.entries()[0].isDefault);

  FakeDesktop::Write(desktop.root() + "/config/mimeapps.list",
                     "[Default Applications]\nx-scheme-handler/http=a.desktop;vendor-late.desktop\n");
  Detection second(desktop);
  ASSERT_EQ(second.browsers.entries().size(), 1u);
  EXPECT_TRUE(second.browsers.entries()[0].isDefault);
}

}  // namespace
}  // namespace zd
