// The player as a desktop program: its own Alt chords, the settings it keeps between runs, the
// recent titles on the splash and titles dropped on the window. Headless, driven by event scripts.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <vector>

#include "support/test_support.h"
#include "support/title_builder.h"

namespace zd {
namespace {

using test::RunPlayer;

bool Has(const std::string& text, const std::string& part) {
  return text.find(part) != std::string::npos;
}

constexpr const char* kTitle = R"({"pages": [
    {"name": "Home", "events": [{"kind": "keypress", "keys": ["anyKey"]}]},
    {"name": "Next"}],
  "sections": [{"name": "Meadow", "page": "Home", "children": [{"name": "Next", "page": "Next"}]}]})";

std::string SettingsFile() {
  return std::string(std::getenv("XDG_CONFIG_HOME")) + "/zendral/zendral.ini";
}

TEST(Desktop, AltChordsAreThePlayersAndNeverReachTheTitle) {
  test::TempDir dir;
  test::Build(kTitle, dir.File("_meadow"));
  const std::string pictures = dir.File("pictures");
  std::filesystem::create_directories(pictures);
  const auto events = dir.Write("events",
                                "wait 100\n"
                                "key Alt+S\nanswer ok\nexpect message Screenshot saved as\n"
                                "key Alt+Return\nkey Alt+2\nkey Alt+X\n"
                                "expect page Home\n"
                                "key Ctrl+Alt+S\nwait 50\nexpect page Next\n");
  const auto r = RunPlayer({"--lang", "en", "--headless", "--events", events, "--trace",
                            dir.File("_meadow/authorfi")},
                           "", {"XDG_PICTURES_DIR=" + pictures});
  EXPECT_EQ(r.status, 0) << r.err;
  // The screenshot is a PNG in the pictures folder, and the box says where. Ctrl+Alt (AltGr on
  // many keyboards) was the title's key press, not a second screenshot.
  std::vector<std::filesystem::path> shots;
  for (const auto& entry : std::filesystem::directory_iterator(pictures)) shots.push_back(entry.path());
  ASSERT_EQ(shots.size(), 1u) << r.err;
  EXPECT_EQ(shots[0].extension(), ".png");
  EXPECT_EQ(test::ReadFile(shots[0].string()).substr(1, 3), "PNG");
  EXPECT_TRUE(Has(r.err, "message: Screenshot saved as " + shots[0].string())) << r.err;
  // Alt+Return leaves full screen for a window named after the title; Alt+2 scales smoothly.
  EXPECT_TRUE(Has(r.err, "window change captioned 640x480 \"Zendral - Meadow\"")) << r.err;
  EXPECT_TRUE(Has(r.err, "window scaling smooth")) << r.err;
}

TEST(Desktop, SettingsAreKeptBetweenRunsAndADamagedFileIsIgnoredWithANote) {
  test::TempDir dir;
  test::Build(kTitle, dir.File("_meadow"));
  const std::string title = dir.File("_meadow/authorfi");
  // First run: full screen, then a window scaled to fill.
  auto r = RunPlayer({"--headless", "--events", dir.Write("a", "wait 50\nkey F4\nkey Alt+3\n"),
                      "--trace", title});
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_TRUE(Has(r.err, "window change fullscreen")) << r.err;
  const std::string written = test::ReadFile(SettingsFile());
  EXPECT_TRUE(Has(written, "Start=window")) << written;
  EXPECT_TRUE(Has(written, "Scaling=stretch")) << written;
  EXPECT_TRUE(Has(written, "_meadow")) << written;

  // Second run: starts in a window, stretched, without being told.
  r = RunPlayer({"--headless", "--events", dir.Write("b", "wait 50\n"), "--trace", title});
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_TRUE(Has(r.err, "window change captioned 640x480 \"Zendral - Meadow\"")) << r.err;
  EXPECT_FALSE(Has(r.err, "window change fullscreen")) << r.err;
  EXPECT_TRUE(Has(r.err, "window scaling stretch")) << r.err;
  // --fullscreen wins over the settings; the next run starts as that one ended.
  r = RunPlayer({"--fullscreen", "--headless", "--events", dir.Write("c", "wait 50\n"), "--trace", title});
  EXPECT_TRUE(Has(r.err, "window change fullscreen")) << r.err;
  EXPECT_TRUE(Has(test::ReadFile(SettingsFile()), "Start=fullscreen"));

  // A damaged file: a note, the defaults, and the run goes on.
  std::filesystem::create_directories(std::filesystem::path(SettingsFile()).parent_path());
  std::ofstream(SettingsFile(), std::ios::binary) << "[Window]\nScaling=sideways\n\x01\x02\xff\n";
  r = RunPlayer({"--headless", "--events", dir.Write("d", "wait 50\n"), "--trace", title});
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_TRUE(Has(r.err, "zd32: zendral.ini: line 2: Scaling must be sharp, smooth or stretch, "
                         "not \"sideways\"; ignored\n"))
      << r.err;
  EXPECT_TRUE(Has(r.err, "window change fullscreen")) << r.err;
}

TEST(Desktop, TheSplashOffersRecentTitlesAndTakesADroppedTitle) {
  test::TempDir dir;
  test::Build(kTitle, dir.File("_meadow"));
  auto r = RunPlayer({"--headless", "--events", dir.Write("a", "wait 50\n"),
                      dir.File("_meadow/authorfi")});
  ASSERT_EQ(r.status, 0) << r.err;

  // The File menu lists it, and a click on its line on the splash starts it. The splash is
  // centred on the page, so its pixel (200, 287) is page pixel (280, 347).
  r = RunPlayer({"--lang", "en", "--headless", "--events",
                 dir.Write("b", "wait 50\nclick 280 347\nwait 100\nexpect page Home\n"), "--trace"});
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_TRUE(Has(r.err, "140 \"" + std::filesystem::canonical(dir.File("_meadow")).string()))
      << r.err;

  // A title dropped on the splash starts; a folder without one says so.
  r = RunPlayer({"--lang", "en", "--headless", "--events",
                 dir.Write("c", "wait 50\ndrop " + dir.path() + "\nanswer ok\nexpect message holds no Zendral title\n"
                                "drop " + dir.File("_meadow") + "\nwait 100\nexpect page Home\n"),
                 "--trace"});
  EXPECT_EQ(r.status, 0) << r.err;
}

}  // namespace
}  // namespace zd
