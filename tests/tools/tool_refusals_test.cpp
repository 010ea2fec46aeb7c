// What the title tools say about input that is no title, or a title the player will refuse,
// and the version they belong to.
#include <gtest/gtest.h>

#include <algorithm>

#include "support/title_builder.h"

namespace zd::test {
namespace {

size_t LineCount(const std::string& text) { return static_cast<size_t>(std::count(text.begin(), text.end(), '\n')); }

TEST(ToolRefusals, ZdinfoRefusesWhatIsNoTitleInOneLine) {
  TempDir dir;
  dir.Write("folder/readme.txt", "not a title");
  dir.Write("junk", std::string("\x7f" "ELF\x02\x01\x01", 7) + std::string(4000, '\x90'));
  struct Case {
    std::string path, reason;
  };
  const Case cases[] = {
      {dir.File("nowhere"), "no such file or folder"},
      {dir.File("folder"), "a folder without an authorfile"},
      {dir.File("junk"), "not an authorfile (junk does not begin with \"Auth\" and its records do not read)"},
  };
  for (const Case& c : cases) {
    for (const std::vector<std::string>& extra :
         {std::vector<std::string>{}, {"--json"}, {"--scripts"}, {"--contact-sheet", dir.File("s.png")}}) {
      std::vector<std::string> args{c.path};
      args.insert(args.end(), extra.begin(), extra.end());
      const RunResult r = RunTool("zdinfo", args);
      EXPECT_EQ(r.status, 1) << c.path;
      EXPECT_EQ(r.out, "") << c.path;
      EXPECT_EQ(LineCount(r.err), 1u) << r.err;
      EXPECT_TRUE(Has(r.err, "zdinfo: " + c.path + " is not a Zendral title: " + c.reason)) << r.err;
    }
  }

  // A title whose magic is damaged is a title still: the overview says what the player does.
  TempDir damaged;
  Build(R"({"magic": "Xuth", "pages": [{"name": "A"}], "sections": [{"name": "R", "page": 0}]})",
        damaged.path());
  const RunResult shown = RunTool("zdinfo", {damaged.path()});
  EXPECT_EQ(shown.status, 0) << shown.err;
  EXPECT_TRUE(Has(shown.out, "the player refuses the title")) << shown.out;
}

TEST(ToolRefusals, ZdbuildWarnsOfTitlesThePlayerWillRefuse) {
  TempDir dir;
  const RunResult bare = RunTool("zdbuild", {"-", dir.File("bare")}, R"({"pages": []})");
  EXPECT_EQ(bare.status, 0) << bare.err;
  EXPECT_EQ(bare.err, "zdbuild: warning: title \"" + dir.File("bare") +
                          "\" has no pages; the player will refuse it\n"
                          "zdbuild: warning: title \"" + dir.File("bare") +
                          "\" has no sections; the player will refuse it\n");
  EXPECT_TRUE(Has(ReadFile(dir.File("bare/authorfi")), "Auth"));

  const RunResult several = RunTool("zdbuild", {"-", dir.File("out")}, R"({"titles": [
      {"directory": "_good", "pages": [{"name": "A"}], "sections": [{"name": "R", "page": 0}]},
      {"directory": "_lost", "pages": [{"name": "A"}]}]})");
  EXPECT_EQ(several.status, 0) << several.err;
  EXPECT_EQ(several.err, "zdbuild: warning: title \"" + dir.File("out") +
                             "/_lost\" has no sections; the player will refuse it\n");
}

TEST(ToolRefusals, BothToolsTellThePlayersVersion) {
  const RunResult player = RunTool("zd32", {"--version"});
  ASSERT_EQ(player.status, 0) << player.err;
  const std::string version = player.out.substr(player.out.rfind(' ') + 1);
  ASSERT_FALSE(version.empty());
  for (const char* tool : {"zdbuild", "zdinfo"}) {
    const RunResult r = RunTool(tool, {"--version"});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, std::string(tool) + " (Zendral player) " + version);
    EXPECT_TRUE(Has(RunTool(tool, {"--help"}).out, "--version")) << tool;
  }
}

}  // namespace
}  // namespace zd::test
