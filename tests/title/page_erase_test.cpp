// A repaint blackens the page under a bottom page with a background colour, except where the
// page's first object is a solid picture that sets those pixels itself. Whatever the picture
// leaves alone (beyond its own size, under its mask, or all of it when it is not shown) must
// still come out black, never as what the screen held before.
#include <gtest/gtest.h>

#include <memory>

#include "graphics/canvas.h"
#include "support/played_title.h"
#include "support/test_support.h"
#include "title/pages.h"

namespace zd {
namespace {

// A title whose only page has `object` first, over resource 1 made from `picture`.
std::string TitleWith(const std::string& object, const std::string& picture) {
  const std::string pictures = test::SourceDir() + "/examples/demo/pictures/";
  return R"({"pages": [{"name": "Home", "background": "#000000", "objects": [)" + object +
         R"(, {"name": "Dot", "pixels": [600, 440, 610, 450], "colour": "#FF0000"}]}],
    "resources": [{"dir": 1, "number": 1, "picture": {"png": ")" + pictures + picture + R"(}}],
    "sections": [{"name": "Root", "page": "Home"}]})";
}

// That title, started, with a sprite over `box` first.
std::unique_ptr<test::PlayedTitle> StartedWithPicture(const std::string& box, const std::string& picture) {
  auto t = std::make_unique<test::PlayedTitle>(TitleWith(
      R"({"name": "Pic", "type": "sprite", "pixels": )" + box + R"(, "resource": [1, 1]})", picture));
  t->Start();
  return t;
}

// Paints the page (or a part of it) over a screen full of another colour, as a repaint after
// the page was covered does.
void RepaintOverRubbish(test::PlayedTitle& t, const Rect& part = {0, 0, 640, 480}) {
  Canvas& screen = t.runtime().graphics.pageCanvas();
  for (int y = 0; y < 480; ++y) {
    for (int x = 0; x < 640; ++x) screen.Row(y)[x] = 0x55;
  }
  t.runtime().shell.window().InvalidatePage(part, true);
  t.Paint();
}

TEST(PageErase, ASolidPictureOverThePageLeavesNothingOfTheScreenBehind) {
  auto started = StartedWithPicture("[0, 0, 640, 480]", R"(contents.png", "mask": false)");
  test::PlayedTitle& t = *started;
  std::vector<uint8_t> first;
  for (int y = 0; y < 480; ++y) {
    for (int x = 0; x < 640; ++x) first.push_back(t.Pixel(x, y));
  }
  RepaintOverRubbish(t);
  size_t differing = 0;
  for (int y = 0; y < 480; ++y) {
    for (int x = 0; x < 640; ++x) differing += t.Pixel(x, y) != first[size_t(y) * 640 + size_t(x)];
  }
  EXPECT_EQ(differing, 0u);
}

TEST(PageErase, WhatThePictureDoesNotSetIsBlackened) {
  {
    SCOPED_TRACE("a solid picture smaller than its box");
    auto started = StartedWithPicture("[0, 0, 640, 480]", R"(sun.png", "mask": false)");
    test::PlayedTitle& t = *started;
    const uint8_t sun = t.Pixel(32, 32);
    RepaintOverRubbish(t);
    EXPECT_EQ(t.Pixel(32, 32), sun);
    EXPECT_EQ(t.Pixel(64, 32), 0);
    EXPECT_EQ(t.Pixel(300, 300), 0);
  }
  {
    SCOPED_TRACE("a masked picture: its clear corner");
    auto started = StartedWithPicture("[0, 0, 140, 120]", R"(card-map.png", "mask": true)");
    test::PlayedTitle& t = *started;
    RepaintOverRubbish(t, {0, 0, 140, 120});
    EXPECT_EQ(t.Pixel(0, 0), 0);
  }
  {
    SCOPED_TRACE("a solid picture that is not shown");
    auto started = StartedWithPicture("[0, 0, 640, 480]", R"(contents.png", "mask": false)");
    test::PlayedTitle& t = *started;
    t.pages().Object(0)->SetFlag(object_flag::VISIBLE, false);
    RepaintOverRubbish(t);
    EXPECT_EQ(t.Pixel(320, 240), 0);
  }
  {
    SCOPED_TRACE("a solid picture after another object");
    test::PlayedTitle t(R"({"pages": [{"name": "Home", "background": "#000000", "objects": [
        {"name": "Hot", "type": "hotspot", "pixels": [0, 0, 10, 10]},
        {"name": "Pic", "type": "sprite", "pixels": [0, 0, 64, 64], "resource": [1, 1]}]}],
      "resources": [{"dir": 1, "number": 1, "picture": {"png": ")" + test::SourceDir() +
                        R"(/examples/demo/pictures/sun.png", "mask": false}}],
      "sections": [{"name": "Root", "page": "Home"}]})");
    t.Start();
    RepaintOverRubbish(t);
    EXPECT_EQ(t.Pixel(300, 300), 0);
  }
}

}  // namespace
}  // namespace zd
