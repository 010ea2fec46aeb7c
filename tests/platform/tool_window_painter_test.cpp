// Tool windows as headless screenshots show them (frame, caption bar, controls, caret), the
// frame keeping copies of them, and the line breaks of their edit boxes.
#include <gtest/gtest.h>

#include <sstream>

#include "platform/edit_text_wrap.h"
#include "platform/headless/headless_platform.h"
#include "platform/tool_window_painter.h"

namespace zd::platform {
namespace {

Rgb At(const RgbImage& p, int x, int y) {
  const uint8_t* d = &p.rgb[(size_t(y) * p.width + x) * 3];
  return {d[0], d[1], d[2]};
}

int CountColour(const RgbImage& p, int x0, int y0, int x1, int y1, Rgb colour) {
  int n = 0;
  for (int y = y0; y < y1; ++y) {
    for (int x = x0; x < x1; ++x) n += At(p, x, y) == colour;
  }
  return n;
}

ToolWindowView Notepad() {
  ToolWindowView v;
  v.name = "IDD_Notepad";
  v.caption = "Notepad";
  v.x = 100;
  v.y = 50;
  v.w = 200;
  v.h = 150;
  v.captionHeight = 18;
  v.active = true;
  ToolControlView edit;
  edit.id = 101;
  edit.kind = ToolControlKind::Edit;
  edit.x = 110;
  edit.y = 80;
  edit.w = 120;
  edit.h = 60;
  edit.text = "first\nsecond";
  edit.caret = 6;  // the start of the second line
  ToolControlView button;
  button.id = 105;
  button.kind = ToolControlKind::Button;
  button.x = 240;
  button.y = 80;
  button.w = 50;
  button.h = 22;
  button.text = ">";
  v.controls = {edit, button};
  return v;
}

TEST(ToolWindowPainter, DrawsTheWindowWhereItIsOverThePage) {
  // The window through the headless backend: a frame with its tool window, at a page origin.
  std::ostringstream out;
  Trace trace(&out, 0);
  auto platform = MakeHeadlessPlatform({}, trace, nullptr);
  WindowSpec window;
  window.clientWidth = 700;
  window.clientHeight = 500;
  platform->OpenWindow(window);
  std::vector<uint8_t> page(size_t(640) * 480, 1);
  PaletteRgb palette{};
  palette[1] = Rgb{0, 128, 0};
  Frame frame;
  frame.image = {page.data(), 640, 480, 640};
  frame.palette = &palette;
  frame.originX = 30;
  frame.originY = 10;
  {
    ToolWindowView view = Notepad();  // gone before the picture is taken
    frame.tools.push_back(view);
    platform->Present(frame);
    frame.tools.clear();
  }
  const auto picture = platform->WindowPicture();
  ASSERT_TRUE(picture);
  const int left = 130, top = 60;  // the window's corner in the client area
  EXPECT_EQ(At(*picture, left - 1, top + 50), (Rgb{0, 128, 0})) << "the page beside it";
  EXPECT_EQ(At(*picture, left, top + 50), (Rgb{255, 255, 255})) << "the lit left edge";
  EXPECT_EQ(At(*picture, left + 199, top + 50), (Rgb{0, 0, 0})) << "the shaded right edge";
  EXPECT_EQ(At(*picture, left + 5, top + 140), (Rgb{192, 192, 192})) << "the client area";
  // The caption bar is navy with white text on it, and the close box at its right end.
  EXPECT_EQ(At(*picture, left + 120, top + 3), (Rgb{0, 0, 128}));
  EXPECT_GT(CountColour(*picture, left + 2, top + 1, left + 80, top + 18, Rgb{255, 255, 255}), 10);
  EXPECT_EQ(At(*picture, left + 190, top + 9), (Rgb{0, 0, 0})) << "the middle of the cross";
  // The edit box is white, its text black, its caret at the start of the second line.
  EXPECT_EQ(At(*picture, 30 + 110 + 100, 10 + 80 + 50), (Rgb{255, 255, 255}));
  EXPECT_GT(CountColour(*picture, 141, 91, 200, 91 + EditLineHeight(), Rgb{0, 0, 0}), 10);
  const int caretX = 30 + 110 + 1 + kEditTextInset;
  const int caretY = 10 + 80 + 1 + EditLineHeight();
  EXPECT_EQ(At(*picture, caretX, caretY + 2), (Rgb{0, 0, 0}));
  // The button: raised grey, its text centred.
  EXPECT_EQ(At(*picture, 30 + 240, 10 + 85), (Rgb{255, 255, 255}));
  EXPECT_GT(CountColour(*picture, 30 + 255, 10 + 82, 30 + 275, 10 + 100, Rgb{0, 0, 0}), 3);

  // Inactive: the caption bar turns grey. Impossible windows are left out.
  ToolWindowView inactive = Notepad();
  inactive.active = false;
  ToolWindowView broken = Notepad();
  broken.w = -3;
  frame.tools = {inactive, broken};
  platform->Present(frame);
  const auto second = platform->WindowPicture();
  EXPECT_EQ(At(*second, left + 120, top + 3), (Rgb{128, 128, 128}));
}

TEST(ToolWindowPainter, WindowsOverTheEdgesAreCutToThePicture) {
  RgbImage picture;
  picture.width = 64;
  picture.height = 48;
  picture.rgb.assign(size_t(64) * 48 * 3, 7);
  ToolWindowPainter painter;
  for (const auto& [x, y] : {std::pair{-150, -100}, std::pair{40, 30}, std::pair{-190, 20},
                             std::pair{50, -140}, std::pair{100000, 5}}) {
    ToolWindowView v = Notepad();
    const int dx = x - v.x, dy = y - v.y;
    v.x = x;
    v.y = y;
    for (auto& c : v.controls) c.x += dx, c.y += dy;
    v.controls[0].firstLine = 99;  // past the end: no lines
    v.controls[0].caret = 1000;    // past the end: no caret
    painter.Draw({v}, 0, 0, picture);
  }
  ASSERT_EQ(picture.rgb.size(), size_t(64) * 48 * 3);
  EXPECT_EQ(At(picture, 40, 40), (Rgb{255, 255, 255})) << "the left edge of the window at (40, 30)";
}

TEST(EditTextWrap, BreaksAtFeedsAndAfterTheLastBlankThatFits) {
  std::array<int, 256> advances;
  advances.fill(10);
  // 10 pixels a character, a box of 56 (frame and insets take 6): five characters a line.
  const int box = 56;
  auto lines = WrapEditText("abc de fghij\r\n\nklmnopqrstuv", box, advances);
  ASSERT_EQ(lines.size(), 7u);
  EXPECT_EQ(lines[0], (EditLine{0, 4}));    // "abc " (the blank stays on its line)
  EXPECT_EQ(lines[1], (EditLine{4, 7}));    // "de "
  EXPECT_EQ(lines[2], (EditLine{7, 12}));   // "fghij", before the carriage return
  EXPECT_EQ(lines[3], (EditLine{14, 14}));  // the empty line
  EXPECT_EQ(lines[4], (EditLine{15, 20}));  // a word too long for a line is cut
  EXPECT_EQ(lines[5], (EditLine{20, 25}));
  EXPECT_EQ(lines[6], (EditLine{25, 27}));
  // The caret: at a soft break it is on the next line, at a feed on the line it ends.
  EXPECT_EQ(EditLineOf(lines, 4), 1u);
  EXPECT_EQ(EditLineOf(lines, 12), 2u);
  EXPECT_EQ(EditLineOf(lines, 14), 3u);
  EXPECT_EQ(EditLineOf(lines, 0), 0u);
  EXPECT_EQ(WrapEditText("", box, advances), (std::vector<EditLine>{{0, 0}}));
  EXPECT_EQ(WrapEditText("ab\n", box, advances).size(), 2u);
  // A box too narrow for anything still gives every character a line of its own.
  EXPECT_EQ(WrapEditText("abc", 0, advances).size(), 3u);
  // With the edit font itself, the lines cover the text in order.
  const std::string text = "Καλημέρα σας, this is a longer paragraph of words to wrap";
  const auto real = WrapEditText(text, 100);
  ASSERT_GT(real.size(), 1u);
  EXPECT_EQ(real.front().begin, 0u);
  EXPECT_EQ(real.back().end, text.size());
  for (size_t i = 1; i < real.size(); ++i) EXPECT_EQ(real[i].begin, real[i - 1].end);
}

}  // namespace
}  // namespace zd::platform
