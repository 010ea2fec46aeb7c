// Sprites on the canvas in the three forms (cached, stretched, fitted): wastage, masks and plain
// copies, the fit's arithmetic, 2-bit widening, repeat drawing, and the cached bitmaps' handles.
#include "graphics/sprites/sprite_plot.h"

#include <gtest/gtest.h>

#include "graphics/sprites/sprite_pixels.h"
#include "support/runtime_fixture.h"
#include "sprite_builder.h"

namespace zd {
namespace {

ByteView View(const std::vector<uint8_t>& bytes) { return ByteView(bytes.data(), bytes.size()); }

std::vector<uint8_t> CanvasRow(const Canvas& c, int y, int width) {
  return {c.Row(y), c.Row(y) + width};
}

// The three ways a sprite reaches the page, each onto its own canvas filled with `background`,
// with the sprite's shown top-left pixel at (0, 0) and a rectangle of its own size.
struct ThreeForms {
  Canvas cached, stretched, fitted;
};
ThreeForms DrawThreeWays(std::vector<uint8_t> sprite, uint8_t background) {
  const auto layout = ReadSpriteLayout(View(sprite));
  const Rect own{0, 0, layout->pixelWidth, layout->height()};
  ThreeForms f{Canvas(24, 8), Canvas(24, 8), Canvas(24, 8)};
  for (Canvas* c : {&f.cached, &f.stretched, &f.fitted}) c->Fill(background);
  const ColourMatcher matcher;
  PlotSpriteStretched(f.stretched, own, View(sprite), false, matcher);
  EXPECT_TRUE(PrepareSprite(sprite));
  PlotSpriteFitted(f.fitted, own, View(sprite), true, matcher, 640, 480);
  SpriteBitmapTable table;
  const auto handles = MakeSpriteBitmaps(View(sprite), table, CreateSharedColourHeaders(matcher));
  EXPECT_TRUE(handles);
  if (handles) KeepHeaderAndHandles(sprite, *handles);
  PlotSpriteCached(f.cached, own, View(sprite), table);
  return f;
}

TEST(SpritePlot, LeftWastageIsNeverShownInAnyForm) {
  // FB = 8 at 1 bit: eight wastage pixels, all black, before the eight shown ones.
  const auto f = DrawThreeWays(test::MakeSprite({.mode = 25, .bpp = 1,
                                                 .pixels = {{0, 1, 0, 0, 1, 1, 0, 1}},
                                                 .firstBit = 8, .wastageValue = 1}),
                               0x37);
  const std::vector<uint8_t> expected = {255, 0, 255, 255, 0, 0, 255, 0, 0x37};
  EXPECT_EQ(CanvasRow(f.cached, 0, 9), expected);
  EXPECT_EQ(CanvasRow(f.stretched, 0, 9), expected);
  EXPECT_EQ(CanvasRow(f.fitted, 0, 9), expected);
}

TEST(SpritePlot, WithoutAMaskTheBackgroundNeverShowsThrough) {
  const auto f = DrawThreeWays(test::MakeSprite({.pixels = {{0, 0x10, 0, 0xFF}}}), 0x37);
  for (const Canvas* c : {&f.cached, &f.stretched, &f.fitted}) {
    EXPECT_EQ(CanvasRow(*c, 0, 5), (std::vector<uint8_t>{0, 0x10, 0, 0xFF, 0x37}));
  }
}

TEST(SpritePlot, AMaskedPageSpriteLeavesTheBackgroundUnderTransparentPixels) {
  // Image bytes under transparent pixels are not 0 in the file; preparing clears them.
  const test::SpriteDescription masked{.pixels = {{0xAB, 0x10, 0xCD, 0x04}, {0x33, 0xEF, 0x00, 0x12}},
                              .mask = {{0, 1, 0, 1}, {1, 0, 1, 0}}};
  const auto f = DrawThreeWays(test::MakeSprite(masked), 0x5A);
  for (const Canvas* c : {&f.cached, &f.fitted}) {
    EXPECT_EQ(CanvasRow(*c, 0, 5), (std::vector<uint8_t>{0x5A, 0x10, 0x5A, 0x04, 0x5A}));
    EXPECT_EQ(CanvasRow(*c, 1, 5), (std::vector<uint8_t>{0x33, 0x5A, 0x00, 0x5A, 0x5A}));
  }
  // Unprepared, the sprite is drawn as its file holds it: the masked-out bytes are ORed in.
  EXPECT_EQ(CanvasRow(f.stretched, 0, 4), (std::vector<uint8_t>{0x5A | 0xAB, 0x10, 0x5A | 0xCD, 0x04}));
}

TEST(SpritePlot, FittingKeepsTheDisplayedProportionsCentred) {
  const auto layoutOf = [](uint32_t mode, int bpp, int width, int height) {
    return *ReadSpriteLayout(View(test::MakeSprite(
        {.mode = mode, .bpp = bpp, .pixels = test::Rows(width, height, 0)})));
  };
  const SpriteLayout wide = layoutOf(28, 8, 100, 50);
  EXPECT_EQ(FitSpriteRect({0, 0, 200, 200}, wide, 640, 480), (Rect{0, 50, 200, 150}));
  EXPECT_EQ(FitSpriteRect({0, 0, 200, 200}, wide, 1024, 768), (Rect{0, 50, 200, 150}));
  EXPECT_EQ(FitSpriteRect({10, 10, 110, 60}, wide, 640, 480), (Rect{10, 10, 110, 60}));  // exact
  EXPECT_EQ(FitSpriteRect({0, 0, 100, 20}, wide, 640, 480), (Rect{30, 0, 70, 20}));     // flat
  // Mode 0 rows stand 1.875 times as tall as columns are wide.
  EXPECT_EQ(FitSpriteRect({0, 0, 200, 200}, layoutOf(0, 1, 100, 50), 640, 480), (Rect{0, 6, 200, 193}));
  // On a 640 x 400 screen the same sprite is shown flatter.
  EXPECT_EQ(FitSpriteRect({0, 0, 200, 200}, wide, 640, 400), (Rect{0, 58, 200, 141}));
  // Aspect 0 (mode 3) fits to zero width: nothing is drawn.
  const auto flat = test::MakeSprite({.mode = 3, .bpp = 1, .pixels = test::Rows(8, 8, 1)});
  EXPECT_EQ(FitSpriteRect({0, 0, 50, 50}, *ReadSpriteLayout(View(flat)), 640, 480).width(), 0);
  Canvas c(50, 50);
  c.Fill(9);
  PlotSpriteFitted(c, {0, 0, 50, 50}, View(flat), false, ColourMatcher(), 640, 480);
  EXPECT_EQ(c.At(25, 25), 9);
  // Empty rectangles and screens give empty fits, not faults.
  EXPECT_TRUE(FitSpriteRect({5, 5, 5, 5}, wide, 640, 480).empty());
  EXPECT_TRUE(FitSpriteRect({0, 0, 0, 90}, wide, 0, 0).empty());
}

TEST(SpritePlot, ATwoBitRowOfSixteenPixelsCoversSixteenColumns) {
  std::vector<int> row = {0, 1, 2, 3, 3, 2, 1, 0, 0, 1, 2, 3, 3, 2, 1, 0};
  const auto f = DrawThreeWays(test::MakeSprite({.mode = 26, .bpp = 2, .pixels = {row}}), 0x37);
  const ColourMatcher m;
  const uint8_t colours[4] = {255, m.Nearest(0xBB, 0xBB, 0xBB), m.Nearest(0x77, 0x77, 0x77), 0};
  std::vector<uint8_t> expected;
  for (int v : row) expected.push_back(colours[v]);
  expected.push_back(0x37);
  EXPECT_EQ(CanvasRow(f.cached, 0, 17), expected);
  EXPECT_EQ(CanvasRow(f.stretched, 0, 17), expected);
  EXPECT_EQ(CanvasRow(f.fitted, 0, 17), expected);
}

TEST(SpritePlot, DrawingTwiceGivesTheSamePictureAndLeavesTheSpriteAlone) {
  std::vector<uint8_t> sprite = test::MakeSprite(
      {.mode = 27, .bpp = 4, .pixels = {{1, 2, 3}, {4, 5, 6}, {7, 8, 9}},
       .mask = {{1, 1, 0}, {0, 1, 1}, {1, 0, 1}}, .palette = {0x0000FF00, 0x00FF0000, 0xFF000000}});
  ASSERT_TRUE(PrepareSprite(sprite));
  const std::vector<uint8_t> before = sprite;
  Canvas once(30, 30), twice(30, 30);
  once.Fill(0x21);
  twice.Fill(0x21);
  const ColourMatcher m;
  PlotSpriteFitted(once, {2, 2, 29, 20}, View(sprite), true, m, 640, 480);
  PlotSpriteFitted(twice, {2, 2, 29, 20}, View(sprite), true, m, 640, 480);
  PlotSpriteFitted(twice, {2, 2, 29, 20}, View(sprite), true, m, 640, 480);
  EXPECT_EQ(std::vector<uint8_t>(once.View().pixels, once.View().pixels + 900),
            std::vector<uint8_t>(twice.View().pixels, twice.View().pixels + 900));
  EXPECT_EQ(sprite, before);
}

TEST(SpritePlot, ThePlayerKeepsCachedSpritesAsHeaderAndHandlesUntilReleased) {
  test::RuntimeFixture f;
  Graphics& g = f.runtime().graphics;
  std::vector<uint8_t> block = test::MakeSprite({.pixels = test::Rows(64, 40, 0x2C)});
  const std::vector<uint8_t> header(block.begin(), block.begin() + 44);
  ASSERT_TRUE(g.PrepareSpriteResource(block, true));
  EXPECT_EQ(block.size(), kCachedSpriteSize);
  EXPECT_EQ(std::vector<uint8_t>(block.begin(), block.begin() + 44), header);
  EXPECT_EQ(CachedHandles(View(block)).mask, 0u);
  Canvas& c = g.pageCanvas();
  c.Fill(1);
  g.PlotSpriteCached(c, {600, 460, 601, 461}, View(block));  // the clip stops it, not the rectangle
  EXPECT_EQ(c.At(639, 479), 0x2C);
  // Another block with the same handles but another header finds nothing.
  std::vector<uint8_t> forged = block;
  test::PutWord(forged, 20, 0);
  c.Fill(1);
  g.PlotSpriteCached(c, {0, 0, 1, 1}, View(forged));
  EXPECT_EQ(c.At(0, 0), 1);
  g.FreeSpriteBitmaps(View(block));
  EXPECT_EQ(g.spriteBitmaps().size(), 0u);
  g.PlotSpriteCached(c, {0, 0, 1, 1}, View(block));
  EXPECT_EQ(c.At(0, 0), 1);
  // Without caching the pixels stay; a mode without a depth stays too (and draws nothing), but
  // with caching it cannot be shown at all.
  std::vector<uint8_t> mode22 = test::MakeSprite({.mode = 22, .pixels = test::Rows(4, 4, 1)});
  std::vector<uint8_t> copy = mode22;
  EXPECT_TRUE(g.PrepareSpriteResource(copy, false));
  EXPECT_EQ(copy.size(), mode22.size());
  EXPECT_FALSE(g.PrepareSpriteResource(mode22, true));
}

TEST(SpritePlot, TheExportedMetafileTakesTheClipScaledIntoSpritePixels) {
  const auto sprite = test::MakeSprite({.mode = 27, .bpp = 4, .pixels = test::Rows(100, 50, 1),
                                        .firstBit = 8});
  const auto layout = *ReadSpriteLayout(View(sprite));
  const StretchTransfer t = MetafileStretchTransfer(layout, {0, 0, 204, 104}, {10, 20, 110, 70});
  EXPECT_EQ(t.destination, (Rect{0, 0, 100, 50}));
  EXPECT_EQ(t.sourceX, 2);
  // sx = 102 / 204, sy = 50 / 104: trunc(55) - trunc(5) and trunc(33.65...) - trunc(9.61...).
  EXPECT_EQ(t.sourceWidth, 50);
  EXPECT_EQ(t.sourceHeight, 24);
  const StretchTransfer none = MetafileStretchTransfer(layout, {0, 0, 0, 0}, {0, 0, 10, 10});
  EXPECT_EQ(none.sourceWidth, 0);
}

}  // namespace
}  // namespace zd
