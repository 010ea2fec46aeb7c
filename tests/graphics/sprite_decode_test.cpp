// Sprites decoded to RGBA (what zdinfo exports): every depth, wastage that starts inside a byte,
// rows that end inside a byte, masks as alpha, and each sprite in its own palette even when
// several palettes take turns.
#include "graphics/sprites/sprite_decode.h"

#include <gtest/gtest.h>

#include "graphics/sprites/colour_tables.h"
#include "graphics/sprites/sprite_pixels.h"
#include "sprite_builder.h"

namespace zd {
namespace {

ByteView View(const std::vector<uint8_t>& bytes) { return ByteView(bytes.data(), bytes.size()); }

uint32_t ModeOfDepth(int bpp) { return bpp == 1 ? 25 : bpp == 2 ? 26 : bpp == 4 ? 27 : 28; }

// A busy pattern of values and a mask of stripes, so neighbouring pixels differ.
test::SpriteDescription Pattern(int bpp, int width, int height, int firstBit, bool masked,
                                std::vector<uint32_t> palette) {
  test::SpriteDescription s;
  s.mode = ModeOfDepth(bpp);
  s.bpp = bpp;
  s.palette = std::move(palette);
  s.firstBit = firstBit;
  s.wastageValue = (1 << bpp) - 1;
  for (int y = 0; y < height; ++y) {
    std::vector<int> row, mask;
    for (int x = 0; x < width; ++x) {
      row.push_back((x * 5 + y * 3 + (x >> 2)) & ((1 << bpp) - 1));
      mask.push_back((x + y) % 3 != 0);
    }
    s.pixels.push_back(row);
    if (masked) s.mask.push_back(mask);
  }
  return s;
}

// The colour a user sees for value v: the palette word, else the default table (the 8-bit rule
// with the default base entries for 8 bits).
platform::Rgb Expected(const test::SpriteDescription& s, int v) {
  if (s.bpp == 8) return EightBitColour(v, kDefault8BitBase.data());
  const auto defaults = DefaultColourTable(s.bpp);
  return PaletteWordToRgb(size_t(v) < s.palette.size() ? s.palette[size_t(v)]
                                                        : defaults[size_t(v)]);
}

void ExpectPicture(const test::SpriteDescription& s, const RgbaPicture& p) {
  const int width = int(s.pixels[0].size());
  ASSERT_EQ(p.width, width);
  ASSERT_EQ(p.height, int(s.pixels.size()));
  for (int y = 0; y < p.height; ++y) {
    for (int x = 0; x < width; ++x) {
      const platform::Rgb c = Expected(s, s.pixels[size_t(y)][size_t(x)]);
      const uint8_t* got = &p.rgba[(size_t(y) * size_t(width) + size_t(x)) * 4];
      const bool solid = s.mask.empty() || s.mask[size_t(y)][size_t(x)];
      ASSERT_EQ(got[0], c.r) << "pixel " << x << "," << y;
      ASSERT_EQ(got[1], c.g) << "pixel " << x << "," << y;
      ASSERT_EQ(got[2], c.b) << "pixel " << x << "," << y;
      ASSERT_EQ(got[3], solid ? 255 : 0) << "pixel " << x << "," << y;
    }
  }
}

const std::vector<uint32_t> kSixteenWords = {
    0x11223300, 0x44556600, 0x77889900, 0xAABBCC00, 0xDDEEFF00, 0x01020300, 0x04050600,
    0x07080900, 0x0A0B0C00, 0x0D0E0F00, 0x10203000, 0x40506000, 0x70809000, 0xA0B0C000,
    0xD0E0F000, 0x12345600};

TEST(SpriteDecode, EveryDepthWithWastageInsideABytePartRowsAndMasks) {
  for (const int bpp : {1, 2, 4, 8}) {
    // Wastage of no pixel, one pixel, and three; widths that leave a part byte at either end.
    for (const int wastagePixels : {0, 1, 3}) {
      for (const int width : {1, 7, 13, 33}) {
        for (const bool masked : {false, true}) {
          const auto palette = bpp == 8 ? std::vector<uint32_t>{} : kSixteenWords;
          const auto s = Pattern(bpp, width, 3, wastagePixels * bpp, masked, palette);
          SCOPED_TRACE(testing::Message() << bpp << " bpp, wastage " << wastagePixels
                                          << ", width " << width << (masked ? ", masked" : ""));
          const auto picture = DecodeSpriteRgba(View(test::MakeSprite(s)));
          ASSERT_TRUE(picture);
          ExpectPicture(s, *picture);
        }
      }
    }
  }
}

TEST(SpriteDecode, PalettesTakingTurnsNeverLendEachOtherTheirColours) {
  // Many palettes, each used twice, and the same words at two depths.
  std::vector<test::SpriteDescription> sprites;
  for (uint32_t shift = 0; shift < 6; ++shift) {
    std::vector<uint32_t> palette = kSixteenWords;
    for (uint32_t& word : palette) word = (word + (shift << 8) * 0x010101) & 0xFFFFFF00;
    sprites.push_back(Pattern(4, 9, 2, 0, false, palette));
  }
  sprites.push_back(Pattern(1, 9, 2, 0, true, kSixteenWords));
  sprites.push_back(Pattern(2, 9, 2, 0, true, kSixteenWords));
  sprites.push_back(Pattern(4, 9, 2, 0, true, {0x00FF0000}));  // one entry: the rest default
  for (int round = 0; round < 2; ++round) {
    for (size_t i = 0; i < sprites.size(); ++i) {
      SCOPED_TRACE(testing::Message() << "sprite " << i << ", round " << round);
      const auto picture = DecodeSpriteRgba(View(test::MakeSprite(sprites[i])));
      ASSERT_TRUE(picture);
      ExpectPicture(sprites[i], *picture);
    }
  }
}

TEST(SpriteDecode, PreparedSpritesComeOutTheRightWayUp) {
  for (const int bpp : {1, 2, 4, 8}) {
    SCOPED_TRACE(testing::Message() << bpp << " bpp");
    const auto palette = bpp == 8 ? std::vector<uint32_t>{} : kSixteenWords;
    const auto s = Pattern(bpp, 11, 5, bpp, true, palette);
    std::vector<uint8_t> block = test::MakeSprite(s);
    const auto asLoaded = DecodeSpriteRgba(View(block));
    ASSERT_TRUE(PrepareSprite(block));
    const auto prepared = DecodeSpriteRgba(View(block), true);
    ASSERT_TRUE(asLoaded && prepared);
    ASSERT_EQ(asLoaded->rgba.size(), prepared->rgba.size());
    // Preparing clears transparent image pixels, so only solid pixels keep their colour.
    for (size_t i = 0; i < asLoaded->rgba.size(); i += 4) {
      ASSERT_EQ(prepared->rgba[i + 3], asLoaded->rgba[i + 3]) << "pixel " << i / 4;
      if (asLoaded->rgba[i + 3] == 0) continue;
      for (size_t c = 0; c < 3; ++c) ASSERT_EQ(prepared->rgba[i + c], asLoaded->rgba[i + c]);
    }
  }
}

}  // namespace
}  // namespace zd
