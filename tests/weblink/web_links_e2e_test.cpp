// Web links end to end: zd32 played headless on a title made with zdbuild, really starting a
// fake browser (a shell script that writes down its arguments), and telling the learner when
// the browser cannot be started.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <chrono>
#include <filesystem>
#include <string>
#include <thread>

#include "support/test_support.h"
#include "support/title_builder.h"

namespace zd {
namespace {

namespace fs = std::filesystem;
using test::Has;

class WebLinksPlayed : public testing::Test {
 protected:
  void SetUp() override {
    test::Build(R"({"pages": [{"name": "Links", "objects": [
        {"name": "+Start", "type": "text", "text": "webbrowse \"Local\", \"Index\"\n"}]}],
        "sections": [{"name": "Root", "page": "Links"}]})",
                dir_.File("title"));
    fs::create_directories(dir_.File("weblinks/html"));
    dir_.Write("weblinks/html/index.htm", "<p>home</p>");
    dir_.Write("events", "wait 100\nquit\n");
  }

  // The settings file names `browser` as the chosen one.
  void ChooseBrowser(const std::string& browser) {
    const char* config = std::getenv("XDG_CONFIG_HOME");
    ASSERT_NE(config, nullptr);
    fs::create_directories(std::string(config) + "/zendral");
    FILE* f = std::fopen((std::string(config) + "/zendral/zendral.ini").c_str(), "w");
    ASSERT_NE(f, nullptr);
    std::fputs(("[Internet]\nBrowser Path=" + browser + "\n").c_str(), f);
    std::fclose(f);
  }

  std::string Executable(const std::string& name, const std::string& text) {
    const std::string path = dir_.Write(name, text);
    ::chmod(path.c_str(), 0755);
    return path;
  }

  test::RunResult Play() {
    return test::RunPlayer({"--headless", "--start-programs", "--trace", "--events",
                            dir_.File("events"), dir_.File("title")},
                           dir_.path(),
                           {"XDG_DATA_DIRS=" + dir_.File("none"),
                            "XDG_CONFIG_DIRS=" + dir_.File("none"), "BROWSER="});
  }

  test::TempDir dir_;
};

TEST_F(WebLinksPlayed, TheBrowserStartsOnceWithTheLocalPage) {
  const std::string out = dir_.File("arguments");
  ChooseBrowser(Executable("browser.sh", "#!/bin/sh\nfor a in \"$@\"; do echo \"$a\"; done >> '" +
                                             out + "'\n"));
  const test::RunResult r = Play();
  ASSERT_EQ(r.status, 0) << r.err;
  const std::string uri = "file://" + fs::canonical(dir_.File("weblinks/html/index.htm")).string();
  EXPECT_TRUE(Has(r.err, "start " + dir_.File("browser.sh") + " " + uri)) << r.err;
  for (int i = 0; i < 100 && !fs::exists(out); ++i) {
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  std::this_thread::sleep_for(std::chrono::milliseconds(50));
  EXPECT_EQ(test::ReadFile(out), uri + "\n") << "one argument, one start";
}

TEST_F(WebLinksPlayed, ABrowserThatCannotStartIsReported) {
  // Its interpreter is missing: the system says the program was not found.
  ChooseBrowser(Executable("browser.sh", "#!/nonexistent/interpreter\n"));
  dir_.Write("events", "wait 100\nanswer ok\nwait 100\nquit\n");
  const test::RunResult r = Play();
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_TRUE(Has(r.err, "start " + dir_.File("browser.sh"))) << r.err;
  EXPECT_TRUE(Has(r.err, "message wblerr10")) << r.err;
  EXPECT_TRUE(Has(r.err, "page 0 Links")) << "the page stays";
}

}  // namespace
}  // namespace zd
