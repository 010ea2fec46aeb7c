// Reading sprites: the mode table, widths from the wastage words, sprite files, and sprites
// whose headers lie about their data.
#include "graphics/sprites/sprite_format.h"

#include <gtest/gtest.h>

#include "graphics/sprites/sprite_cache.h"
#include "graphics/sprites/sprite_decode.h"
#include "graphics/sprites/sprite_pixels.h"
#include "graphics/sprites/sprite_plot.h"
#include "sprite_builder.h"

namespace zd {
namespace {

ByteView View(const std::vector<uint8_t>& bytes) { return ByteView(bytes.data(), bytes.size()); }

std::vector<uint8_t> OneBitRow(uint32_t firstBit, uint32_t lastBit, uint32_t widthWords = 0) {
  test::SpriteDescription s{.mode = 25, .bpp = 1, .pixels = test::Rows(1, 1, 0)};
  std::vector<uint8_t> sprite = test::MakeSprite(s);
  sprite.resize(44 + 4 * (widthWords + 1), 0xA5);
  test::PutWord(sprite, 16, widthWords);
  test::PutWord(sprite, 24, firstBit);
  test::PutWord(sprite, 28, lastBit);
  return sprite;
}

TEST(SpriteFormat, ModesGiveDepthAndAspectOrNothing) {
  EXPECT_EQ(ModeInfo(28)->bitsPerPixel, 8);
  EXPECT_EQ(ModeInfo(28)->aspect, 0.75f);
  EXPECT_EQ(ModeInfo(0)->bitsPerPixel, 1);
  EXPECT_EQ(ModeInfo(0)->aspect, 0.4f);
  EXPECT_EQ(ModeInfo(11)->aspect, 0.3906f);
  EXPECT_EQ(ModeInfo(46)->bitsPerPixel, 4);
  EXPECT_EQ(ModeInfo(3)->aspect, 0.0f);
  for (uint32_t unsupported : {22u, 32u, 47u, 100u, 192u, 255u, 0x202d0169u, 0x301680b5u,
                               0xb00b40b5u, 0x80000000u, 0x08000000u}) {
    EXPECT_FALSE(ModeInfo(unsupported)) << std::hex << unsupported;
  }
}

TEST(SpriteFormat, WidthsComeFromTheWordsAndTheFirstAndLastBits) {
  EXPECT_EQ(ReadSpriteLayout(View(OneBitRow(0, 31)))->pixelWidth, 32);
  EXPECT_EQ(ReadSpriteLayout(View(OneBitRow(0, 7)))->pixelWidth, 8);
  const auto wasted = ReadSpriteLayout(View(OneBitRow(8, 31, 1)));
  EXPECT_EQ(wasted->pixelWidth, 56);
  EXPECT_EQ(wasted->wastage, 8);
  EXPECT_EQ(wasted->headerWidth, 64);
  const auto sprite = test::MakeSprite({.mode = 12, .bpp = 4, .pixels = test::Rows(5, 3, 1),
                                        .palette = std::vector<uint32_t>(16, 0), .firstBit = 4});
  const auto l = ReadSpriteLayout(View(sprite));
  EXPECT_EQ(l->pixelWidth, 5);
  EXPECT_EQ(l->wastage, 1);
  EXPECT_EQ(l->paletteEntries, 16);
  EXPECT_FALSE(l->geometry.hasMask);
  EXPECT_EQ(l->height(), 3);
}

// Every kind of lie: the reader says no, and nothing reads, prepares or draws anything.
TEST(SpriteFormat, HeadersThatLieDrawNothingAndReadNothingOutside) {
  const std::vector<uint8_t> good =
      test::MakeSprite({.pixels = test::Rows(4, 2, 9), .mask = test::Rows(4, 2, 1)});
  const auto lie = [&](size_t field, uint32_t value) {
    std::vector<uint8_t> s = good;
    test::PutWord(s, field, value);
    return s;
  };
  const std::pair<std::vector<uint8_t>, SpriteProblem> cases[] = {
      {lie(32, 4000), SpriteProblem::Truncated},           // image offset past the end
      {lie(36, 20), SpriteProblem::BadOffsets},            // mask inside the header
      {lie(32, 0), SpriteProblem::BadOffsets},
      {lie(36, 48), SpriteProblem::BadOffsets},            // mask over the image
      {lie(16, 0xFFFFFFFF), SpriteProblem::Truncated},     // enormous width
      {lie(20, 0xFFFFFFFF), SpriteProblem::Truncated},     // enormous height
      {lie(20, 0x3FFFFFFF), SpriteProblem::Truncated},
      {lie(40, 255), SpriteProblem::UnsupportedMode},
      {lie(40, 0x301680b5), SpriteProblem::UnsupportedMode},
      {lie(24, 32), SpriteProblem::BadWidth},
      {lie(28, 0xFFFFFFFF), SpriteProblem::BadWidth},
      {OneBitRow(20, 10), SpriteProblem::BadWidth},        // first bit past the last, one word
      {std::vector<uint8_t>(good.begin(), good.begin() + 56), SpriteProblem::Truncated},
      {std::vector<uint8_t>(good.begin(), good.begin() + 43), SpriteProblem::Truncated},
  };
  SpriteBitmapTable table;
  for (const auto& [bytes, problem] : cases) {
    SpriteProblem why = SpriteProblem::None;
    EXPECT_FALSE(ReadSpriteLayout(View(bytes), &why));
    EXPECT_EQ(why, problem) << SpriteProblemText(problem);
    EXPECT_FALSE(DecodeSpriteRgba(View(bytes)));
    EXPECT_FALSE(MakeSpriteBitmaps(View(bytes), table, CreateSharedColourHeaders(ColourMatcher())));
    Canvas canvas(16, 16);
    canvas.Fill(3);
    PlotSpriteStretched(canvas, {0, 0, 16, 16}, View(bytes), false, ColourMatcher());
    PlotSpriteFitted(canvas, {0, 0, 16, 16}, View(bytes), true, ColourMatcher(), 640, 480);
    PlotSpriteCached(canvas, {0, 0, 16, 16}, View(bytes), table);
    for (int y = 0; y < 16; ++y) {
      for (int x = 0; x < 16; ++x) ASSERT_EQ(canvas.At(x, y), 3);
    }
  }
  // Rows that do not fit are not touched by the preparation either.
  std::vector<uint8_t> truncated = lie(32, 4000);
  const std::vector<uint8_t> before = truncated;
  EXPECT_FALSE(PrepareSprite(truncated));
  EXPECT_EQ(truncated, before);
}

TEST(SpriteFormat, SpriteFilesAreWalkedByTheirOffsetsAndNeverPastTheirEnd) {
  const auto a = test::MakeSprite({.pixels = test::Rows(3, 1, 0), .name = "first"});
  const auto b = test::MakeSprite({.pixels = test::Rows(5, 2, 0), .name = "second"});
  std::vector<uint8_t> file = test::MakeSpriteFile({a, b});
  EXPECT_EQ(SpritesOfFile(View(file)).size(), 2u);
  EXPECT_EQ(SpriteName(*SpriteOfFile(View(file), 0)), "first");
  EXPECT_EQ(SpriteName(*SpriteOfFile(View(file), 1)), "second");
  EXPECT_EQ(SpriteOfFile(View(file), 1)->size(), b.size());
  EXPECT_FALSE(SpriteOfFile(View(file), 2));
  // The count word bounds the walk, except for the first sprite, which is always taken.
  test::PutWord(file, 0, 0);
  EXPECT_EQ(SpritesOfFile(View(file)).size(), 1u);
  // A first sprite whose length runs past the file is cut to it; an offset past it gives none.
  test::PutWord(file, 0, 2);
  test::PutWord(file, 12, 100000);
  EXPECT_EQ(SpritesOfFile(View(file)).size(), 1u);
  EXPECT_EQ(SpriteOfFile(View(file), 0)->size(), file.size() - 12);
  test::PutWord(file, 4, 1u << 30);
  EXPECT_FALSE(SpriteOfFile(View(file), 0));
  EXPECT_FALSE(SpriteOfFile(ByteView(), 0));
  // Too short to hold the first sprite's offset, or an offset inside the file's own words.
  const std::vector<uint8_t> countOnly = {1, 0, 0, 0};
  EXPECT_TRUE(SpritesOfFile(View(countOnly)).empty());
  test::PutWord(file, 4, 3);
  EXPECT_TRUE(SpritesOfFile(View(file)).empty());
}

}  // namespace
}  // namespace zd
