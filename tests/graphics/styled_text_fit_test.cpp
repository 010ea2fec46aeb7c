// A line of styled text whose words fill the text area to the last pixel stays one line.
#include <gtest/gtest.h>

#include "graphics/text/styled_text.h"

namespace zd {
namespace {

// Every character is 10 pixels wide and 20 high; the runs drawn are kept.
class EvenWidthDevice : public TextDevice {
 public:
  struct Run {
    int y;
    std::string text;
  };
  int TextHeight(const LogicalFont&) override { return 20; }
  int TextWidth(const LogicalFont&, std::string_view text) override { return int(text.size()) * 10; }
  void DrawText(int, int y, const LogicalFont&, std::string_view text, uint32_t, bool, uint32_t,
                const Rect&) override {
    runs.push_back({y, std::string(text)});
  }
  void FillBox(const Rect&, uint32_t) override {}
  void FrameBox(const Rect&, uint32_t) override {}
  std::vector<Run> runs;
};

std::vector<EvenWidthDevice::Run> Lines(std::string_view text) {
  EvenWidthDevice device;
  TextBoxInput in;
  in.box = {0, 0, 408, 208};  // a text area 400 pixels wide: 40 characters
  in.text = text;
  in.font.height = 20;
  DrawTextBox(device, in);
  return device.runs;
}

TEST(StyledTextFit, WordsThatFillTheLineExactlyStayOnIt) {
  const std::string full = "aaaaaaaaa bbbbbbbbb ccccccccc dddddddddd";  // 40 characters
  ASSERT_EQ(full.size(), 40u);
  auto runs = Lines(full);
  ASSERT_EQ(runs.size(), 1u);
  EXPECT_EQ(runs[0].text, full);

  // One character more and the last word goes to the next line.
  runs = Lines(full + "d");
  ASSERT_EQ(runs.size(), 2u);
  EXPECT_EQ(runs[0].text, "aaaaaaaaa bbbbbbbbb ccccccccc");
  EXPECT_EQ(runs[1].text, "ddddddddddd");
  EXPECT_GT(runs[1].y, runs[0].y);

  // The same holds for the second line.
  runs = Lines("eeeeeeeeeeeeeeeeeeeeeeeeeeeeeeeeeeeeeeeeeee " + full);
  ASSERT_EQ(runs.size(), 2u);
  EXPECT_EQ(runs[1].text, full);
}

}  // namespace
}  // namespace zd
