// Polygons and lines on the canvas: which pixels a fill takes under each rule, the clip and
// origin, thin and dotted lines, wide pens, and coordinates far outside the canvas.
#include "graphics/shapes.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace zd {
namespace {

// The canvas as rows of '#' (index 1) and '.' (anything else).
std::vector<std::string> Picture(const Canvas& c) {
  std::vector<std::string> rows;
  for (int y = 0; y < c.height(); ++y) {
    std::string row;
    for (int x = 0; x < c.width(); ++x) row += c.At(x, y) == 1 ? '#' : '.';
    rows.push_back(row);
  }
  return rows;
}

int Count(const Canvas& c, uint8_t index) {
  int n = 0;
  for (int y = 0; y < c.height(); ++y)
    for (int x = 0; x < c.width(); ++x) n += c.At(x, y) == index;
  return n;
}

TEST(Shapes, PolygonsFillThePixelsWhoseCentresLieInsideUnderEitherRule) {
  Canvas c(8, 6);
  const Point square[] = {{1, 1}, {5, 1}, {5, 4}, {1, 4}};
  FillPolygon(c, square, FillRule::EvenOdd, 1);
  EXPECT_EQ(Picture(c), (std::vector<std::string>{"........", ".####...", ".####...", ".####...",
                                                  "........", "........"}));

  // Two nested squares turning the same way: a hole under even-odd, solid under non-zero.
  const Point nested[] = {{0, 0}, {8, 0}, {8, 6}, {0, 6}, {2, 2}, {6, 2}, {6, 4}, {2, 4}};
  const int counts[] = {4, 4};
  c.Fill(0);
  FillPolygons(c, nested, counts, FillRule::EvenOdd, 1);
  EXPECT_EQ(Picture(c)[2], "##....##");
  EXPECT_EQ(Count(c, 1), 48 - 8);
  c.Fill(0);
  FillPolygons(c, nested, counts, FillRule::NonZero, 1);
  EXPECT_EQ(Count(c, 1), 48);
  // The inner square turned the other way cancels the winding: a hole under both rules.
  const Point opposite[] = {{0, 0}, {8, 0}, {8, 6}, {0, 6}, {2, 2}, {2, 4}, {6, 4}, {6, 2}};
  c.Fill(0);
  FillPolygons(c, opposite, counts, FillRule::NonZero, 1);
  EXPECT_EQ(Count(c, 1), 40);

  // A self-crossing star: its centre is twice wound, so non-zero fills it and even-odd not.
  Canvas star(40, 40);
  const Point points[] = {{20, 2}, {31, 37}, {2, 14}, {38, 14}, {9, 37}};
  FillPolygon(star, points, FillRule::EvenOdd, 1);
  EXPECT_EQ(star.At(20, 20), 0);
  EXPECT_EQ(star.At(20, 8), 1);
  FillPolygon(star, points, FillRule::NonZero, 1);
  EXPECT_EQ(star.At(20, 20), 1);

  // Counts past the end of the points are cut; empty and degenerate runs fill nothing.
  c.Fill(0);
  const int tooMany[] = {0, -3, 100};
  FillPolygons(c, square, tooMany, FillRule::NonZero, 1);
  EXPECT_EQ(Count(c, 1), 12);
  c.Fill(0);
  const Point line[] = {{0, 0}, {7, 5}};
  FillPolygon(c, line, FillRule::NonZero, 1);
  EXPECT_EQ(Count(c, 1), 0);
}

TEST(Shapes, FillsAndLinesStayInsideTheClipWhateverTheirCoordinates) {
  Canvas c(10, 10);
  c.SetOrigin(2, 3);
  c.SetClip({2, 2, 8, 8});
  const Point huge[] = {{-2000000000, -2000000000},
                        {2000000000, -2000000000},
                        {2000000000, 2000000000},
                        {-2000000000, 2000000000}};
  FillPolygon(c, huge, FillRule::EvenOdd, 1);
  EXPECT_EQ(Count(c, 1), 36);
  for (int i = 0; i < 10; ++i) {
    EXPECT_EQ(c.At(1, i), 0);
    EXPECT_EQ(c.At(8, i), 0);
  }
  c.Fill(0);
  const Point across[] = {{-2000000000, 1}, {2000000000, 1}};
  DrawPolyline(c, across, Pen{0, false, 1});
  EXPECT_EQ(Count(c, 1), 6);
  EXPECT_EQ(c.At(2, 4), 1);  // drawing row 1 is canvas row 4
  c.Fill(0);
  DrawPolyline(c, across, Pen{2000000000, false, 1});
  EXPECT_EQ(Count(c, 1), 36);
  c.ResetClip();
  c.SetOrigin(0, 0);
  c.Fill(0);
  const Point origin[] = {{0, 0}, {3, 0}, {3, 1}, {0, 1}};
  FillPolygon(c, origin, FillRule::NonZero, 1);
  EXPECT_EQ(Count(c, 1), 3);
}

TEST(Shapes, ThinLinesStepPixelByPixelAndLeaveTheLastPointOut) {
  Canvas c(8, 5);
  const Point path[] = {{0, 0}, {4, 0}, {4, 4}, {0, 0}};
  DrawPolyline(c, path, Pen{1, false, 1});
  // The diagonal back runs from (4,4) to (1,1); (0,0) is the first segment's.
  EXPECT_EQ(Picture(c),
            (std::vector<std::string>{"#####...", ".#..#...", "..#.#...", "...##...", "....#..."}));
  c.Fill(0);
  const Point diagonal[] = {{0, 0}, {6, 3}};
  DrawPolyline(c, diagonal, Pen{0, false, 1});
  EXPECT_EQ(Picture(c),
            (std::vector<std::string>{"#.......", ".##.....", "...##...", ".....#..", "........"}));
  // Dots: three on, three off, counted along the whole line across its corners.
  Canvas d(16, 3);
  const Point corner[] = {{0, 0}, {8, 0}, {8, 3}};
  DrawPolyline(d, corner, Pen{0, true, 1});
  EXPECT_EQ(Picture(d)[0], "###...###.......");
  EXPECT_EQ(Picture(d)[1], "................");
  EXPECT_EQ(Picture(d)[2], "................");
}

TEST(Shapes, WidePensFillABandWithRoundEndsAndAreNeverDotted) {
  Canvas c(20, 11);
  const Point flat[] = {{5, 5}, {14, 5}};
  DrawPolyline(c, flat, Pen{3, true, 1});
  for (int x = 5; x <= 14; ++x) {
    EXPECT_EQ(c.At(x, 4), 1) << x;
    EXPECT_EQ(c.At(x, 5), 1) << x;
    EXPECT_EQ(c.At(x, 6), 1) << x;
    EXPECT_EQ(c.At(x, 7), 0) << x;
    EXPECT_EQ(c.At(x, 3), 0) << x;
  }
  // The round ends reach half the width past the end points.
  EXPECT_EQ(c.At(4, 5), 1);
  EXPECT_EQ(c.At(15, 5), 1);
  EXPECT_EQ(c.At(3, 5), 0);
  EXPECT_EQ(c.At(16, 5), 0);
  // A single point with a wide pen is a dot of the pen's size.
  Canvas dot(10, 10);
  const Point one[] = {{5, 5}};
  DrawPolyline(dot, one, Pen{4, false, 1});
  EXPECT_GE(Count(dot, 1), 9);
  EXPECT_LE(Count(dot, 1), 16);
}

}  // namespace
}  // namespace zd
