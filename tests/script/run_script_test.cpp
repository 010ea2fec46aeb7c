// zd32 --run-script: a script file run on an empty page, its messages and traced lines on
// standard error.
#include <gtest/gtest.h>

#include <fstream>

#include "script/script_runner.h"
#include "shell/program_options.h"
#include "support/test_support.h"

namespace zd {
namespace {

bool Has(const std::string& text, const std::string& part) {
  return text.find(part) != std::string::npos;
}

TEST(RunScript, ZdRunsAScriptFileAloneAndSaysWhatItReported) {
  ProgramOptions options;
  const char* args[] = {"zd32", "--run-script", "x.zds", "--trace=script"};
  EXPECT_EQ(ParseProgramOptions(4, args, options), "");
  EXPECT_EQ(options.runScriptPath, "x.zds");
  EXPECT_TRUE(Has(ProgramUsage(Language::English), "--run-script FILE"));

  test::TempDir dir;
  const std::string path = dir.path() + "/check.zds";
  std::ofstream(path) << "set n%, 6\nmult n%, n%, 7\nvaltostr s$, \"%d\", n%\n"
                         "write \"Nothing\", s$\nbogus\n";
  const test::RunResult r = test::RunTool(
      "zd32", {"--run-script", path, "--trace=script", "--messages",
               std::string(ZD_SOURCE_DIR) + "/runtime/resources/messages/MESSAGES.en.txt"});
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_TRUE(Has(r.err, "script check.zds 2: mult n%, n%, 7")) << r.err;
  EXPECT_TRUE(Has(r.err, "message scerr31: ")) << r.err;
  EXPECT_TRUE(Has(r.err, "Γραμμή 4:\\nThe object Nothing was not found on the page.")) << r.err;
  EXPECT_TRUE(Has(r.err, "message scerr2: ")) << r.err;
  EXPECT_EQ(test::RunTool("zd32", {"--run-script", dir.path() + "/missing.zds"}).status, 2);
}

TEST(RunScript, AssertExistsOnlyInScriptTestRunsAndFailsTheRun) {
  test::TempDir dir;
  const std::string path = dir.path() + "/asserts.zds";
  std::ofstream(path) << "set x%, 3\nassert (x% == 3)\nassert (x% == 4)\nassert x%\n"
                         "assert (x% =~ 3)\nset s$, \"a\"\nassert (s$ == \"a\")\n";
  const std::string messages =
      std::string(ZD_SOURCE_DIR) + "/runtime/resources/messages/MESSAGES.en.txt";
  const test::RunResult failed =
      test::RunTool("zd32", {"--run-script", path, "--test-asserts", "--messages", messages});
  EXPECT_EQ(failed.status, 1) << failed.err;
  EXPECT_TRUE(Has(failed.err, path + ":3: assert failed: assert (x% == 4)")) << failed.err;
  EXPECT_TRUE(Has(failed.err, path + ":5: assert failed: assert (x% =~ 3)"))
      << "a condition that cannot be evaluated does not hold either";
  EXPECT_TRUE(Has(failed.err, "message scerr17: ")) << failed.err;
  for (const char* line : {":2:", ":4:", ":7:"}) {
    EXPECT_FALSE(Has(failed.err, path + line)) << "held: " << line;
  }

  std::ofstream(path) << "set x%, 3\nassert (x% == 3)\n";
  EXPECT_EQ(test::RunTool("zd32", {"--run-script", path, "--test-asserts"}).status, 0);
  // Without the switch, assert is no command at all.
  const test::RunResult plain = test::RunTool("zd32", {"--run-script", path});
  EXPECT_EQ(plain.status, 0);
  EXPECT_TRUE(Has(plain.err, "message scerr2: ")) << plain.err;
  EXPECT_EQ(test::RunTool("zd32", {"--test-asserts"}).status, 2) << "only with --run-script";
}

TEST(RunScript, TitlesDoNotKnowAssert) {
  test::PlayedTitle title(R"({"pages": [{"name": "P", "objects": [
      {"name": "+Start", "type": "text", "text": "assert (1 == 2)\nset after%, 1\n"}]}],
      "sections": [{"name": "Root", "page": "P"}]})",
                          {.messagesPath = test::EnglishMessages()});
  title.Start();
  EXPECT_EQ(test::KeysOf(test::ReportsIn(title.TraceText())), test::Keys{"scerr2"});
  EXPECT_TRUE(Has(title.TraceText(), "Unknown command assert.")) << title.TraceText();
  EXPECT_EQ(title.runtime().script.ProbeVariable("after%")->number, 1) << "the script goes on";
  EXPECT_EQ(title.runtime().script.testAsserts().failures, 0);
}

}  // namespace
}  // namespace zd
