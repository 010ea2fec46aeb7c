// Where the page lands in a window of any size: the scale of a fixed window and of full screen,
// the three scaling modes in windows of many sizes and densities, and the mapping of pointer
// positions to page pixels.
#include "platform/sdl/window_layout.h"

#include <gtest/gtest.h>

#include <cmath>

namespace zd::platform::sdl {
namespace {

TEST(WindowLayout, FixedScalesAreTheLargestWholeNumberThatFits) {
  // Windows keep a tenth of the desktop free.
  EXPECT_EQ(WindowScale(1920, 1080), 2);  // 640x480 becomes 1280x960
  EXPECT_EQ(WindowScale(1280, 1024), 1);
  EXPECT_EQ(WindowScale(3840, 2160), 4);
  EXPECT_EQ(WindowScale(1422, 1067), 1);  // just short of 2: 1422 * 0.9 < 1280
  EXPECT_EQ(WindowScale(1423, 1067), 2);
  EXPECT_EQ(WindowScale(320, 200), 1);    // never below 1, even when nothing fits
  // Full screen uses the whole screen.
  EXPECT_EQ(FullScreenScale(1920, 1080), 2);
  EXPECT_EQ(FullScreenScale(2560, 1440), 3);
  EXPECT_EQ(FullScreenScale(1279, 960), 1);
  EXPECT_EQ(FullScreenScale(600, 400), 1);
  // A simulated screen shown as a window must fit on the desktop.
  EXPECT_EQ(SimulatedScreenScale(1920, 1080, 640, 480), 2);
  EXPECT_EQ(SimulatedScreenScale(1920, 1080, 1024, 768), 1);
  EXPECT_EQ(SimulatedScreenScale(3840, 2160, 800, 600), 3);
}

struct Case {
  int outputWidth, outputHeight, menuBar;
  double density;
  Scaling scaling;
  int x, y, width, height;
};

TEST(WindowLayout, EachModeFillsTheWindowItsOwnWay) {
  const Case cases[] = {
      // A window exactly twice the page under a 40-pixel menu bar: every mode fills it.
      {1280, 1000, 40, 1, Scaling::Sharp, 0, 40, 1280, 960},
      {1280, 1000, 40, 1, Scaling::Smooth, 0, 40, 1280, 960},
      {1280, 1000, 40, 1, Scaling::Stretch, 0, 40, 1280, 960},
      // A window the user made 1000x700: sharp stays at 1 with bands, the others grow to
      // the height and keep 4:3 (933 = 700 * 4 / 3), centred across.
      {1000, 700, 0, 1, Scaling::Sharp, 180, 110, 640, 480},
      {1000, 700, 0, 1, Scaling::Smooth, 33, 0, 933, 700},
      {1000, 700, 0, 1, Scaling::Stretch, 33, 0, 933, 700},
      // A tall window: the width decides, bands above and below.
      {800, 1200, 0, 1, Scaling::Stretch, 0, 300, 800, 600},
      // High density: a 700x540 window at 1.5 is 1050x810 output pixels; sharp takes whole
      // output pixels (1 a page pixel, not 1.5), smooth fills the height.
      {1050, 810, 30, 1.5, Scaling::Sharp, 205, 180, 640, 480},
      {1050, 810, 30, 1.5, Scaling::Smooth, 5, 30, 1040, 780},
      // A 2x screen: a 1280x960 window is 2560x1920 output pixels, sharp at 4.
      {2560, 1920, 0, 2, Scaling::Sharp, 0, 0, 2560, 1920},
      // Smaller than the page: sharp keeps the corner in view at 1, the others shrink it.
      {500, 300, 20, 1, Scaling::Sharp, 0, 20, 640, 480},
      {500, 300, 20, 1, Scaling::Smooth, 63, 20, 373, 280},
  };
  for (const Case& c : cases) {
    const ClientPlacement p = PlaceClient(c.outputWidth, c.outputHeight, 640, 480, c.scaling,
                                          c.menuBar, c.density);
    SCOPED_TRACE(testing::Message() << c.outputWidth << "x" << c.outputHeight << " mode "
                                    << static_cast<int>(c.scaling));
    EXPECT_EQ(p.x, c.x);
    EXPECT_EQ(p.y, c.y);
    EXPECT_EQ(p.width, c.width);
    EXPECT_EQ(p.height, c.height);
    if (c.scaling == Scaling::Sharp) {
      EXPECT_EQ(p.width % 640, 0);  // a whole number of physical pixels a page pixel
      EXPECT_EQ(p.width / 640, p.height / 480);
    }
  }
  // A full screen whose client is the screen at its whole scale leaves a thin border.
  const ClientPlacement full = PlaceClient(1930, 1090, 962, 541, Scaling::Sharp, 0, 1);
  EXPECT_EQ(full.x, 3);
  EXPECT_EQ(full.y, 4);
  EXPECT_EQ(full.width, 1924);
  // Nothing divides by zero when a window has no room at all.
  const ClientPlacement none = PlaceClient(0, 0, 640, 480, Scaling::Smooth, 20, 1);
  EXPECT_GE(none.width, 1);
  EXPECT_GE(none.height, 1);
}

TEST(WindowLayout, EdgesOfNeighbouringPixelsMeet) {
  // Stretched to 933 pixels, columns are 1 or 2 pixels wide, never overlapping or apart.
  const ClientPlacement p = PlaceClient(1000, 700, 640, 480, Scaling::Stretch, 0, 1);
  for (int x = 0; x < 640; ++x) {
    const OutputRect r = ClientRectToOutput(p, x, 0, 1, 1);
    EXPECT_EQ(r.x + r.w, ClientRectToOutput(p, x + 1, 0, 1, 1).x);
    EXPECT_GE(r.w, 1);
    EXPECT_LE(r.w, 2);
  }
  EXPECT_EQ(ClientEdgeX(p, 0), p.x);
  EXPECT_EQ(ClientEdgeX(p, 640), p.x + p.width);
  EXPECT_EQ(ClientEdgeY(p, 480), p.y + p.height);
  // A picture larger than the client area, placed left of it, reaches past both sides.
  const OutputRect wide = ClientRectToOutput(p, -80, -60, 800, 600);
  EXPECT_LT(wide.x, p.x);
  EXPECT_GT(wide.x + wide.w, p.x + p.width);
}

TEST(WindowLayout, PointerPositionsMapToPagePixelsAndBack) {
  // Sharp at 2 under a 40-pixel bar, 2 pixels of band each side.
  ClientPlacement p = PlaceClient(1284, 1004, 640, 480, Scaling::Sharp, 40, 1);
  ASSERT_EQ(p.x, 2);
  ASSERT_EQ(p.y, 42);
  int x = 0, y = 0;
  WindowToClient(p, 3, 43, x, y);  // both screen pixels of a page pixel give that pixel
  EXPECT_EQ(x, 0);
  EXPECT_EQ(y, 0);
  WindowToClient(p, 1281, 1001, x, y);
  EXPECT_EQ(x, 639);
  EXPECT_EQ(y, 479);
  // Just outside the client area is outside, not pixel 0: the menu bar and bands are negative.
  WindowToClient(p, 1, 41, x, y);
  EXPECT_EQ(x, -1);
  EXPECT_EQ(y, -1);
  WindowToClient(p, 0, 0, x, y);
  EXPECT_EQ(y, -21);
  float wx = 0, wy = 0;
  ClientToWindow(p, 100, 50, wx, wy);
  EXPECT_FLOAT_EQ(wx, 202);
  EXPECT_FLOAT_EQ(wy, 142);
  EXPECT_FLOAT_EQ(ClientScaleInWindow(p), 2);

  // In every mode and density, the pointer lands on the page pixel drawn under it: the one
  // whose drawn edges (output pixels, rounded down) hold the output pixel under the pointer.
  const struct {
    int outputWidth, outputHeight;
    double density;
    Scaling scaling;
  } layouts[] = {{1000, 700, 1, Scaling::Smooth},  {1000, 700, 1, Scaling::Stretch},
                 {1050, 810, 1.5, Scaling::Sharp}, {1050, 810, 1.5, Scaling::Smooth},
                 {2560, 1920, 2, Scaling::Sharp},  {2000, 1600, 2, Scaling::Stretch}};
  for (const auto& l : layouts) {
    p = PlaceClient(l.outputWidth, l.outputHeight, 640, 480, l.scaling, 0, l.density);
    SCOPED_TRACE(testing::Message() << l.outputWidth << " at " << l.density);
    const int windowWidth = static_cast<int>(l.outputWidth / l.density);
    for (int w = 0; w < windowWidth; ++w) {
      const int output = static_cast<int>(std::floor((w + 0.5) * l.density));
      if (output < ClientEdgeX(p, 0) || output >= ClientEdgeX(p, 640)) continue;
      WindowToClient(p, w, 0, x, y);
      ASSERT_LE(ClientEdgeX(p, x), output) << w;
      ASSERT_GT(ClientEdgeX(p, x + 1), output) << w;
    }
  }
}

TEST(WindowLayout, ADenseScreenOpensAWindowASharpPageFills) {
  int width = 0, height = 0;
  // Density 1: the page at the window scale under its menu bar.
  DefaultWindowSize(1920, 1080, 640, 480, 20, 1, width, height);
  EXPECT_EQ(width, 1280);
  EXPECT_EQ(height, 980);
  // A 2560x1440 screen at 1.5: the page at 2 physical pixels, 1280x960 of them, which the
  // window (in its own coordinates) must hold whole, menu bar and all.
  DefaultWindowSize(2560, 1440, 640, 480, 20, 1.5, width, height);
  EXPECT_EQ(width, 854);
  EXPECT_EQ(height, 660);
  const ClientPlacement p = PlaceClient(static_cast<int>(width * 1.5), static_cast<int>(height * 1.5),
                                        640, 480, Scaling::Sharp, 30, 1.5);
  EXPECT_EQ(p.width, 1280);
  EXPECT_EQ(p.height, 960);
}

}  // namespace
}  // namespace zd::platform::sdl
