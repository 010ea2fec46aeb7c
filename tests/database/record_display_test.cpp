// How the database's page objects look: field displays of every kind of field and picture,
// record displays, and keyword hotspots, read from the page canvas.
#include <gtest/gtest.h>

#include <string>

#include "database/database_title.h"
#include "database/picture_fixtures.h"
#include "support/played_title.h"

namespace zd {
namespace {

using test::DatabaseTitle;
using test::Keys;
using test::SolidPng;
using test::kShortSprite;

// "3TCS" whose section offsets point far past its end.
constexpr const char* kLyingPack = "33544353 ffffff00 ffffffff 0102030405";

class RecordDisplays : public testing::Test {
 protected:
  RecordDisplays() {
    const std::string red = SolidPng(pngs_, "red.png", 20, 10, 255, 0, 0);
    const std::string yellow = SolidPng(pngs_, "yellow.png", 16, 16, 255, 255, 0);
    const std::string database = R"({"folder": "ravel", "name": "PLACES", "title": "Places",
      "fields": [{"name": "Name", "type": "text", "width": 16},
                 {"name": "Picture", "type": "picture"},
                 {"name": "Features", "type": "keywords", "keywords": ["river", "lake", "hill"]},
                 {"name": "Code", "type": "number"}],
      "records": [["Lake", "sun", ["lake"], 1], ["Hilltop village", "plan", [], 2],
                  ["", "packed", [], 3], ["", "nowhere", [], 4], ["", "cross", [], 5],
                  ["", "short", [], 6], ["", "badpack", [], 7], ["", "baddraw", [], 8]],
      "pictures": [{"name": "sun", "picture": {"png": ")" + red + R"("}},
        {"name": "plan", "drawing": {"box": [0, 0, 1000, 1000], "objects": [{"path":
          [["move", 0, 0], ["line", 1000, 0], ["line", 1000, 1000], ["line", 0, 1000], ["close"]],
          "fill": "#0000FF", "outline": "none"}]}},
        {"name": "packed", "picture": {"png": ")" + yellow + R"(", "compress": true}},
        {"name": "cross", "kind": 1},
        {"name": "short", "hex": ")" + kShortSprite + R"(", "kind": 2},
        {"name": "badpack", "hex": ")" + kLyingPack + R"("},
        {"name": "baddraw", "hex": "44726177 01000000 ff"}]})";
    const std::string text = R"("font": "Homerton.Medium", "fontSize": 12, "colour": "#000000",
                                "background": "#FFFFFF")";
    const std::string pages = R"([{"name": "Start", "background": "#000000",
      "keywordPage": 1, "keywordField": 2, "objects": [
      {"name": "Value", "type": "fieldDisplay", "field": 0, "pixels": [0, 0, 200, 40],
       "textFlags": ["fill"], )" + text + R"(},
      {"name": "Label", "type": "fieldDisplay", "field": 0, "showName": true,
       "pixels": [0, 50, 200, 90], "textFlags": ["fill"], )" + text + R"(},
      {"name": "Picture", "type": "fieldDisplay", "field": 1, "pixels": [300, 0, 400, 100],
       "fillColour": "#00FF00", "frameColour": "#FF00FF", "textFlags": ["fill", "frame"], )" +
                              text + R"(},
      {"name": "Code", "type": "fieldDisplay", "field": 3, "pixels": [420, 0, 470, 50],
       "textFlags": ["fill"], )" + text + R"(},
      {"name": "Nothing", "type": "fieldDisplay", "field": 40, "pixels": [500, 0, 550, 50],
       "textFlags": ["fill"], )" + text + R"(},
      {"name": "Pairs", "type": "recordDisplay", "pixels": [0, 200, 300, 300], "labelWidth": 5,
       "labelColour": "#FF0000", "valueColour": "#0000FF", "background": "#FFFF00",
       "pairs": [["Name", "Lake"], ["Size", "Big"]]},
      {"name": "Narrow", "type": "recordDisplay", "pixels": [320, 200, 400, 260],
       "labelWidth": 8, "background": "#FFFF00", "pairs": [["Name", "Lake"]]},
      {"name": "Liar", "type": "recordDisplay", "pixels": [0, 320, 300, 380], "labelWidth": 2,
       "labelColour": "#FF0000", "valueColour": "#0000FF", "background": "#FFFF00",
       "pairs": [["A", "B"]], "pairCount": 5000},
      {"name": "Keyword", "type": "keywordHotspot", "keyword": 1, "pixels": [0, 400, 200, 440],
       "textFlags": ["fill"], )" + text + R"(},
      {"name": "Unknown", "type": "keywordHotspot", "keyword": 9, "pixels": [220, 400, 300, 440],
       "textFlags": ["fill"], )" + text + R"(}]}])";
    title_ = std::make_unique<DatabaseTitle>(
        test::TitleWithDatabases(pages, "[" + database + "]"));
  }

  uint8_t Pixel(int x, int y) { return title_->runtime().graphics.pageCanvas().At(x, y); }
  // Pixels of `colour` inside a box of the page.
  int Count(const Rect& box, const std::string& colour) {
    const uint8_t index = test::PaletteIndex(colour);
    int n = 0;
    for (int y = box.top; y < box.bottom; ++y) {
      for (int x = box.left; x < box.right; ++x) n += Pixel(x, y) == index;
    }
    return n;
  }
  // The smallest box around the pixels of `colour` inside `box` (empty when there are none).
  Rect Extent(const Rect& box, const std::string& colour) {
    Rect found{box.right, box.bottom, box.left, box.top};
    for (int y = box.top; y < box.bottom; ++y) {
      for (int x = box.left; x < box.right; ++x) {
        if (Pixel(x, y) != test::PaletteIndex(colour)) continue;
        found = {std::min(found.left, x), std::min(found.top, y), std::max(found.right, x + 1),
                 std::max(found.bottom, y + 1)};
      }
    }
    return found;
  }
  // Shows record `record` in the field displays and paints the page again; the reports made.
  Keys Show(int record) {
    title_->ClearTrace();
    title_->runtime().database.currentRecord = record;
    title_->runtime().shell.window().InvalidatePage({0, 0, 640, 480}, true);
    title_->runtime().shell.PaintNow();
    return test::KeysOf(test::ReportsIn(title_->TraceText()));
  }

  test::TempDir pngs_;
  std::unique_ptr<DatabaseTitle> title_;
};

