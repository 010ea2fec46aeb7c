#include <gtest/gtest.h>

#include "print/printable_area.h"

namespace zd {
namespace {

constexpr double kPtPerMm = 72.0 / 25.4;

platform::PageSetup A4(bool landscape) {
  platform::PageSetup setup;
  setup.paper = {"A4", 210, 297};
  setup.landscape = landscape;
  setup.leftMm = setup.topMm = setup.rightMm = setup.bottomMm = 10;
  return setup;
}

TEST(PrintableAreaTest, PagePictureFillsTheWidthOnPortraitAndTheHeightOnLandscape) {
  // Portrait A4: the picture spans the whole width between the margins, centred vertically.
  const auto portrait = PrintableArea(A4(false));
  ASSERT_TRUE(portrait);
  EXPECT_NEAR(portrait->x, 10 * kPtPerMm, 1e-6);
  EXPECT_NEAR(portrait->w, 190 * kPtPerMm, 1e-6);
  EXPECT_NEAR(portrait->h, 277 * kPtPerMm, 1e-6);
  const PointRect fitted = FitKeepingShape(*portrait);
  EXPECT_NEAR(fitted.x, portrait->x, 1e-6);
  EXPECT_NEAR(fitted.w, portrait->w, 1e-6);
  EXPECT_NEAR(fitted.w / fitted.h, 4.0 / 3.0, 1e-9);
  EXPECT_NEAR(fitted.y - portrait->y, portrait->y + portrait->h - (fitted.y + fitted.h), 1e-6);

  // Landscape A4 is relatively wider than 4:3: full height, centred horizontally.
  const auto landscape = PrintableArea(A4(true));
  ASSERT_TRUE(landscape);
  EXPECT_NEAR(landscape->w, 277 * kPtPerMm, 1e-6);
  const PointRect wide = FitKeepingShape(*landscape);
  EXPECT_NEAR(wide.y, landscape->y, 1e-6);
  EXPECT_NEAR(wide.h, landscape->h, 1e-6);
  EXPECT_NEAR(wide.w / wide.h, 4.0 / 3.0, 1e-9);
  EXPECT_NEAR(wide.x - landscape->x, landscape->x + landscape->w - (wide.x + wide.w), 1e-6);
}

TEST(PrintableAreaTest, PaperOrMarginsThatLeaveNothingGiveNoArea) {
  platform::PageSetup none = A4(false);
  none.paper.widthMm = 0;
  EXPECT_FALSE(PrintableArea(none));
  EXPECT_FALSE(SheetOf(none));

  platform::PageSetup wideMargins = A4(false);
  wideMargins.leftMm = 105;
  wideMargins.rightMm = 105;
  EXPECT_FALSE(PrintableArea(wideMargins));

  platform::PageSetup broken = A4(false);
  broken.topMm = std::numeric_limits<double>::quiet_NaN();
  EXPECT_FALSE(PrintableArea(broken));
  broken.topMm = -5;
  EXPECT_FALSE(PrintableArea(broken));

  // A fit into nothing stays nothing rather than dividing by zero.
  const PointRect empty = FitKeepingShape(PointRect{5, 5, 0, 0});
  EXPECT_EQ(empty.w, 0);
  EXPECT_EQ(empty.h, 0);
}

}  // namespace
}  // namespace zd
