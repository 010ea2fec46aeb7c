// Movie frames over the page: a true-colour picture at a page rectangle, stretched to it,
// blended by its alpha, cut to the page, in the screenshots of a headless run.
#include <gtest/gtest.h>

#include <cstdint>
#include <variant>

#include "platform/automation/event_script.h"
#include "platform/headless/headless_platform.h"
#include "platform/png_codec.h"
#include "support/test_support.h"

namespace zd::platform {
namespace {

constexpr Rgb kPage{0, 0, 200}, kBand{0, 0, 0};

struct Shot {
  RgbaImage picture;
  Rgb At(int x, int y) const {
    const uint8_t* p = &picture.rgba[(size_t(y) * picture.width + x) * 4];
    return {p[0], p[1], p[2]};
  }
};

// Presents an 8x6 page at (2, 1) in a 12x8 client area with `overlays`, and takes the picture
// a "screenshot" line of an event script takes.
Shot Screenshot(const std::vector<OverlayImage>& overlays) {
  test::TempDir dir;
  Trace trace;
  auto parsed = ParseEventScript("screenshot " + dir.File("shot.png") + "\n", "events");
  EventScriptDriver driver(std::move(std::get<EventScript>(parsed)), trace);
  auto platform = MakeHeadlessPlatform({}, trace, &driver);
  WindowSpec window;
  window.style = WindowStyle::Captioned;
  window.clientWidth = 12;
  window.clientHeight = 8;
  platform->OpenWindow(window);

  PaletteRgb palette{};
  palette[1] = kPage;
  std::vector<uint8_t> page(8 * 6, 1);
  Frame frame;
  frame.image = {page.data(), 8, 6, 8};
  frame.palette = &palette;
  frame.originX = 2;
  frame.originY = 1;
  frame.overlays = overlays;
  platform->Present(frame);
  page.assign(page.size(), 0);  // the platform keeps its own copy of what it was given

  Event event;
  platform->PollEvent(event);  // plays the screenshot line
  EXPECT_FALSE(driver.failed());
  Shot shot;
  const std::string png = test::ReadFile(dir.File("shot.png"));
  std::string error;
  EXPECT_TRUE(DecodePngRgba(reinterpret_cast<const uint8_t*>(png.data()), png.size(), shot.picture,
                            error))
      << error;
  return shot;
}

TEST(FrameOverlay, AMovieFrameShowsStretchedAtItsPageRectangleCutToThePage) {
  // A 2x2 frame: red, green / white, grey; shown twice its size at page (5, 3), so that its
  // right column and bottom row fall off the 8x6 page.
  const uint8_t rgb[] = {255, 0, 0, 0, 255, 0, 255, 255, 255, 90, 90, 90};
  OverlayImage movie;
  movie.pixels = rgb;
  movie.width = 2;
  movie.height = 2;
  movie.pitch = 6;
  movie.x = 5;
  movie.y = 3;
  movie.w = 4;
  movie.h = 4;
  const Shot shot = Screenshot({movie});
  ASSERT_EQ(shot.picture.width, 12);
  // Page pixel (x, y) is client pixel (x + 2, y + 1).
  EXPECT_EQ(shot.At(2 + 4, 1 + 3), kPage) << "left of the rectangle";
  EXPECT_EQ(shot.At(2 + 5, 1 + 3), (Rgb{255, 0, 0}));
  EXPECT_EQ(shot.At(2 + 6, 1 + 4), (Rgb{255, 0, 0})) << "each frame pixel covers 2x2";
  EXPECT_EQ(shot.At(2 + 7, 1 + 3), (Rgb{0, 255, 0}));
  EXPECT_EQ(shot.At(2 + 5, 1 + 5), (Rgb{255, 255, 255}));
  EXPECT_EQ(shot.At(2 + 7, 1 + 5), (Rgb{90, 90, 90}));
  EXPECT_EQ(shot.At(2 + 8, 1 + 3), kBand) << "cut at the page's right edge";
  EXPECT_EQ(shot.At(2 + 5, 1 + 6), kBand) << "cut at the page's bottom edge";
  EXPECT_EQ(shot.At(2 + 2, 1 + 2), kPage);
}

TEST(FrameOverlay, AlphaBlendsLaterOverlaysGoOnTopAndMalformedOnesAreNotShown) {
  // Half-transparent white over the whole page, from above its top-left corner.
  const uint8_t halfWhite[] = {255, 255, 255, 128};
  OverlayImage veil;
  veil.pixels = halfWhite;
  veil.width = veil.height = 1;
  veil.pitch = 4;
  veil.hasAlpha = true;
  veil.x = -3;
  veil.y = -3;
  veil.w = 20;
  veil.h = 20;
  // An opaque black pixel over it.
  const uint8_t black[] = {0, 0, 0};
  OverlayImage dot;
  dot.pixels = black;
  dot.width = dot.height = 1;
  dot.pitch = 3;
  dot.w = dot.h = 1;
  // Malformed: a pitch shorter than a row, no pixels, an empty rectangle, absurd positions.
  OverlayImage shortRows = dot;
  shortRows.pitch = 2;
  OverlayImage none = dot;
  none.pixels = nullptr;
  OverlayImage empty = dot;
  empty.w = 0;
  OverlayImage farAway = dot;
  farAway.x = INT32_MIN;
  const Shot shot = Screenshot({veil, dot, shortRows, none, empty, farAway});
  EXPECT_EQ(shot.At(2 + 1, 1 + 1), (Rgb{128, 128, 228})) << "half white over the page's blue";
  EXPECT_EQ(shot.At(2 + 0, 1 + 0), (Rgb{0, 0, 0})) << "the dot over the veil";
  EXPECT_EQ(shot.At(1, 0), kBand) << "the veil stays on the page, off the bands";
  EXPECT_EQ(shot.At(11, 7), kBand);
}

}  // namespace
}  // namespace zd::platform
