#include "shell/command_line.h"
#include "shell/program_options.h"

#include <gtest/gtest.h>

#include "base/trace.h"

namespace zd {
namespace {

std::string Parse(std::vector<const char*> args, ProgramOptions& options) {
  args.insert(args.begin(), "zd32");
  return ParseProgramOptions(static_cast<int>(args.size()), args.data(), options);
}

TEST(ProgramOptions, OurOptionsAndTheOriginalLine) {
  ProgramOptions o;
  EXPECT_EQ(Parse({"--headless", "-d", "--screen", "800x600x4", "--trace=script,cursor", "-E",
                   "/save dir", "--ticks=500", "/titles/Moss/authorfi"},
                  o),
            "");
  EXPECT_TRUE(o.headless);
  EXPECT_EQ(o.screen->width, 800);
  EXPECT_EQ(o.screen->bitsPerPixel, 4);
  EXPECT_EQ(o.startTicks, 500u);
  EXPECT_TRUE(o.traceMask & static_cast<uint32_t>(TraceCategory::Script));
  EXPECT_TRUE(o.traceMask & static_cast<uint32_t>(TraceCategory::Page));
  // The original options keep their order and an argument's own blanks.
  EXPECT_EQ(o.commandLine, "-d -E /save dir /titles/Moss/authorfi");

  ProgramOptions after;
  EXPECT_EQ(Parse({"--", "--headless"}, after), "");
  EXPECT_FALSE(after.headless);
  EXPECT_EQ(after.commandLine, "--headless");
}

TEST(ProgramOptions, RefusesWhatItCannotUse) {
  ProgramOptions o;
  EXPECT_NE(Parse({"--screen", "0x480"}, o), "");
  EXPECT_NE(Parse({"--screen", "640"}, o), "");
  EXPECT_NE(Parse({"--screen", "640x480x64"}, o), "");
  EXPECT_NE(Parse({"--clock", "yesterday"}, o), "");
  EXPECT_NE(Parse({"--ticks", "-1"}, o), "");
  EXPECT_NE(Parse({"--trace=everything"}, o), "");
  EXPECT_NE(Parse({"--bogus"}, o), "");
  EXPECT_NE(Parse({"--screen", "640x480x8x9"}, o), "");
  ProgramOptions last;
  for (const char* option : {"--events", "--screen", "--clock", "--ticks", "--messages",
                             "--run-script", "--audio-out"}) {
    EXPECT_EQ(Parse({option}, last), std::string(option) + " needs a value");
  }
  EXPECT_EQ(Parse({"--headless", "--bogus"}, last), "unknown option --bogus (zd32 --help lists them)");
  // A single dash belongs to the title's own line, as the original player took it.
  ProgramOptions dash;
  EXPECT_EQ(Parse({"-h"}, dash), "");
  EXPECT_FALSE(dash.help);
  EXPECT_EQ(dash.commandLine, "-h");
  EXPECT_EQ(Parse({"--lang", "fr"}, last), "--lang needs el or en");
  EXPECT_EQ(Parse({"--lang"}, last), "--lang needs a value");
}

TEST(ProgramOptions, LanguageWindowAndAQuotedPathWithBlanks) {
  ProgramOptions o;
  ASSERT_EQ(Parse({"--lang=en", "--window", "-d", "-e", "/save", "/media/cd/My Title/authorfi"}, o), "");
  EXPECT_EQ(o.language, Language::English);
  EXPECT_EQ(o.windowed, true);
  EXPECT_EQ(o.titlePathWithBlanks, "/media/cd/My Title/authorfi");
  const CommandLine line = ParseCommandLine(o.commandLine, o.titlePathWithBlanks);
  EXPECT_EQ(line.titlePathAsGiven, "/media/cd/My Title/authorfi");
  EXPECT_EQ(line.overrideDirectoryAsGiven, "/save");
  EXPECT_FALSE(line.diagnostics);

  // The original rules stand for a line without such a word: its last word is the path.
  ProgramOptions plain;
  ASSERT_EQ(Parse({"--fullscreen", "-D", "-E C:\\SAVE D:\\TITLE\\AUTHORFI"}, plain), "");
  EXPECT_EQ(plain.windowed, false);
  EXPECT_EQ(plain.titlePathWithBlanks, "") << "a word starting with a dash is options";
  EXPECT_EQ(ParseCommandLine(plain.commandLine, plain.titlePathWithBlanks).titlePath,
            "D:\\TITLE\\AUTHORFI");
  // A quoted path alone; the word before it is never taken as the -E value's end.
  ProgramOptions alone;
  ASSERT_EQ(Parse({"/My Titles/moss"}, alone), "");
  const CommandLine aloneLine = ParseCommandLine(alone.commandLine, alone.titlePathWithBlanks);
  EXPECT_EQ(aloneLine.titlePathAsGiven, "/My Titles/moss");
  EXPECT_TRUE(aloneLine.diagnostics);
  EXPECT_EQ(aloneLine.overrideDirectory, "");
  // A quoted word right after -E is its value, not the title, even last on the line.
  ProgramOptions saves;
  ASSERT_EQ(Parse({"-E", "/my saves"}, saves), "");
  EXPECT_EQ(saves.titlePathWithBlanks, "");
  EXPECT_TRUE(saves.endsWithQuotedValue);
}

}  // namespace
}  // namespace zd
