// The toolbox as a learner meets it: the icon on pages whose set shows one, its menu with the
// page's tools, the "~TCalc" link, F2, tool windows closing on pages that do not offer them,
// and the icon picture taken from "TOOLICON.PNT" beside the program.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "../graphics/sprite_builder.h"
#include "platform/png_codec.h"
#include "support/script_objects.h"
#include "support/test_support.h"
#include "support/title_builder.h"

namespace zd {
namespace {

namespace fs = std::filesystem;
using test::Has;

// One: the full set (calculator, notepad, pencil, find text) with its icon box at pixels
// (500, 20)-(600, 120), so the icon stands at (534, 54); a button at (100, 170) that triggers
// the "~TCalc" area.
// Two: only the pencil and the eraser, icon box (0, 380)-(100, 480). Three: the calculator
// without an icon. Buttons at x 100: y 20 to Two, 70 to Three, 120 to One.
std::string ToolboxTitle() {
  using test::ScriptButton;
  using test::ScriptObject;
  const std::string buttons =
      ScriptButton("Two", 0, "+ToTwo") + "," + ScriptButton("Three", 50, "+ToThree") + "," +
      ScriptButton("One", 100, "+ToOne") + "," + ScriptObject("+ToTwo", "tooverview \"Two\"\n") +
      "," + ScriptObject("+ToThree", "tooverview \"Three\"\n") + "," +
      ScriptObject("+ToOne", "tooverview \"One\"\n");
  return R"({"titles": [{"directory": "_tools", "pages": [
      {"name": "One", "background": "#000000", "objects": [)" + buttons + R"(,
        {"name": "~TCalc", "type": "area", "pixels": [300, 300, 400, 350]},
        )" + ScriptButton("Calc", 150, "+Calc") + "," +
         ScriptObject("+Calc", "eventtrig \"~TCalc\", 0\n") + R"(],
       "toolbox": {"pixels": [500, 20, 600, 120],
                   "tools": ["calculator", "notepad", "pencil", "findText"]}},
      {"name": "Two", "background": "#000000", "objects": [)" + buttons + R"(],
       "toolbox": {"pixels": [0, 380, 100, 480], "tools": ["pencil", "eraser"]}},
      {"name": "Three", "background": "#000000", "objects": [)" + buttons + R"(,
        {"name": "~TCalc", "type": "area", "pixels": [300, 300, 400, 350]}],
       "toolbox": {"pixels": [500, 20, 600, 120], "flags": ["noIcon"], "tools": ["calculator"]}}],
    "resources": [],
    "sections": [{"name": "One", "page": 0}, {"name": "Two", "page": 1, "parent": 0},
                 {"name": "Three", "page": 2, "parent": 0}]}]})";
}

struct Picture {
  platform::RgbaImage image;
  int originX = 0, originY = 0;
  // The colour at page pixel (x, y) as "#RRGGBB".
  std::string At(int x, int y) const {
    const size_t at = (size_t(y + originY) * size_t(image.width) + size_t(x + originX)) * 4;
    char text[8];
    std::snprintf(text, sizeof text, "#%02X%02X%02X", image.rgba[at], image.rgba[at + 1],
                  image.rgba[at + 2]);
    return text;
  }
};

Picture LoadScreenshot(const std::string& file) {
  const std::string bytes = test::ReadFile(file);
  Picture picture;
  std::string error;
  EXPECT_TRUE(platform::DecodePngRgba(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size(),
                                      picture.image, error))
      << error;
  picture.originX = (picture.image.width - 640) / 2;
  picture.originY = (picture.image.height - 480) / 2;
  return picture;
}

class ToolboxE2e : public testing::Test {
 protected:
  void SetUp() override { test::Build(ToolboxTitle(), dir_.File("titles")); }

  test::RunResult Play(const std::string& events, const std::string& player = "") {
    const std::vector<std::string> args = {"--headless", "--trace=page,dialog,tool,seam", "--events",
                                           dir_.Write("events", events),
                                           dir_.File("titles/_tools/authorfi")};
    const auto r = player.empty() ? test::RunPlayer(args, dir_.path())
                                  : test::RunProgram(player, args, "", dir_.path());
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_FALSE(Has(r.err, "expect failed")) << r.err;
    return r;
  }

