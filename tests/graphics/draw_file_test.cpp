// Draw files made with the Draw writer, drawn into small canvases: fitting and centring, fills
// and outlines, dotted outlines, triangle caps, the font table and its fallback, groups and
// tagged objects, curves, text areas, and malformed files.
#include "graphics/draw/draw_file.h"

#include <gtest/gtest.h>

#include "draw_test_support.h"
#include "graphics/draw/draw_path.h"
#include "graphics/draw/draw_text.h"

namespace zd {
namespace {

using namespace test;

constexpr uint32_t kRed = 0xFF0000, kBlue = 0x0000FF, kGreen = 0x00FF00;

std::string Square(uint32_t fill, uint32_t outline, std::optional<std::vector<int32_t>> dash = {}) {
  DrawWriter w({0, 0, 1000, 1000});
  DrawPathShape path;
  path.fill = fill;
  path.outline = outline;
  path.dash = dash;
  path.elements = {Move(0, 0), LineTo(1000, 0), LineTo(1000, 1000), LineTo(0, 1000), Close()};
  w.Path(path);
  return w.Finish();
}

TEST(DrawFile, ADrawingKeepsItsProportionsAndIsCentredInItsRectangle) {
  const DrawPlacement wide = FitDrawing({0, 0, 200, 200}, {0, 0, 2000, 1000});
  EXPECT_EQ(wide.rect, (Rect{0, 50, 200, 150}));
  EXPECT_DOUBLE_EQ(wide.sx, 0.1);
  EXPECT_DOUBLE_EQ(wide.sy, 0.1);
  // The narrower side rounds to the nearest pixel; the halves of the centring are truncated.
  const DrawPlacement tall = FitDrawing({10, 20, 111, 70}, {-100, 300, 900, 1300});
  EXPECT_EQ(tall.rect, (Rect{35, 20, 85, 70}));
  EXPECT_EQ(tall.originX, 35 + 5);
  EXPECT_EQ(tall.X(900), 85);
  EXPECT_EQ(tall.Y(300), 70);
  EXPECT_EQ(tall.Y(1300), 20);

  // The 2:1 drawing filled edge to edge: 200 wide, 100 high, from 50 below the top.
  DrawWriter w({0, 0, 2000, 1000});
  DrawPathShape path;
  path.fill = DrawColour(kRed);
  path.outline = 0xFFFFFFFF;
  path.elements = {Move(0, 0), LineTo(2000, 0), LineTo(2000, 1000), LineTo(0, 1000), Close()};
  w.Path(path);
  DrawRun run;
  const Canvas c = run.Draw(w.Finish(), 200, 200, {0, 0, 200, 200});
  const uint8_t red = run.Index(kRed);
  for (int x = 0; x < 200; x += 199) {
    EXPECT_EQ(c.At(x, 49), 0);
    EXPECT_EQ(c.At(x, 50), red);
    EXPECT_EQ(c.At(x, 149), red);
    EXPECT_EQ(c.At(x, 150), 0);
  }
}

TEST(DrawFile, FillsAndOutlinesFollowTheSubpathAsWritten) {
  DrawRun run;
  const uint8_t red = run.Index(kRed), blue = run.Index(kBlue);
  // Move, three lines and close: filled as a square, outlined on three sides only.
  Canvas c = run.Draw(Square(DrawColour(kRed), DrawColour(kBlue)), 110, 110, {0, 0, 100, 100});
  EXPECT_EQ(c.At(50, 50), red);
  EXPECT_EQ(c.At(50, 100), blue);  // bottom
  EXPECT_EQ(c.At(100, 50), blue);  // right
  EXPECT_EQ(c.At(50, 0), blue);    // top
  EXPECT_EQ(c.At(0, 50), red);     // the left side has no outline: only the fill shows
  // A transparent outline leaves only the fill, a transparent fill only the outline.
  c = run.Draw(Square(DrawColour(kRed), 0xFFFFFFFF), 110, 110, {0, 0, 100, 100});
  EXPECT_EQ(c.At(50, 50), red);
  EXPECT_EQ(c.At(100, 50), 0);
  c = run.Draw(Square(0xFFFFFFFF, DrawColour(kBlue)), 110, 110, {0, 0, 100, 100});
  EXPECT_EQ(c.At(50, 50), 0);
  EXPECT_EQ(c.At(100, 50), blue);
  // A dash pattern makes the outline dotted: half the bottom edge's pixels.
  c = run.Draw(Square(0xFFFFFFFF, DrawColour(kBlue), std::vector<int32_t>{100, 100}), 110, 110,
               {0, 0, 100, 100});
  int bottom = 0;
  for (int x = 0; x < 100; ++x) bottom += c.At(x, 100) == blue;
  EXPECT_EQ(bottom, 51);
}

TEST(DrawFile, TriangleCapsReachTwiceTheLineWidthAheadAndToEachSide) {
  DrawWriter w({0, 0, 1000, 1000});
  DrawPathShape path;
  path.outline = DrawColour(kGreen);
  path.width = 40;  // 4 pixels
  path.endCap = 3;
  path.capWidth = 32;
  path.elements = {Move(200, 500), LineTo(600, 500)};
  w.Path(path);
  DrawRun run;
  const Canvas c = run.Draw(w.Finish(), 100, 100, {0, 0, 100, 100});
  const uint8_t green = run.Index(kGreen);
  EXPECT_EQ(TriangleCap({60, 50}, 400, 0, 40, 32, 0.1, 0.1),
            (std::vector<Point>{{68, 50}, {60, 58}, {60, 42}}));
  EXPECT_EQ(c.At(66, 50), green);  // ahead, past the pen's round end
  EXPECT_EQ(c.At(60, 57), green);  // to the side
  EXPECT_EQ(c.At(60, 43), green);
  EXPECT_EQ(c.At(69, 50), 0);
  EXPECT_EQ(c.At(15, 50), 0);  // no cap at the start
  // The rounding of the cap arithmetic: halves go toward zero, a segment without length has none.
  EXPECT_EQ(TriangleCap({0, 0}, 3, 4, 10, 16, 1, 1),
            (std::vector<Point>{{6, -8}, {8, 6}, {-8, -6}}));
  EXPECT_TRUE(TriangleCap({0, 0}, 0, 0, 10, 16, 1, 1).empty());
}

TEST(DrawFile, TextUsesTheFontTableAndFallsBackToTheSystemFont) {
  const auto file = [](bool table, uint8_t font) {
    DrawWriter w({0, 0, 100000, 100000});
    if (table) w.FontTable({{1, "Homerton.Medium"}, {2, "Trinity.Bold"}});
    w.Text({1000, 2000, 50000, 22000}, DrawColour(kBlue), 0xFFFFFF00, font, 7680, 7680, 1000, 5000,
           "Hello");
    return w.Finish();
  };
  DrawRun run;
  run.Draw(file(true, 1), 100, 100, {0, 0, 100, 100});
  run.Draw(file(true, 7), 100, 100, {0, 0, 100, 100});   // not in the table
  run.Draw(file(false, 2), 100, 100, {0, 0, 100, 100});  // the table stays for later files
  ASSERT_EQ(run.painter.drawn.size(), 3u);
  const DrawnText& arial = run.painter.drawn[0];
  EXPECT_EQ(arial.font.faceName, "Arial");
  EXPECT_EQ(arial.font.height, 8);  // size trunc(7680 x 0.001 x 72 / 90) = 6, x 1.42
  EXPECT_EQ(arial.font.width, 3);
  EXPECT_EQ(arial.x, 1);
  EXPECT_EQ(arial.y, 78 + ((98 - 78 - 6) >> 1));
  EXPECT_EQ(arial.text, "Hello");
  EXPECT_EQ(arial.index, run.Index(kBlue));
  EXPECT_EQ(run.painter.drawn[1].font.faceName, "ArcSys");
  EXPECT_EQ(run.painter.drawn[1].font.height, 6);
  EXPECT_EQ(run.painter.drawn[1].font.width, 6);
  EXPECT_EQ(run.painter.drawn[2].font.faceName, "Times New Roman");
  EXPECT_EQ(run.painter.drawn[2].font.weight, FW_BOLD);

  // Ten entries are kept, each name cut to 32 characters.
  DrawWriter w({0, 0, 100, 100});
  std::vector<std::pair<uint8_t, std::string>> many;
  for (int i = 1; i <= 12; ++i) many.push_back({uint8_t(i), std::string(40, char('a' + i))});
  w.FontTable(many);
  run.Draw(w.Finish(), 10, 10, {0, 0, 10, 10});
  EXPECT_EQ(run.fonts.count, 10u);
  EXPECT_EQ(*run.fonts.Find(10), std::string(32, char('a' + 10)));
  EXPECT_EQ(run.fonts.Find(11), nullptr);
}

TEST(DrawFile, GroupMembersAreDrawnAndTaggedObjectsAreNot) {
  DrawWriter w({0, 0, 1000, 1000});
  DrawPathShape left, right;
  left.fill = DrawColour(kRed);
  left.outline = right.outline = 0xFFFFFFFF;
  right.fill = DrawColour(kBlue);
  left.elements = {Move(0, 0), LineTo(500, 0), LineTo(500, 1000), LineTo(0, 1000), Close()};
  right.elements = {Move(500, 0), LineTo(1000, 0), LineTo(1000, 1000), LineTo(500, 1000), Close()};
  w.BeginGroup({0, 0, 500, 1000}, "left");
  w.BeginGroup({0, 0, 500, 1000}, "inner");
  w.Path(left);
  w.EndGroup();
  w.EndGroup();
  w.BeginTagged({500, 0, 1000, 1000}, 77);
  w.Path(right);
  w.EndTagged();
  DrawRun run;
  const Canvas c = run.Draw(w.Finish(), 100, 100, {0, 0, 100, 100});
  EXPECT_EQ(c.At(25, 50), run.Index(kRed));
  EXPECT_EQ(c.At(75, 50), 0);
}

TEST(DrawFile, CurvesAreFlattenedIntoAtMostTenPoints) {
  const auto arch = FlattenBezier({0, 0}, {0, 100}, {100, 100}, {100, 0});
  ASSERT_EQ(arch.size(), 10u);
  EXPECT_EQ(arch[4], (DrawPoint{50, 75}));
  EXPECT_EQ(arch.back(), (DrawPoint{100, 0}));
  // Samples that repeat the point before them are left out.
  EXPECT_TRUE(FlattenBezier({5, 5}, {5, 5}, {5, 5}, {5, 5}).empty());
  EXPECT_LE(FlattenBezier({0, 0}, {1, 0}, {2, 0}, {3, 0}).size(), 4u);
  EXPECT_EQ(FlattenBezier({0, 0}, {1, 0}, {2, 0}, {3, 0}).back(), (DrawPoint{3, 0}));
  // Extreme coordinates stay in range.
  for (const DrawPoint& p : FlattenBezier({INT32_MIN, INT32_MAX}, {INT32_MAX, INT32_MIN},
                                          {INT32_MIN, INT32_MIN}, {INT32_MAX, INT32_MAX})) {
    EXPECT_GE(int64_t(p.x), INT32_MIN);
  }
  // A curved path draws: a filled half disc.
  DrawWriter w({0, 0, 1000, 1000});
  DrawPathShape path;
  path.fill = DrawColour(kRed);
  path.outline = 0xFFFFFFFF;
  path.elements = {Move(0, 0), Curve(0, 1333, 1000, 1333, 1000, 0), Close()};
  w.Path(path);
  DrawRun run;
  const Canvas c = run.Draw(w.Finish(), 100, 100, {0, 0, 100, 100});
  EXPECT_EQ(c.At(50, 50), run.Index(kRed));
  EXPECT_EQ(c.At(5, 5), 0);
}

TEST(DrawFile, TextAreasReadTheirEscapesThenDrawTheRestAsText) {
  const std::string text =
      "\\AC\\F 1 Trinity.Medium 24 20\n\\1/\\C255 0 0/\\M 10 20/\\L24/\\V-2\\;note\n"
      "Hello \\B world\n";
  const TextAreaStyle style = ReadTextAreaEscapes(text);
  EXPECT_EQ(style.align, TextAlign::Centre);
  EXPECT_EQ(style.fonts[1], "Trinity.Medium 24 20");
  EXPECT_EQ(style.font, 1);
  EXPECT_TRUE(style.colourSet);
  EXPECT_EQ(style.red, 255);
  EXPECT_EQ(style.leftMargin, 10);
  EXPECT_EQ(style.rightMargin, 20);
  EXPECT_EQ(text.substr(style.textStart), "Hello \\B world\n");
  // Escapes that run off the end of the text stop there.
  for (const char* cut : {"\\", "\\F", "\\F 3 Homerton", "\\C1 2", "\\A", "\\12", "\\V-"}) {
    EXPECT_LE(ReadTextAreaEscapes(cut).textStart, std::string_view(cut).size());
  }

  DrawWriter w({0, 0, 100000, 100000});
  w.TextArea({0, 0, 100000, 100000}, DrawColour(kBlue), 0xFFFFFF00, text);
  DrawRun run;
  run.Draw(w.Finish(), 100, 100, {0, 0, 100, 100});
  ASSERT_EQ(run.painter.drawn.size(), 1u);
  const DrawnText& area = run.painter.drawn[0];
  EXPECT_EQ(area.font.faceName, "Times New Roman");
  EXPECT_EQ(area.font.height, 16);  // trunc(24 x 640 x 0.001 x 0.8) = 12, x 1.4
  EXPECT_EQ(area.font.width, 4);    // trunc(20 x 640 x 0.001 x 0.8) = 10, / 2.05
  EXPECT_EQ(area.box, (Rect{6, 0, 88, 100}));
  EXPECT_EQ(area.align, TextAlign::Centre);
  EXPECT_EQ(area.index, run.Index(kRed));
  EXPECT_EQ(area.text, "Hello \\B world\n");
}

TEST(DrawFile, MalformedFilesDrawOnlyWhatCanBeRead) {
  DrawRun run;
  const uint8_t red = run.Index(kRed);
  const std::string square = Square(DrawColour(kRed), 0xFFFFFFFF);
  // Not a Draw file, or a box without size: nothing.
  std::string bad = square;
  bad[0] = 'd';
  EXPECT_EQ(run.Draw(bad, 110, 110, {0, 0, 100, 100}).At(50, 50), 0);
  bad = square;
  bad[32] = bad[24];  // x1 = x0
  bad[33] = bad[25];
  EXPECT_EQ(run.Draw(bad, 110, 110, {0, 0, 100, 100}).At(50, 50), 0);
  // An unknown element ends the path; the subpath in progress is not drawn, one closed before
  // it is.
  DrawWriter w({0, 0, 1000, 1000});
  DrawPathShape path;
  path.fill = DrawColour(kRed);
  path.outline = 0xFFFFFFFF;
  path.elements = {
      Move(0, 0),     LineTo(500, 0),    LineTo(500, 500),   Close(),
      Move(500, 500), LineTo(1000, 500), LineTo(1000, 1000), {DrawElement::Kind(99), {}}};
  w.Path(path);
  Canvas c = run.Draw(w.Finish(), 100, 100, {0, 0, 100, 100});
  EXPECT_EQ(c.At(45, 90), red);
  EXPECT_EQ(c.At(95, 40), 0);
  // An object of size 0 ends the file.
  DrawWriter z({0, 0, 1000, 1000});
  z.Raw(std::string("\x02\0\0\0\0\0\0\0", 8));
  std::string zero = z.Finish() + square.substr(40);
  EXPECT_EQ(run.Draw(zero, 110, 110, {0, 0, 100, 100}).At(50, 50), 0);
  // Every cut of a file draws without reading past it.
  for (size_t n = 0; n < square.size(); ++n) run.Draw(square.substr(0, n), 20, 20, {0, 0, 20, 20});
}

}  // namespace
}  // namespace zd
