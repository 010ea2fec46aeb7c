// Sprite pixels before they are drawn: the load-time preparation, and the colour headers each
// depth is drawn with. (Pixel order and 2-bit widening show in every plotted sprite.)
#include "graphics/sprites/sprite_pixels.h"

#include <gtest/gtest.h>

#include "graphics/sprites/colour_tables.h"
#include "graphics/sprites/sprite_colours.h"
#include "sprite_builder.h"

namespace zd {
namespace {

using platform::Rgb;

TEST(SpritePixels, PreparationTurnsRowsBottomUpAndClearsTransparentPixels) {
  // Three rows: the middle one stays in place but is masked all the same.
  std::vector<uint8_t> sprite =
      test::MakeSprite({.pixels = {{1, 2, 3, 4}, {5, 6, 7, 8}, {9, 10, 11, 12}},
                        .mask = {{1, 0, 1, 1}, {0, 1, 1, 1}, {1, 1, 1, 0}}});
  ASSERT_TRUE(PrepareSprite(sprite));
  EXPECT_EQ(std::vector<uint8_t>(sprite.begin() + 44, sprite.begin() + 56),
            (std::vector<uint8_t>{9, 10, 11, 0, 0, 6, 7, 8, 1, 0, 3, 4}));
  EXPECT_EQ(std::vector<uint8_t>(sprite.begin() + 56, sprite.begin() + 60),
            (std::vector<uint8_t>{0xFF, 0xFF, 0xFF, 0}));
  // Without a mask only the rows move; the header is untouched.
  std::vector<uint8_t> plain = test::MakeSprite({.pixels = {{1, 0, 0, 0}, {2, 0, 0, 0}}});
  const std::vector<uint8_t> header(plain.begin(), plain.begin() + 44);
  ASSERT_TRUE(PrepareSprite(plain));
  EXPECT_EQ(plain[44], 2);
  EXPECT_EQ(plain[48], 1);
  EXPECT_EQ(std::vector<uint8_t>(plain.begin(), plain.begin() + 44), header);
}

TEST(SpriteColours, EightBitValuesFollowTheRuleWithTheirBaseEntries) {
  ColourHeader h;
  BuildColourHeader(h, kDefault8BitBase, 8, false);
  EXPECT_EQ(h.count, 256);
  EXPECT_EQ(h.colours[0], (Rgb{0, 0, 0}));
  EXPECT_EQ(h.colours[255], (Rgb{255, 255, 255}));
  EXPECT_EQ(h.colours[0x10], (Rgb{0x88, 0, 0}));
  EXPECT_EQ(h.colours[0x04], (Rgb{0x44, 0, 0}));
  BuildColourHeader(h, kDefault8BitBase, 8, true);
  EXPECT_EQ(h.colours[0], (Rgb{255, 255, 255}));
  EXPECT_EQ(h.colours[255], (Rgb{0, 0, 0}));
  // An own palette gives its last 16 entries as base entries; 15 entries are too few to give
  // them, and the default base entries are taken.
  std::vector<uint32_t> own(20, 0);
  own[3] = 0x00003000;   // never a base entry: only the last 16 count
  own[19] = 0x60402000;  // base entry 15: red 0x20, green 0x40, blue 0x60
  BuildColourHeader(h, own, 8, false);
  EXPECT_EQ(h.colours[0x0F], (Rgb{0x22, 0x00, 0x66}));  // green bit 6 cleared by the rule
  EXPECT_EQ(h.colours[0x04], (Rgb{0, 0, 0}));
  const std::vector<uint32_t> short15(15, 0xFFFFFF00);
  BuildColourHeader(h, short15, 8, false);
  EXPECT_EQ(h.colours[0x04], (Rgb{0x44, 0, 0}));
}

TEST(SpriteColours, FewerBitsTakeThePaletteInOrderAndTheDefaultsForWhatItLacks) {
  ColourHeader h;
  BuildColourHeader(h, {}, 1, false);
  EXPECT_EQ(h.count, 2);
  EXPECT_EQ(h.colours[0], (Rgb{255, 255, 255}));
  EXPECT_EQ(h.colours[1], (Rgb{0, 0, 0}));
  BuildColourHeader(h, kDefault2Bit, 2, false);
  EXPECT_EQ(h.count, 16);
  EXPECT_EQ(h.colours[1], (Rgb{0xBB, 0xBB, 0xBB}));
  EXPECT_EQ(h.colours[13], (Rgb{0xBB, 0xBB, 0xBB}));  // the four colours repeated
  BuildColourHeader(h, kDefault4Bit, 4, false);
  EXPECT_EQ(h.colours[8], (Rgb{0x00, 0x44, 0x99}));
  EXPECT_EQ(h.colours[15], (Rgb{0x00, 0xBB, 0xFF}));
  const std::vector<uint32_t> two = {0x0000FF00, 0x00FF0000};
  BuildColourHeader(h, two, 4, true);  // the mask pass of fewer bits uses the image's colours
  EXPECT_EQ(h.colours[0], (Rgb{255, 0, 0}));
  EXPECT_EQ(h.colours[1], (Rgb{0, 255, 0}));
  EXPECT_EQ(h.colours[2], (Rgb{0xBB, 0xBB, 0xBB}));
}

}  // namespace
}  // namespace zd
