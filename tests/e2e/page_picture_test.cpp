// zdinfo's picture of a page, drawn without playing the title, against the player's own
// screenshot of the page when it is first shown: the title is started at the page (a copy whose
// first section leads to it) and its picture taken as soon as it is drawn, before any timer.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <string>

#include "platform/png_codec.h"
#include "support/test_support.h"
#include "title/authorfile.h"

namespace zd {
namespace {

namespace fs = std::filesystem;

platform::RgbaImage Decode(const std::string& path) {
  const std::string bytes = test::ReadFile(path);
  platform::RgbaImage image;
  std::string error;
  platform::DecodePngRgba(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size(), image,
                          error);
  return image;
}

size_t DifferingPixels(const platform::RgbaImage& a, const platform::RgbaImage& b) {
  if (a.width != b.width || a.height != b.height || a.rgba.size() != b.rgba.size()) return SIZE_MAX;
  size_t differing = 0;
  for (size_t i = 0; i < a.rgba.size(); i += 4) {
    differing += a.rgba[i] != b.rgba[i] || a.rgba[i + 1] != b.rgba[i + 1] || a.rgba[i + 2] != b.rgba[i + 2];
  }
  return differing;
}

// A copy of the built title in `into` (under the same directory name, which names its
// resources) whose first section leads to page `number`.
std::string CopyStartingAt(const std::string& title, const fs::path& into, uint32_t number) {
  const fs::path copy = into / fs::path(title).filename();
  fs::copy(title, copy, fs::copy_options::recursive);
  std::string bytes = test::ReadFile((copy / "authorfi").string());
  AuthorfileImage image(std::vector<uint8_t>(bytes.begin(), bytes.end()));
  const auto first = image.SectionEntry(0);
  EXPECT_TRUE(first);
  if (!first) return {};
  image.SetU32(first->offset + section_entry::kPageNumber, number);
  const ByteView view = image.view();
  std::ofstream out(copy / "authorfi", std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(view.data()), std::streamsize(view.size()));
  return (copy / "authorfi").string();
}

struct DemoTitle {
  const char* directory;
  // Pages left out, with the reason their first picture is not the page alone.
  std::map<std::string, std::string> leftOut;
};

const DemoTitle kDemoTitles[] = {
    {"_meadow",
     {{"Contents", "its +Start script sets the cards up"},
      {"Legend", "an overlay: the map shows through it"},
      {"Photo", "an overlay over the map"},
      {"?Next", "a special page is never drawn"},
      {"Quiz1", "its +Start script writes the score"},
      {"Quiz2", "its +Start script writes the score"},
      {"Quiz3", "its +Start script writes the score"},
      {"QuizEnd", "its +Start script writes the result"},
      {"Lights", "its +Start script lights the lanterns"},
      {"Boat", "its +Start script puts the boat back"},
      {"Arrival", "its +Start script writes the way taken"},
      {"Reading", "its +Start script sets the text up"},
      {"Reading2", "its +Start script sets the text up"},
      {"Atlas", "its +Start script writes the place's fields"},
      {"River", "its scripts open the atlas beside the title and list places"},
      {"Lake", "its scripts open the atlas beside the title and list places"},
      {"Hill", "its scripts open the atlas beside the title and list places"},
      {"Wood", "its scripts open the atlas beside the title and list places"},
      {"Find", "its +Start script writes the filters that are on"},
      {"Search", "its choice list is a window over the page"},
      {"Guess", "its +Start script copies a place into the page with renderdata"},
      {"Player", "its +Start script writes today's date"},
      {"Counting", "its +Start script writes the sums"}}},
    {"!pond", {}},
};

TEST(PagePicture, EqualsThePlayersScreenshotWhenThePageIsFirstShown) {
  size_t compared = 0;
  for (const DemoTitle& demo : kDemoTitles) {
    const std::string title = test::BuildDir() + "/demo/" + demo.directory;
    const std::string bytes = test::ReadFile(title + "/authorfi");
    const AuthorfileImage image(std::vector<uint8_t>(bytes.begin(), bytes.end()));
    ASSERT_GT(image.PageCount(), 0u) << title;
    for (uint32_t n = 0; n < image.PageCount(); ++n) {
      const std::string name = image.PageName(*image.PageRecord(n));
      if (demo.leftOut.count(name)) continue;
      SCOPED_TRACE(std::string(demo.directory) + " page " + std::to_string(n) + " " + name);
      test::TempDir dir;
      const std::string drawn = dir.File("zdinfo.png");
      const auto info = test::RunTool("zdinfo", {title, "--page", std::to_string(n), "--png", drawn});
      ASSERT_EQ(info.status, 0) << info.err;
      // The title starts two ticks in; the page's own timers fall due a tick after it is drawn.
      const std::string shot = dir.File("player.png");
      const std::string events = dir.Write(
          "events", "wait 20\nexpect page " + name + "\nscreenshot " + shot + "\n");
      const auto run = test::RunPlayer(
          {"--headless", "--events", events, CopyStartingAt(title, dir.path(), n)}, dir.path());
      ASSERT_EQ(run.status, 0) << run.err;
      EXPECT_EQ(DifferingPixels(Decode(drawn), Decode(shot)), 0u);
      ++compared;
    }
  }
  EXPECT_GE(compared, 12u) << "most demo pages are compared";
}

TEST(PagePicture, NamesPagesAndRefusesWhatCannotBeDrawn) {
  const std::string title = test::BuildDir() + "/demo/_meadow";
  test::TempDir dir;
  const auto byName = test::RunTool("zdinfo", {title, "--page", "flowers", "--png", dir.File("a.png")});
  const auto byNumber = test::RunTool("zdinfo", {title, "--page", "2", "--png", dir.File("b.png")});
  ASSERT_EQ(byName.status, 0) << byName.err;
  ASSERT_EQ(byNumber.status, 0) << byNumber.err;
  EXPECT_EQ(DifferingPixels(Decode(dir.File("a.png")), Decode(dir.File("b.png"))), 0u);

  // A title whose path holds a blank is found all the same.
  const fs::path blank = fs::path(dir.path()) / "My Titles";
  fs::create_directories(blank);
  fs::copy(title, blank / "_meadow", fs::copy_options::recursive);
  const auto inBlank =
      test::RunTool("zdinfo", {(blank / "_meadow").string(), "--page", "2", "--png", dir.File("e.png")});
  ASSERT_EQ(inBlank.status, 0) << inBlank.err;
  EXPECT_EQ(DifferingPixels(Decode(dir.File("b.png")), Decode(dir.File("e.png"))), 0u);

  const auto special = test::RunTool("zdinfo", {title, "--page", "?Next", "--png", dir.File("c.png")});
  EXPECT_EQ(special.status, 1);
  EXPECT_NE(special.err.find("never shown"), std::string::npos) << special.err;
  const auto missing = test::RunTool("zdinfo", {title, "--page", "999", "--png", dir.File("d.png")});
  EXPECT_EQ(missing.status, 1);
  EXPECT_FALSE(fs::exists(dir.File("c.png")) || fs::exists(dir.File("d.png")));
  EXPECT_EQ(test::RunTool("zdinfo", {title, "--page", "2"}).status, 2) << "--page needs --png";

  const auto sheet = test::RunTool("zdinfo", {title, "--contact-sheet", dir.File("sheet.png")});
  ASSERT_EQ(sheet.status, 0) << sheet.err;
  const auto picture = Decode(dir.File("sheet.png"));
  EXPECT_EQ(picture.width, 4 * 168 + 8);
  EXPECT_EQ(picture.height, 11 * (138 + 8) + 8) << "42 pages, four a row";
}

}  // namespace
}  // namespace zd
