// The fonts keep what they measured and drew for each request, and forget it when a font file
// is added or removed: a request may then name another face.
#include <gtest/gtest.h>

#include <filesystem>

#include "platform/text_fonts.h"

namespace zd {
namespace {

TEST(FontMeasures, AreKeptUntilTheFontFilesChange) {
  const std::string file = std::string(ZD_TESTDATA_DIR) + "/fonts/fixed-6x13.fon";
  if (!std::filesystem::exists(file)) GTEST_SKIP() << "no shared test data";
  platform::FontSet probe;
  ASSERT_TRUE(probe.AddFontFile(file));
  platform::FontRequest request;
  request.face = probe.AddedFaces().at(0);
  request.height = 13;

  platform::FontSet fonts;
  const platform::CodePageMeasures before = fonts.MeasureCodePage(request);
  platform::TextBitmap lineBefore;
  fonts.Render(request, U"Wii", lineBefore);
  ASSERT_TRUE(fonts.AddFontFile(file));
  const platform::CodePageMeasures added = fonts.MeasureCodePage(request);
  EXPECT_EQ(added.advances['W'], 6);
  EXPECT_EQ(added.advances['i'], 6);
  EXPECT_EQ(added.advances, fonts.MeasureCodePage(request).advances) << "measured again alike";
  platform::TextBitmap line, again;
  ASSERT_TRUE(fonts.Render(request, U"Wii", line));
  EXPECT_EQ(line.width, 18);
  ASSERT_TRUE(fonts.Render(request, U"Wii", again));
  EXPECT_EQ(again.coverage, line.coverage);
  EXPECT_EQ(again.width, line.width);

  ASSERT_TRUE(fonts.RemoveFontFile(file));
  EXPECT_EQ(fonts.MeasureCodePage(request).advances, before.advances);
  platform::TextBitmap lineAfter;
  fonts.Render(request, U"Wii", lineAfter);
  EXPECT_EQ(lineAfter.width, lineBefore.width);
  EXPECT_EQ(lineAfter.coverage, lineBefore.coverage);
}

}  // namespace
}  // namespace zd
