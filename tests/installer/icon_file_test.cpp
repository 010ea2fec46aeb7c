// Icons of a title's CD turned into pictures for the desktop.
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "installer/icon_file.h"
#include "installer/sample_icons.h"
#include "platform/png_codec.h"

namespace zd::install {
namespace {

using test::BitmapIcon;
using test::IconFile;

// The RGBA of a pixel as "r,g,b,a".
std::string Pixel(const platform::RgbaImage& image, int x, int y) {
  const size_t at = (size_t(y) * image.width + x) * 4;
  return std::to_string(image.rgba[at]) + "," + std::to_string(image.rgba[at + 1]) + "," +
         std::to_string(image.rgba[at + 2]) + "," + std::to_string(image.rgba[at + 3]);
}

TEST(IconFileTest, ReadsTheLargestPictureOfEveryDepthWithItsMask) {
  std::string error;
  const auto largest = ReadLargestIcon(test::SampleIcon(), error);
  ASSERT_TRUE(largest) << error;
  ASSERT_EQ(largest->image.width, 32);
  EXPECT_EQ(Pixel(largest->image, 0, 5), "0,0,255,0") << "left half masked";
  EXPECT_EQ(Pixel(largest->image, 20, 5), "0,0,255,255");

  // 1, 4 and 8 bits through the palette; rows are stored bottom-up.
  for (int bits : {1, 4, 8}) {
    const auto file = IconFile({BitmapIcon(
        9, 3, bits, {0x000000, 0x00FF00}, [](int x, int y) { return (x == 8 && y == 0) ? 1u : 0u; },
        [](int x, int y) { return x == 0 && y == 2; })});
    const auto icon = ReadLargestIcon(file, error);
    ASSERT_TRUE(icon) << bits << ": " << error;
    EXPECT_EQ(Pixel(icon->image, 8, 0), "0,255,0,255") << bits;
    EXPECT_EQ(Pixel(icon->image, 7, 0), "0,0,0,255") << bits;
    EXPECT_EQ(Pixel(icon->image, 0, 2), "0,0,0,0") << bits;
  }
  // 32 bits: the alpha bytes decide when any is set, the mask when all are zero.
  const auto alpha = ReadLargestIcon(
      IconFile({BitmapIcon(2, 1, 32, {}, [](int x, int) { return x ? 0x80112233u : 0xFF445566u; },
                           [](int, int) { return true; })}),
      error);
  ASSERT_TRUE(alpha) << error;
  EXPECT_EQ(Pixel(alpha->image, 0, 0), "68,85,102,255");
  EXPECT_EQ(Pixel(alpha->image, 1, 0), "17,34,51,128");
  const auto noAlpha = ReadLargestIcon(
      IconFile({BitmapIcon(2, 1, 32, {}, [](int, int) { return 0x00445566u; },
                           [](int x, int) { return x == 1; })}),
      error);
  ASSERT_TRUE(noAlpha) << error;
  EXPECT_EQ(Pixel(noAlpha->image, 0, 0), "68,85,102,255");
  EXPECT_EQ(Pixel(noAlpha->image, 1, 0), "68,85,102,0");
}

TEST(IconFileTest, PassesPngPicturesThroughAndRefusesBrokenFiles) {
  platform::RgbaImage square;
  square.width = square.height = 64;
  square.rgba.assign(64 * 64 * 4, 200);
  std::string png, error;
  ASSERT_TRUE(platform::EncodePngRgba(square, png, error));
  const auto icon = ReadLargestIcon(
      IconFile({BitmapIcon(16, 16, 8, {}, [](int, int) { return 0u; }, [](int, int) { return false; }),
                {64, 64, 32, png}}),
      error);
  ASSERT_TRUE(icon) << error;
  EXPECT_EQ(icon->image.width, 64);
  EXPECT_EQ(IconAsPng(*icon, error), png) << "a stored PNG is passed through unchanged";

  const std::string good = test::SampleIcon();
  EXPECT_FALSE(ReadLargestIcon("", error));
  EXPECT_FALSE(ReadLargestIcon(good.substr(0, 20), error)) << "directory cut short";
  EXPECT_FALSE(ReadLargestIcon("\0\0\2\0\1\0" + good.substr(6), error)) << "a cursor file";
  // Pictures cut short: the larger one is cut, so the smaller one is used; cut both, none.
  const auto cut = ReadLargestIcon(good.substr(0, good.size() - 10), error);
  ASSERT_TRUE(cut);
  EXPECT_EQ(cut->image.width, 16);
  EXPECT_FALSE(ReadLargestIcon(good.substr(0, 6 + 32 + 40), error));
  // A bitmap header claiming a huge picture is refused, not allocated.
  std::string huge = good;
  const size_t second = uint8_t(good[6 + 16 + 12]) | (uint8_t(good[6 + 16 + 13]) << 8);
  huge.replace(second + 4, 4, "\xFF\xFF\xFF\x7F");
  const auto fallback = ReadLargestIcon(huge, error);
  ASSERT_TRUE(fallback);
  EXPECT_EQ(fallback->image.width, 16) << "the broken 32x32 picture is skipped";
}

TEST(IconFileTest, BoundsTheDirectoryAndFitsPicturesToTheIconTheme) {
  // A directory claiming 65535 entries, the first 64 all pointing at one picture: only those
  // are read (the rest would run past the file), and the picture is decoded once.
  const test::IconImage picture =
      BitmapIcon(16, 16, 24, {}, [](int, int) { return 0x00FF00u; }, [](int, int) { return false; });
  std::string file = IconFile(std::vector<test::IconImage>(64, test::IconImage{16, 16, 24, ""}));
  file.replace(4, 2, "\xFF\xFF");
  const uint32_t offset = uint32_t(file.size());
  for (int i = 0; i < 64; ++i) {
    const size_t entry = 6 + 16 * size_t(i);
    std::string fields;
    test::PutU32(fields, uint32_t(picture.data.size()));
    test::PutU32(fields, offset);
    file.replace(entry + 8, 8, fields);
  }
  file += picture.data;
  std::string error;
  const auto capped = ReadLargestIcon(file, error);
  ASSERT_TRUE(capped) << error;
  EXPECT_EQ(Pixel(capped->image, 3, 3), "0,255,0,255");

  // Theme sizes stay as they are; other pictures become 48 by 48, nearest pixel.
  for (int side : {16, 22, 24, 32, 48, 64, 128, 256}) {
    IconPicture square;
    square.image.width = square.image.height = side;
    square.image.rgba.assign(size_t(side) * side * 4, 90);
    int got = 0;
    const auto png = IconForTheme(square, got, error);
    ASSERT_TRUE(png) << side << error;
    EXPECT_EQ(got, side);
  }
  for (const auto& [w, h] : std::vector<std::pair<int, int>>{{20, 20}, {32, 16}, {1, 1}}) {
    IconPicture odd;
    odd.image.width = w;
    odd.image.height = h;
    odd.image.rgba.assign(size_t(w) * h * 4, 0);
    for (int y = 0; y < h; ++y) odd.image.rgba[(size_t(y) * w + w - 1) * 4] = 255;  // right column red
    int got = 0;
    const auto png = IconForTheme(odd, got, error);
    ASSERT_TRUE(png) << w << "x" << h << error;
    EXPECT_EQ(got, 48);
    platform::RgbaImage scaled;
    ASSERT_TRUE(platform::DecodePngRgba(reinterpret_cast<const uint8_t*>(png->data()), png->size(), scaled, error));
    EXPECT_EQ(scaled.width, 48);
    EXPECT_EQ(scaled.height, 48);
    EXPECT_EQ(Pixel(scaled, 47, 47).substr(0, 3), "255") << w << "x" << h;
    if (w > 1) EXPECT_EQ(Pixel(scaled, 0, 0).substr(0, 2), "0,") << w << "x" << h;
  }
}

}  // namespace
}  // namespace zd::install
