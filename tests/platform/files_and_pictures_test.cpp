#include <gtest/gtest.h>

#include "base/cp1253.h"
#include "platform/atomic_file.h"
#include "platform/files.h"
#include "platform/local_time.h"
#include "platform/png_codec.h"
#include "support/test_support.h"

namespace zd::platform {
namespace {

TEST(Files, TitlePathsResolveWithoutRegardToCaseOrSeparator) {
  test::TempDir dir;
  dir.Write("Moss/RES1/res2", "two");
  dir.Write("Moss/Σελίδες/Αρχείο", "greek");
  EXPECT_EQ(ResolvePath(dir.path() + "\\MOSS\\res1\\RES2"), dir.path() + "/Moss/RES1/res2");
  EXPECT_EQ(ResolvePath(Utf8ToCp1253(dir.path() + "/moss/ΣΕΛΊΔΕΣ/αρχείο")),
            dir.path() + "/Moss/Σελίδες/Αρχείο");
  EXPECT_FALSE(ResolvePath(dir.path() + "/Moss/res1/res3"));
  EXPECT_FALSE(ResolvePath(""));
  // Writing keeps what does not exist yet as written.
  EXPECT_EQ(ResolvePathForWriting(dir.path() + "/MOSS/New/File.zds"),
            dir.path() + "/Moss/New/File.zds");
  std::string error;
  EXPECT_TRUE(WriteFileAtomic(dir.File("out.txt"), "data", error));
  EXPECT_EQ(ReadWholeFile(dir.File("out.txt")), "data");
  EXPECT_FALSE(WriteFileAtomic(dir.File("no/such/dir/out.txt"), "data", error));
  EXPECT_FALSE(error.empty());
}

TEST(Png, IndexedPicturesRoundTripAndMalformedFilesAreRefused) {
  test::TempDir dir;
  IndexedImage image;
  image.width = 3;
  image.height = 2;
  image.pixels = {0, 1, 2, 2, 1, 0};
  image.palette[1] = {10, 20, 30};
  image.palette[2] = {255, 0, 128};
  image.paletteSize = 3;
  std::string error;
  ASSERT_TRUE(WritePngIndexed(dir.File("p.png"), image, error)) << error;
  const std::string bytes = test::ReadFile(dir.File("p.png"));
  IndexedImage back;
  ASSERT_TRUE(DecodePngIndexed(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size(), back,
                               error));
  EXPECT_EQ(back.pixels, image.pixels);
  EXPECT_EQ(back.palette[2], (Rgb{255, 0, 128}));
  RgbaImage rgba;
  ASSERT_TRUE(DecodePngRgba(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size(), rgba,
                            error));
  EXPECT_EQ(rgba.rgba[4], 10);
  // Cut short, or not a PNG at all: refused, nothing read past the end.
  for (size_t cut : {size_t(0), size_t(8), size_t(40), bytes.size() / 2}) {
    EXPECT_FALSE(DecodePngIndexed(reinterpret_cast<const uint8_t*>(bytes.data()), cut, back, error))
        << cut;
  }
  const std::string text = "just text, not a picture";
  EXPECT_FALSE(DecodePngRgba(reinterpret_cast<const uint8_t*>(text.data()), text.size(), rgba,
                             error));
}

TEST(LocalTime, ClockValuesAreCheckedAndAdvance) {
  EXPECT_FALSE(ParseClock("2001-02-29T10:00:00"));  // not a leap year
  EXPECT_FALSE(ParseClock("2001-02-28 10:00:00"));
  EXPECT_FALSE(ParseClock("2001-13-01T10:00:00"));
  EXPECT_FALSE(ParseClock("2001-01-01T10:00:00Z"));
  const auto t = ParseClock("2000-12-31T23:59:30");
  ASSERT_TRUE(t);
  EXPECT_EQ(t->dayOfWeek, 0);  // a Sunday
  EXPECT_EQ(t->dayOfYear, 365);
  const LocalTime later = AddSeconds(*t, 45);
  EXPECT_EQ(later.year, 2001);
  EXPECT_EQ(later.month, 1);
  EXPECT_EQ(later.day, 1);
  EXPECT_EQ(later.second, 15);
}

}  // namespace
}  // namespace zd::platform