const std::string kBlack = "#000000", kWhite = "#FFFFFF", kRed = "#FF0000", kBlue = "#0000FF",
                  kGreen = "#00FF00", kYellow = "#FFFF00", kMagenta = "#FF00FF";

TEST_F(RecordDisplays, FieldDisplaysShowTheValueOrNameOfThePickedRecord) {
  // No database yet: every field display is a field without a descriptor, drawn as the cross
  // over the page's black.
  EXPECT_EQ(Pixel(150, 5), test::PaletteIndex(kBlack)) << "no box is filled";
  EXPECT_NE(Pixel(50, 10), test::PaletteIndex(kBlack)) << "the cross inverts the diagonals";

  ASSERT_EQ(title_->Run("opendata \"PLACES\"\n"), Keys{});
  EXPECT_EQ(Show(-1), Keys{});
  EXPECT_EQ(Count({0, 0, 200, 40}, kWhite), 0) << "nothing picked: an empty text, no box";
  EXPECT_EQ(Count({300, 0, 400, 100}, kMagenta), 400 - 4) << "the picture field is framed only";
  EXPECT_GT(Count({300, 0, 400, 100}, kGreen), 9000) << "and filled, with no picture in it";
  const int nameInk = Count({0, 50, 200, 90}, kBlack);
  EXPECT_GT(nameInk, 20) << "the field's name shows whatever is picked";

  EXPECT_EQ(Show(0), Keys{});
  const int shortInk = Count({0, 0, 200, 40}, kBlack);
  EXPECT_GT(Count({0, 0, 200, 40}, kWhite), 5000) << "the text's box is filled";
  EXPECT_GT(shortInk, 20);
  EXPECT_EQ(Count({0, 50, 200, 90}, kBlack), nameInk);
  EXPECT_EQ(Show(1), Keys{});
  EXPECT_GT(Count({0, 0, 200, 40}, kBlack), 2 * shortInk) << "\"Hilltop village\" is longer";

  // A number field is never shown; a field the database does not have is the cross.
  EXPECT_EQ(Count({420, 0, 470, 50}, kBlack), 50 * 50);
  EXPECT_NE(Pixel(512, 12), test::PaletteIndex(kBlack));
  EXPECT_EQ(Pixel(525, 10), test::PaletteIndex(kBlack));
}

