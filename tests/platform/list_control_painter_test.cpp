// Child list boxes drawn into window pictures: cut to the picture wherever their boxes lie.
#include <gtest/gtest.h>

#include "platform/list_control_painter.h"

namespace zd::platform {
namespace {

TEST(ListControlPainter, DrawsListsCutToThePicture) {
  RgbImage picture;
  picture.width = 64;
  picture.height = 48;
  picture.rgb.assign(size_t(64) * 48 * 3, 7);
  ListControlView list;
  list.w = 40;
  list.h = 30;
  list.lines = {"\xc1\xe2\xe3", "two", "three"};
  list.selectedLine = 1;
  list.lineCount = 3;
  list.focused = true;
  list.scrollBarWidth = 16;
  list.thumbTop = 17;
  list.thumbHeight = 8;
  ListControlPainter painter;
  // Over each edge and corner, and far away: nothing is drawn outside the picture (the sanitiser
  // builds would stop on it) and what lies inside is the list's.
  for (const auto& [x, y] : {std::pair{-20, -10}, std::pair{40, 30}, std::pair{-39, 20},
                             std::pair{50, -29}, std::pair{1000, 1000}, std::pair{-1000, 5}}) {
    list.x = x;
    list.y = y;
    painter.Draw({list}, 0, 0, picture);
  }
  ASSERT_EQ(picture.rgb.size(), size_t(64) * 48 * 3);
  const auto at = [&](int px, int py) { return picture.rgb[(size_t(py) * 64 + px) * 3]; };
  EXPECT_EQ(at(40, 40), 0) << "the left frame of the list at (40, 30)";
  EXPECT_EQ(at(0, 35), 0) << "the right frame of the list at (-39, 20)";
  EXPECT_EQ(at(60, 0), 0) << "the bottom frame of the list at (50, -29)";
  EXPECT_EQ(at(30, 30), 7) << "untouched between the lists";

  // Boxes that are not well formed are not drawn.
  std::vector<uint8_t> before = picture.rgb;
  list.x = 0;
  list.y = 0;
  list.w = -5;
  painter.Draw({list}, 0, 0, picture);
  list.w = 40;
  list.lineHeight = 0;
  painter.Draw({list}, 0, 0, picture);
  EXPECT_EQ(picture.rgb, before);
}

}  // namespace
}  // namespace zd::platform
