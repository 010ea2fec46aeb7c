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
}

}  // namespace
}  // namespace zd