TEST_F(RecordDisplays, PictureFieldsDrawEachKindFilledAndFramed) {
  ASSERT_EQ(title_->Run("opendata \"PLACES\"\n"), Keys{});
  const uint8_t red = test::PaletteIndex(kRed), green = test::PaletteIndex(kGreen),
                magenta = test::PaletteIndex(kMagenta);

  // A 20 x 10 sprite keeps its shape: fitted into the 100 x 100 box as 100 x 50, centred.
  EXPECT_EQ(Show(0), Keys{});
  EXPECT_EQ(Pixel(350, 50), red);
  EXPECT_EQ(Pixel(302, 26), red);
  EXPECT_EQ(Pixel(350, 20), green) << "the fill shows above and below it";
  EXPECT_EQ(Pixel(350, 0), magenta) << "the frame is drawn last";

  // A drawing fills the box; a packed sprite is unpacked and stretched over the whole box.
  EXPECT_EQ(Show(1), Keys{});
  EXPECT_EQ(Pixel(350, 50), test::PaletteIndex(kBlue));
  EXPECT_EQ(Show(2), Keys{});
  EXPECT_EQ(Pixel(350, 50), test::PaletteIndex(kYellow));
  EXPECT_EQ(Pixel(302, 2), test::PaletteIndex(kYellow));
  EXPECT_EQ(Pixel(350, 99), magenta);

  // A name GRAPHICS does not have is reported and drawn as the cross; so is a placeholder.
  EXPECT_EQ(Show(3), Keys{"generr1"});
  EXPECT_NE(Pixel(325, 25), green);
  EXPECT_EQ(Pixel(350, 20), green);
  EXPECT_EQ(Show(4), Keys{});
  EXPECT_NE(Pixel(325, 25), green);
  EXPECT_EQ(Pixel(350, 20), green);
}

TEST_F(RecordDisplays, PicturesWhoseLengthsLieDrawTheCrossOrNothing) {
  ASSERT_EQ(title_->Run("opendata \"PLACES\"\n"), Keys{});
  const uint8_t green = test::PaletteIndex(kGreen);
  // A sprite with fewer pixels than its header says, and packed data whose sections lie past
  // its end: the cross.
  for (const int record : {5, 6}) {
    EXPECT_EQ(Show(record), Keys{}) << record;
    EXPECT_NE(Pixel(325, 25), green) << record;
    EXPECT_EQ(Pixel(350, 20), green) << record;
  }
  // A drawing cut after its header draws nothing on the fill.
  EXPECT_EQ(Show(7), Keys{});
  EXPECT_EQ(Count({301, 1, 399, 99}, kGreen), 98 * 98);
}

TEST_F(RecordDisplays, RecordDisplaysDrawLabelsAndCentredValuesAsTheRecordHoldsThem) {
  const Rect labels{4, 204, 52, 296}, values{52, 204, 296, 296};
  EXPECT_EQ(Pixel(1, 201), test::PaletteIndex(kYellow)) << "the whole box is filled";
  EXPECT_EQ(Count({0, 200, 300, 204}, kYellow), 300 * 4);

  // Labels in their colour in the label column (5 characters: 48 pixels), one above the other;
  // values in theirs, centred in the value column.
  const Rect labelInk = Extent(labels, kRed), valueInk = Extent(values, kBlue);
  EXPECT_LT(labelInk.top, 212);
  EXPECT_GT(labelInk.bottom, 220) << "the second label lies below the first value";
  EXPECT_LT(labelInk.bottom, 245);
  EXPECT_EQ(Count(values, kRed), 0);
  EXPECT_GT(valueInk.left, 120);
  EXPECT_NEAR((valueInk.left + valueInk.right) / 2, (values.left + values.right) / 2, 12);

  // A label column as wide as the box leaves no value column: nothing at all is drawn.
  EXPECT_EQ(Count({320, 200, 400, 260}, kBlack), 80 * 60);

  // A pair count far beyond the pairs held draws the one pair there is.
  EXPECT_GT(Count({0, 320, 300, 380}, kRed), 0);
  EXPECT_GT(Count({0, 320, 300, 380}, kBlue), 0);
}

TEST_F(RecordDisplays, KeywordHotspotsShowTheirKeywordOfThePagesField) {
  // Without a database there are no keyword names: nothing is drawn.
  EXPECT_EQ(Count({0, 400, 200, 440}, kBlack), 200 * 40);

  ASSERT_EQ(title_->Run("opendata \"PLACES\"\n"), Keys{});
  Show(-1);
  EXPECT_EQ(Pixel(1, 401), test::PaletteIndex(kWhite)) << "the box is filled as its flags ask";
  const Rect ink = Extent({0, 400, 200, 440}, kBlack);
  ASSERT_FALSE(ink.empty()) << "\"lake\" is written in it";
  EXPECT_NEAR((ink.left + ink.right) / 2, 100, 6) << "centred across";
  EXPECT_NEAR((ink.top + ink.bottom) / 2, 420, 6) << "and down";

  // Keyword 9 of a field with three keywords: nothing.
  EXPECT_EQ(Count({220, 400, 300, 440}, kBlack), 80 * 40);
}

}  // namespace
}  // namespace zd
