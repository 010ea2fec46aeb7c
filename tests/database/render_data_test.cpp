// renderdata: a record's field copied into a text object or put in place of a sprite object's
// picture, as the page shows them afterwards, and what it reports for everything else.
#include <gtest/gtest.h>

#include <string>

#include "database/database_title.h"
#include "database/picture_fixtures.h"
#include "support/played_title.h"

namespace zd {
namespace {

using test::DatabaseTitle;
using test::Has;
using test::Keys;
using test::SolidPng;
using test::kShortSprite;

// A page with a text object of capacity 10, a sprite object showing a green 10 x 10 sprite in a
// 40 x 40 box, and a rectangle; a database of names and pictures (a red 20 x 10 sprite).
class RenderData : public testing::Test {
 protected:
  RenderData() {
    const std::string green = SolidPng(pngs_, "green.png", 10, 10, 0, 255, 0);
    const std::string red = SolidPng(pngs_, "red.png", 20, 10, 255, 0, 0);
    description_ = R"({"titles": [{"directory": "t", "pages": [{"name": "Start",
      "background": "#000000", "objects": [
        {"name": "Out", "type": "text", "pixels": [0, 0, 300, 40], "text": "", "capacity": 10,
         "font": "Homerton.Medium", "fontSize": 12, "colour": "#000000",
         "background": "#FFFFFF", "textFlags": ["fill"]},
        {"name": "Tiny", "type": "text", "pixels": [0, 50, 100, 90], "text": "", "capacity": 3},
        {"name": "Spr", "type": "sprite", "pixels": [300, 0, 340, 40], "resource": [1, 1]},
        {"name": "Box", "pixels": [400, 0, 420, 20], "colour": "#0000FF"}]},
        {"name": "Other", "background": "#000000", "objects": [
          {"name": "Same", "type": "sprite", "pixels": [300, 0, 340, 40], "resource": [1, 1]}]}],
      "resources": [{"dir": 1, "number": 1, "picture": {"png": ")" + green + R"("}}],
      "sections": [{"name": "Root", "page": "Start", "children": [{"name": "Next", "page": "Other"}]}]}],
      "databases": [{"name": "PLACES",
        "fields": [{"name": "Name", "type": "text"}, {"name": "Picture", "type": "picture"}],
        "records": [["Abcdefghijklmnopqrst", "sun"], ["Line\r\n", "plan"],
                    ["Hi", "nowhere"], ["", "short"]],
        "pictures": [{"name": "sun", "picture": {"png": ")" + red + R"("}},
          {"name": "plan", "drawing": {"box": [0, 0, 100, 100], "objects": []}},
          {"name": "short", "hex": ")" + kShortSprite + R"(", "kind": 2}]}]})";
    title_ = std::make_unique<DatabaseTitle>(description_);
  }

  uint8_t Pixel(int x, int y) { return title_->runtime().graphics.pageCanvas().At(x, y); }
  std::string TextOf(int index) { return title_->runtime().pages.Object(index)->text(); }
  // Pixels of `colour` inside a box of the page.
  int Count(const Rect& box, const std::string& colour) {
    int n = 0;
    for (int y = box.top; y < box.bottom; ++y) {
      for (int x = box.left; x < box.right; ++x) n += Pixel(x, y) == test::PaletteIndex(colour);
    }
    return n;
  }
  // The text drawn in the text object: black pixels inside its white box.
  int Ink() { return Count({0, 0, 300, 40}, "#FFFFFF") == 0 ? 0 : Count({0, 0, 300, 40}, "#000000"); }
  Keys RunAndPaint(const std::string& script) {
    const Keys keys = title_->Run(script);
    title_->runtime().shell.PaintNow();
    return keys;
  }

  test::TempDir pngs_;
  std::string description_;
  std::unique_ptr<DatabaseTitle> title_;
};

TEST_F(RenderData, TextObjectsTakeTheValueCutToTheirCapacity) {
  ASSERT_EQ(title_->Run("opendata \"PLACES\"\n"), Keys{});
  EXPECT_EQ(Ink(), 0);

  EXPECT_EQ(RunAndPaint("renderdata \"Out\", 0, 0\n"), Keys{});
  EXPECT_EQ(TextOf(0), "Abcdefg...") << "20 characters into 10: 7 and the cut mark";
  const int cutInk = Ink();
  EXPECT_GT(cutInk, 30) << "the object is drawn again with its new text";

  EXPECT_EQ(RunAndPaint("set f$, \"Name\"\nrenderdata \"Out\", f$, 1\n"), Keys{});
  EXPECT_EQ(TextOf(0), "Line") << "the line break at the end is left out";
  EXPECT_EQ(RunAndPaint("renderdata \"Out\", 0, 2\n"), Keys{});
  EXPECT_EQ(TextOf(0), "Hi") << "a shorter value ends where it ends";
  EXPECT_LT(Ink(), cutInk);

  EXPECT_EQ(title_->Run("renderdata \"Tiny\", 0, 0\n"), Keys{});
  EXPECT_EQ(TextOf(1), "Abc") << "no room for the cut mark in three characters";
}

