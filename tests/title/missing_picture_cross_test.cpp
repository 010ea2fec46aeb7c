// The cross of a picture that cannot be drawn: the same pixels as the platform's line stepper
// set, found directly, so that a box of any size draws only what shows.
#include <gtest/gtest.h>

#include <cstdlib>
#include <random>
#include <set>
#include <utility>

#include "graphics/canvas.h"
#include "support/played_title.h"
#include "title/page_drawing.h"

namespace zd {
namespace {

using Pixels = std::set<std::pair<int, int>>;

// The stepper itself, one pixel at a time, its last point left out.
Pixels Stepped(int x0, int y0, int x1, int y1, const Rect& limit) {
  Pixels out;
  const int dx = std::abs(x1 - x0), dy = -std::abs(y1 - y0);
  const int sx = x0 < x1 ? 1 : -1, sy = y0 < y1 ? 1 : -1;
  int err = dx + dy;
  while (x0 != x1 || y0 != y1) {
    if (limit.Contains(x0, y0)) out.insert({x0, y0});
    const int e2 = 2 * err;
    if (e2 >= dy) {
      err += dy;
      x0 += sx;
    }
    if (e2 <= dx) {
      err += dx;
      y0 += sy;
    }
  }
  return out;
}

Pixels Found(int x0, int y0, int x1, int y1, const Rect& limit) {
  Pixels out;
  ForEachLinePixelInside(x0, y0, x1, y1, limit, [&](int x, int y) { out.insert({x, y}); });
  return out;
}

TEST(MissingPictureCross, FindsTheSteppersPixelsInEveryDirectionAndClip) {
  std::mt19937 random(7);
  std::uniform_int_distribution<int> coordinate(-40, 80);
  for (int n = 0; n < 4000; ++n) {
    const int x0 = coordinate(random), y0 = coordinate(random);
    const int x1 = coordinate(random), y1 = coordinate(random);
    const int left = coordinate(random) / 2, top = coordinate(random) / 2;
    const Rect limit{left, top, left + 1 + std::abs(coordinate(random)), top + 1 + std::abs(coordinate(random))};
    ASSERT_EQ(Found(x0, y0, x1, y1, limit), Stepped(x0, y0, x1, y1, limit))
        << "(" << x0 << "," << y0 << ") to (" << x1 << "," << y1 << ")";
  }
}

// Found by fuzzing: a picture object two billion pixels tall stepped its cross along the whole
// box (and overflowed the stepper's error term). Only the visible part is visited now.
TEST(MissingPictureCross, AHugeBoxDrawsOnlyWhatShows) {
  Canvas canvas(64, 48);
  const Rect huge{-2000000000, -2000000000, 2000000000, 2000000000};
  DrawMissingPictureCross(canvas, huge, {0, 0, 64, 48});
  // The diagonals of a square box centred on the origin cross at the canvas's corner, which
  // they invert twice; one of them runs on across the canvas.
  EXPECT_EQ(canvas.At(0, 0), 0);
  EXPECT_EQ(canvas.At(10, 10), 0xFF);
  EXPECT_EQ(canvas.At(10, 11), 0);
  size_t inverted = 0;
  for (int y = 0; y < 48; ++y) {
    for (int x = 0; x < 64; ++x) inverted += canvas.At(x, y) != 0;
  }
  EXPECT_EQ(inverted, 47u) << "the rest of the canvas's diagonal, the other one only touching it";
}

// The same fault seen by a title: a picture whose resource is missing, in a box of most of the
// coordinate range, on the first page.
TEST(MissingPictureCross, APageWithAHugeMissingPictureIsShown) {
  test::PlayedTitle t(R"({
    "pages": [{"name": "Home", "background": "#000000", "objects": [
      {"name": "Huge", "type": "sprite", "box": [-2000000000, -2000000000, 2000000000, 2000000000],
       "resource": [1, 9]}]}],
    "sections": [{"name": "Root", "page": "Home"}]})");
  t.Start();
  EXPECT_EQ(t.pages().CurrentPageName(), "Home");
  EXPECT_NE(t.TraceText().find("generr4"), std::string::npos) << "the missing picture is reported";
}

}  // namespace
}  // namespace zd