  test::TempDir dir_;
};

TEST_F(ToolboxE2e, IconShowsTheMenuOfThePagesTools) {
  const auto r = Play(
      "wait 100\nscreenshot one.png\n"
      "click 550 70\nmenu -\n"          // the icon: the set's tools but pencil and eraser
      "click 10 10\n"                   // the page's black corner: nothing
      "click 100 20\nwait 100\nscreenshot two.png\n"
      "click 50 430\nmenu -\n"          // only pencil and eraser: an empty menu
      "click 100 70\nwait 100\nscreenshot three.png\n"
      "click 550 70\n");                // no icon here: the page's own click
  const std::string& t = r.err;
  // The menu opens at the set box's corner with tools 0, 3 and 8 in set order.
  const size_t menu = t.find("tool toolbox menu");
  ASSERT_NE(menu, std::string::npos) << t;
  const size_t popup = t.find("dialog popup-menu at 500,20: 200 \"", menu);
  ASSERT_NE(popup, std::string::npos) << t;
  const std::string line = t.substr(popup, t.find('\n', popup) - popup);
  EXPECT_TRUE(Has(line, "203 \"")) << line;
  EXPECT_TRUE(Has(line, "208 \"")) << line;
  EXPECT_FALSE(Has(line, "202 \"")) << line;
  EXPECT_LT(line.find("203 \""), line.find("208 \"")) << line;
  // Page Two's menu has no items; page Three has no icon to open one.
  EXPECT_TRUE(Has(t, "dialog popup-menu at 0,380: \n") || Has(t, "dialog popup-menu at 0,380:\n")) << t;
  EXPECT_EQ(t.find("tool toolbox menu", t.find("page 2 Three")), std::string::npos) << t;

  // The built-in icon: its red body where the set places it, the page around it untouched.
  const Picture one = LoadScreenshot(dir_.File("one.png"));
  EXPECT_EQ(one.At(534 + 8, 54 + 20), "#C81E1E");
  EXPECT_EQ(one.At(534, 54), "#000000");  // a transparent corner
  EXPECT_EQ(one.At(530, 70), "#000000");
  const Picture two = LoadScreenshot(dir_.File("two.png"));
  EXPECT_EQ(two.At(34 + 8, 414 + 20), "#C81E1E");
  EXPECT_EQ(two.At(534 + 8, 54 + 20), "#000000");
  const Picture three = LoadScreenshot(dir_.File("three.png"));
  EXPECT_EQ(three.At(534 + 8, 54 + 20), "#000000");
}

TEST_F(ToolboxE2e, LinksOpenToolsThePageOffersAndPagesCloseThem) {
  const auto r = Play(
      "wait 100\n"
      "key F2\n"                        // One holds find text
      "click 100 170\nwait 50\n"        // ~TCalc: the calculator opens
      "click 100 170\nwait 50\n"        // and closes
      "click 100 170\nwait 50\n"        // opens again
      "click 100 20\nwait 100\n"        // Two does not offer it: it closes
      "key F2\n"                        // Two holds no find text
      "command 3\nwait 50\n"            // nor the notepad: its command does nothing
      "click 100 120\nwait 100\n"       // back to One
      "click 550 70\nmenu 200\nwait 50\n"  // the menu's calculator
      "click 100 70\nwait 100\n"        // Three offers it: it stays
      "click 100 20\nwait 100\n");      // Two: it goes
  const std::string& t = r.err;
  EXPECT_EQ(t.find("tool notepad open"), std::string::npos) << t;
  // F2 reached the find-text tool on One only.
  const size_t pageTwo = t.find("page 1 Two");
  ASSERT_NE(pageTwo, std::string::npos) << t;
  EXPECT_LT(t.find("tool ~TFindT has no action"), pageTwo) << t;
  EXPECT_EQ(t.find("tool ~TFindT has no action", pageTwo), std::string::npos) << t;

  // The calculator's own trace lines, in order.
  std::vector<std::string> seen;
  for (size_t at = t.find("tool calculator "); at != std::string::npos;
       at = t.find("tool calculator ", at + 1)) {
    const std::string word = t.substr(at + 16, t.find_first_of(" \n", at + 16) - at - 16);
    if (word == "open" || word == "close") seen.push_back(word);
  }
  EXPECT_EQ(seen, (std::vector<std::string>{"open", "close", "open", "close", "open", "close"})) << t;
  // The last close comes after Three was shown, on the way to Two.
  const size_t three = t.find("page 2 Three");
  ASSERT_NE(three, std::string::npos) << t;
  EXPECT_NE(t.find("tool calculator close", three), std::string::npos) << t;
}