TEST_F(RenderData, SpriteObjectsShowTheRecordsSpriteAndKeepTheirsOtherwise) {
  ASSERT_EQ(title_->Run("opendata \"PLACES\"\n"), Keys{});
  const uint8_t green = test::PaletteIndex("#00FF00"), red = test::PaletteIndex("#FF0000");
  ASSERT_EQ(Pixel(305, 5), green);

  // A name GRAPHICS does not have: reported, and the sprite stays as it was (no cross).
  EXPECT_EQ(RunAndPaint("renderdata \"Spr\", 1, 2\n"), Keys{"generr1"});
  EXPECT_EQ(Pixel(305, 5), green);
  EXPECT_EQ(Pixel(300, 0), green);

  // A drawing is not a sprite: a message box says so.
  EXPECT_EQ(RunAndPaint("renderdata \"Spr\", \"Picture\", 1\n"), Keys{});
  EXPECT_TRUE(Has(title_->TraceText(), "not a ravelgraphic sprite")) << title_->TraceText();
  EXPECT_TRUE(Has(title_->TraceText(), "captioned \"Message\""));
  EXPECT_EQ(Pixel(305, 5), green);

  // A sprite whose pixels are not all there is not put in.
  EXPECT_EQ(RunAndPaint("renderdata \"Spr\", 1, 3\n"), Keys{});
  EXPECT_EQ(Pixel(305, 5), green);

  // The record's sprite replaces it, at its own size from the box's corner.
  EXPECT_EQ(RunAndPaint("renderdata \"Spr\", 1, 0\n"), Keys{});
  EXPECT_EQ(Pixel(305, 5), red);
  EXPECT_EQ(Pixel(318, 8), red) << "20 pixels wide";
  EXPECT_EQ(Pixel(305, 15), test::PaletteIndex("#000000")) << "and 10 high";

  // The next page showing the same resource shows the title's own sprite, not the record's.
  title_->runtime().pages.GotoSection(1);
  title_->runtime().shell.window().InvalidatePage({0, 0, 640, 480}, true);
  title_->runtime().shell.PaintNow();
  EXPECT_EQ(Pixel(305, 5), green);
}

TEST_F(RenderData, WithoutCachedBitmapsTheRecordsSpriteIsFittedIntoTheBox) {
  DatabaseTitle uncached(description_, "-S");
  ASSERT_EQ(uncached.Run("opendata \"PLACES\"\nrenderdata \"Spr\", 1, 0\n"), Keys{});
  uncached.runtime().shell.PaintNow();
  const Canvas& page = uncached.runtime().graphics.pageCanvas();
  EXPECT_EQ(page.At(320, 20), test::PaletteIndex("#FF0000"));
  EXPECT_EQ(page.At(320, 5), test::PaletteIndex("#000000")) << "20 x 10 fitted as 40 x 20";
  EXPECT_EQ(page.At(338, 12), test::PaletteIndex("#FF0000"));
}

TEST_F(RenderData, ReportsWhatTheCommandCannotUse) {
  EXPECT_EQ(title_->Run("renderdata \"Out\", 0, 0\nrenderdata \"Out\", \"Name\", 0\n"),
            (Keys{"scerr50", "scerr50"})) << "no database";
  ASSERT_EQ(title_->Run("opendata \"PLACES\"\n"), Keys{});
  EXPECT_EQ(title_->Run("renderdata \"Nobody\", 0, 0\nrenderdata \"Box\", 0, 0\n"
                        "renderdata \"Out\", 1.5, 0\nset x, 1.5\nrenderdata \"Out\", x, 0\n"
                        "renderdata \"Out\", \"Nope\", 0\nrenderdata \"Out\", 2, 0\n"
                        "renderdata \"Out\", -1, 0\nrenderdata \"Out\", 0, 4\n"
                        "renderdata \"Out\", 0, -1\n"),
            (Keys{"scerr31", "scerr6", "scerr64", "scerr64", "scerr63", "scerr51", "scerr51",
                  "scerr52", "scerr52"}));
  EXPECT_TRUE(Has(title_->reports()[4].text, "Nope")) << "with the name no field has";
  EXPECT_EQ(TextOf(0), "") << "nothing was written";
}

}  // namespace
}  // namespace zd
