// zd32 --run-script: a script file run on an empty page, its messages and traced lines on
// standard error.
#include <gtest/gtest.h>

#include <fstream>

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
  EXPECT_TRUE(Has(ProgramUsage(), "--run-script FILE"));

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

}  // namespace
}  // namespace zd
