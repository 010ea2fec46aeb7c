// Desktop entries as the browser list reads them: the Exec line's quoting and field codes, the
// Greek names, and files that are not what they claim.
#include <gtest/gtest.h>

#include "weblink/desktop_entry_reader.h"

namespace zd {
namespace {

using Words = std::vector<std::string>;

TEST(DesktopEntryReaderTest, ExecQuotingAndFieldCodes) {
  EXPECT_EQ(SplitExec("firefox %u"), (Words{"firefox", "%u"}));
  // Every file and address code means the address; icon, caption and location go.
  EXPECT_EQ(SplitExec("web %U --icon %i %c %k"), (Words{"web", "%u", "--icon"}));
  EXPECT_EQ(SplitExec("web %F"), (Words{"web", "%u"}));
  EXPECT_EQ(SplitExec("web --url=%f"), (Words{"web", "--url=%u"}));
  // A literal percent stays distinguishable from the address's place.
  EXPECT_EQ(SplitExec("web --zoom=100%% %u"), (Words{"web", "--zoom=100%%", "%u"}));
  EXPECT_EQ(SplitExec("web %%u"), (Words{"web", "%%u"}));
  // Quotes group blanks; inside them \" \` \$ \\ are escapes and other backslashes literal.
  EXPECT_EQ(SplitExec(R"("/opt/My Browser/run" "a \"b\" \$c \\d \e" %u)"),
            (Words{"/opt/My Browser/run", R"(a "b" $c \d \e)", "%u"}));
  EXPECT_EQ(SplitExec("  spaced\t\targs  "), (Words{"spaced", "args"}));
  EXPECT_FALSE(SplitExec("\"unterminated %u"));
  EXPECT_FALSE(SplitExec("   "));
  EXPECT_FALSE(SplitExec("%i %c"));  // nothing to start
  // Inside quotes nothing is a field code: a shell's script never receives the address.
  EXPECT_EQ(SplitExec(R"(sh -c "/usr/bin/true %u")"), (Words{"sh", "-c", "/usr/bin/true %%u"}));
  EXPECT_EQ(SplitExec(R"(web "--zoom=100%%" "a%b" "%")"), (Words{"web", "--zoom=100%%", "a%%b", "%%"}));
  EXPECT_EQ(SplitExec(R"(web "" %u)"), (Words{"web", "", "%u"}));
  // The program's own word never holds a field code.
  EXPECT_FALSE(SplitExec("%u --new-window"));
  EXPECT_FALSE(SplitExec("web%u"));
  EXPECT_FALSE(SplitExec("%i web"));
}

TEST(DesktopEntryReaderTest, ReadsTheDesktopEntryGroupOnly) {
  const auto entry = ParseDesktopEntry(
      "# comment\n"
      "[Desktop Entry]\n"
      "Type = Application\n"
      "Name=Web\\sBrowser\n"
      "Name[el_GR]=Περιηγητής GR\n"
      "Name[el]=Περιηγητής\n"
      "Name[de]=Webbrowser\n"
      "Comment=Browse the web\n"
      "Comment[el]=Περιήγηση\n"
      "TryExec=web\n"
      "Exec=web \"%u\"\n"
      "MimeType=text/html;X-Scheme-Handler/HTTP;\n"
      "[Desktop Action new-window]\n"
      "Name=New Window\n"
      "Exec=web --new-window %u\n"
      "Hidden=true\n");
  ASSERT_TRUE(entry);
  EXPECT_EQ(entry->type, "Application");
  EXPECT_EQ(entry->name, "Web Browser");
  EXPECT_EQ(entry->nameGreek, "Περιηγητής");  // el wins over el_GR, de is not read
  EXPECT_EQ(entry->comment, "Browse the web");
  EXPECT_EQ(entry->commentGreek, "Περιήγηση");
  EXPECT_EQ(entry->tryExec, "web");
  EXPECT_EQ(entry->exec, (Words{"web", "%%u"}));  // quoted: literal text, not the address
  EXPECT_FALSE(entry->hidden);  // the action's keys are not the entry's
  EXPECT_TRUE(entry->HandlesMimeType("x-scheme-handler/http"));
  EXPECT_FALSE(entry->HandlesMimeType("x-scheme-handler/https"));
}

TEST(DesktopEntryReaderTest, RefusesWhatIsNoEntry) {
  EXPECT_FALSE(ParseDesktopEntry(""));
  EXPECT_FALSE(ParseDesktopEntry("Type=Application\nExec=web\n"));  // no group
  EXPECT_FALSE(ParseDesktopEntry("[Other]\nExec=web\n"));
  std::string large = "[Desktop Entry]\nType=Application\nExec=web\n";
  large += "Comment=" + std::string(kMaxDesktopEntryBytes, 'x') + "\n";
  EXPECT_FALSE(ParseDesktopEntry(large));
  // Binary junk and a bad Exec leave an entry that cannot be started, never a crash.
  constexpr char kJunk[] = "[Desktop Entry]\nExec=\"\0\xff\n=\n[";
  const auto junk = ParseDesktopEntry(std::string(kJunk, sizeof kJunk - 1));
  ASSERT_TRUE(junk);
  EXPECT_FALSE(junk->execValid);
}

}  // namespace
}  // namespace zd
