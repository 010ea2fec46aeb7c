// The canvas primitives: plot actions, block transfers of packed and index bitmaps with their
// raster operations, the stretch's choice of source pixels, and the origin and clip that every
// primitive goes through.
#include "graphics/canvas.h"

#include <gtest/gtest.h>

#include <random>

#include "graphics/palette.h"

namespace zd {
namespace {

std::vector<uint8_t> RowOf(const Canvas& c, int y, int x0, int x1) {
  return {c.Row(y) + x0, c.Row(y) + x1};
}

TEST(Canvas, FilledRectanglesCombineIndicesThroughOriginAndClip) {
  Canvas c(8, 4);
  c.Fill(0x0F);
  c.SetOrigin(2, 1);
  c.SetClip({0, 0, 6, 4});
  c.FillRect({0, 0, 2, 1}, 0xF0, PlotAction::Or);     // canvas (2,1)-(4,2)
  c.FillRect({2, 0, 3, 1}, 0x3C, PlotAction::And);    // canvas (4,1)
  c.FillRect({3, 0, 10, 1}, 0xFF, PlotAction::Xor);   // canvas (5,1), the clip stops it at 6
  c.FillRect({-2, 2, 0, 3}, 0x55, PlotAction::Copy);  // canvas (0,3)-(2,4)
  EXPECT_EQ(RowOf(c, 1, 0, 8), (std::vector<uint8_t>{0x0F, 0x0F, 0xFF, 0xFF, 0x0C, 0xF0, 0x0F, 0x0F}));
  EXPECT_EQ(RowOf(c, 3, 0, 3), (std::vector<uint8_t>{0x55, 0x55, 0x0F}));
  EXPECT_EQ(c.ClipBox(), (Rect{-2, -1, 4, 3}));
  // Rectangles far outside the canvas, or reversed, touch nothing.
  const Canvas before = c;
  c.FillRect({INT32_MIN, INT32_MIN, INT32_MAX, -5}, 1, PlotAction::Copy);
  c.FillRect({5, 3, 1, 0}, 1, PlotAction::Copy);
  EXPECT_EQ(std::vector<uint8_t>(c.View().pixels, c.View().pixels + 32),
            std::vector<uint8_t>(before.View().pixels, before.View().pixels + 32));
}

TEST(Canvas, PackedBitmapsOfEachDepthAreTransferredHighBitsFirst) {
  IndexMap map{};
  for (int i = 0; i < 256; ++i) map[i] = uint8_t(0x80 | i);
  // One row each: 1 bit 10110000 1xxxxxxx, 4 bits 0x12 0x34 0x5x, 8 bits 7 8 9.
  const uint8_t one[4] = {0xB0, 0x80, 0, 0}, four[4] = {0x12, 0x34, 0x50, 0}, eight[4] = {7, 8, 9, 0};
  const auto packed = [](const uint8_t* bits, int width, int bpp) {
    return PackedBitmap{ByteView(bits, 4), width, 1, 4, bpp, false};
  };
  Canvas c(10, 3);
  c.Blit(0, 0, packed(one, 9, 1), map, {0, 0, 9, 1}, RasterOp::Copy);
  c.Blit(0, 1, packed(four, 5, 4), map, {1, 0, 5, 1}, RasterOp::Copy);  // from column 1
  c.Blit(-1, 2, packed(eight, 3, 8), map, {0, 0, 3, 1}, RasterOp::Copy);  // column 0 is off
  EXPECT_EQ(RowOf(c, 0, 0, 10), (std::vector<uint8_t>{0x81, 0x80, 0x81, 0x81, 0x80, 0x80, 0x80,
                                                       0x80, 0x81, 0}));
  EXPECT_EQ(RowOf(c, 1, 0, 5), (std::vector<uint8_t>{0x82, 0x83, 0x84, 0x85, 0}));
  EXPECT_EQ(RowOf(c, 2, 0, 3), (std::vector<uint8_t>{0x88, 0x89, 0}));
  // AND and OR act on the indices under the bitmap.
  c.Fill(0xF0);
  c.Blit(0, 0, packed(eight, 3, 8), IdentityIndexMap(), {0, 0, 3, 1}, RasterOp::And);
  c.Blit(0, 1, packed(eight, 3, 8), IdentityIndexMap(), {0, 0, 3, 1}, RasterOp::Or);
  EXPECT_EQ(RowOf(c, 0, 0, 4), (std::vector<uint8_t>{0x00, 0x00, 0x00, 0xF0}));
  EXPECT_EQ(RowOf(c, 1, 0, 4), (std::vector<uint8_t>{0xF7, 0xF8, 0xF9, 0xF0}));
  // Bits too short for their rows are not drawn at all.
  c.Fill(0);
  c.Blit(0, 0, PackedBitmap{ByteView(eight, 4), 3, 2, 4, 8, false}, map, {0, 0, 3, 2}, RasterOp::Copy);
  EXPECT_EQ(RowOf(c, 0, 0, 3), (std::vector<uint8_t>{0, 0, 0}));
}

TEST(Canvas, StretchingTakesThePixelUnderEachDestinationPixelsLeftEdge) {
  const uint8_t row[6] = {1, 2, 3, 4, 5, 6};
  const PackedBitmap bitmap{ByteView(row, 6), 6, 1, 6, 8, false};
  const IndexMap id = IdentityIndexMap();
  Canvas c(12, 1);
  c.StretchBlit({0, 0, 6, 1}, bitmap, id, {0, 0, 6, 1}, RasterOp::Copy);
  EXPECT_EQ(RowOf(c, 0, 0, 6), (std::vector<uint8_t>{1, 2, 3, 4, 5, 6}));
  c.StretchBlit({0, 0, 12, 1}, bitmap, id, {0, 0, 6, 1}, RasterOp::Copy);
  EXPECT_EQ(RowOf(c, 0, 0, 12), (std::vector<uint8_t>{1, 1, 2, 2, 3, 3, 4, 4, 5, 5, 6, 6}));
  c.StretchBlit({0, 0, 9, 1}, bitmap, id, {0, 0, 6, 1}, RasterOp::Copy);  // 1.5 times
  EXPECT_EQ(RowOf(c, 0, 0, 9), (std::vector<uint8_t>{1, 1, 2, 3, 3, 4, 5, 5, 6}));
  c.StretchBlit({0, 0, 3, 1}, bitmap, id, {0, 0, 6, 1}, RasterOp::Copy);  // halved: the first of each pair
  EXPECT_EQ(RowOf(c, 0, 0, 3), (std::vector<uint8_t>{1, 3, 5}));
  c.StretchBlit({0, 0, 4, 1}, bitmap, id, {2, 0, 4, 1}, RasterOp::Copy);  // part of the source
  EXPECT_EQ(RowOf(c, 0, 0, 4), (std::vector<uint8_t>{3, 3, 4, 4}));
  // Clipping leaves every visible pixel where the whole stretch would put it.
  c.Fill(0);
  c.SetClip({5, 0, 7, 1});
  c.StretchBlit({0, 0, 9, 1}, bitmap, id, {0, 0, 6, 1}, RasterOp::Copy);
  EXPECT_EQ(RowOf(c, 0, 0, 9), (std::vector<uint8_t>{0, 0, 0, 0, 0, 4, 5, 0, 0}));
  // A source outside the bitmap, an empty or reversed destination: nothing.
  c.ResetClip();
  c.Fill(0);
  c.StretchBlit({0, 0, 9, 1}, bitmap, id, {0, 0, 7, 1}, RasterOp::Copy);
  c.StretchBlit({9, 0, 0, 1}, bitmap, id, {0, 0, 6, 1}, RasterOp::Copy);
  EXPECT_EQ(RowOf(c, 0, 0, 9), (std::vector<uint8_t>(9, 0)));
  // The widest destination there is: the canvas sees the middle of the stretched row.
  c.StretchBlit({INT32_MIN, 0, INT32_MAX, 1}, bitmap, id, {0, 0, 6, 1}, RasterOp::Copy);
  EXPECT_EQ(RowOf(c, 0, 0, 9), (std::vector<uint8_t>(9, 4)));
}

TEST(Canvas, ColoursMatchTheNearestPaletteEntryWithOrWithoutStaticColours) {
  LogicalPalette withStatics = BuildRulePalette();
  KeepStaticColours(withStatics, StandardSystemPalette(), 20);
  std::mt19937 random(7);
  for (const LogicalPalette& palette : {BuildRulePalette(), withStatics}) {
    ColourMatcher matcher(PaletteColours(palette));
    for (int i = 0; i < 5000; ++i) {
      const int r = int(random() % 256), g = int(random() % 256), b = int(random() % 256);
      ASSERT_EQ(matcher.Nearest(r, g, b), NearestPaletteIndex(palette, r, g, b)) << r << " " << g << " " << b;
      ASSERT_EQ(matcher.Nearest(r, g, b), NearestPaletteIndex(palette, r, g, b)) << "cached";
    }
  }
  ColourMatcher rule;
  EXPECT_EQ(rule.Nearest(0, 0, 0), 0);
  EXPECT_EQ(rule.Nearest(255, 255, 255), 255);
  EXPECT_EQ(rule.Nearest(0x88, 0, 0), 0x10);
}

}  // namespace
}  // namespace zd