TEST(ToolboxBrokenSet, AnEntryOfLengthZeroLeavesThePageWithoutToolbox) {
  test::TempDir dir;
  test::Build(R"({"titles": [{"directory": "_broken", "pages": [
      {"name": "One", "background": "#000000", "objects": [
        {"name": "~TCalc", "type": "area", "pixels": [300, 300, 400, 350]},
        )" + test::ScriptButton("Calc", 150, "+Calc") + "," +
                  test::ScriptObject("+Calc", "eventtrig \"~TCalc\", 0\n") + R"(],
       "toolbox": {"pixels": [500, 20, 600, 120],
                   "tools": ["calculator", {"tool": 3, "length": 0}]}}],
    "resources": [], "sections": [{"name": "One", "page": 0}]}]})",
              dir.File("titles"));
  const auto r = test::RunPlayer(
      {"--headless", "--trace=page,dialog,tool", "--events",
       dir.Write("events", "wait 100\nscreenshot one.png\nclick 550 70\nclick 100 170\nwait 50\n"),
       dir.File("titles/_broken/authorfi")},
      dir.path());
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_TRUE(Has(r.err, "tool toolbox refused: entry 1 has length 0")) << r.err;
  EXPECT_FALSE(Has(r.err, "tool toolbox menu")) << r.err;
  EXPECT_FALSE(Has(r.err, "tool calculator open")) << r.err;
  EXPECT_EQ(LoadScreenshot(dir.File("one.png")).At(534 + 8, 54 + 20), "#000000");
}

TEST_F(ToolboxE2e, IconPictureComesFromToolIconFileBesideTheProgram) {
  // A copy of the player in a folder of its own, with the icon file beside it.
  const fs::path folder = fs::path(dir_.path()) / "bin";
  fs::create_directories(folder);
  const fs::path player = folder / "zd32";
  std::error_code linked;
  fs::create_hard_link(fs::path(test::BuildDir()) / "zd32", player, linked);
  if (linked) fs::copy_file(fs::path(test::BuildDir()) / "zd32", player);

  // A green sprite, 4x4 in the 256-colour rule.
  test::SpriteDescription sprite;
  sprite.pixels = test::Rows(4, 4, 0x2B);
  const auto good = test::MakeSpriteFile({test::MakeSprite(sprite)});
  {
    std::ofstream out(folder / "TOOLICON.PNT", std::ios::binary);
    out.write(reinterpret_cast<const char*>(good.data()), std::streamsize(good.size()));
  }
  Play("wait 100\nscreenshot good.png\n", player.string());
  const Picture fromFile = LoadScreenshot(dir_.File("good.png"));
  EXPECT_NE(fromFile.At(534 + 8, 54 + 20), "#C81E1E");
  EXPECT_NE(fromFile.At(534 + 8, 54 + 20), "#000000");
  EXPECT_EQ(fromFile.At(534, 54), fromFile.At(565, 85));  // the whole square, one colour

  // A file that holds no sprite: the player's own icon, without a message.
  {
    std::ofstream out(folder / "TOOLICON.PNT", std::ios::binary | std::ios::trunc);
    out << "not a sprite file at all";
  }
  const auto r = Play("wait 100\nscreenshot bad.png\n", player.string());
  EXPECT_TRUE(Has(r.err, "TOOLICON.PNT cannot be drawn")) << r.err;
  EXPECT_FALSE(Has(r.err, "message")) << r.err;
  const Picture builtIn = LoadScreenshot(dir_.File("bad.png"));
  EXPECT_EQ(builtIn.At(534 + 8, 54 + 20), "#C81E1E");
}

}  // namespace
}  // namespace zd
