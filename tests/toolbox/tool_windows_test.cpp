// Presses, releases and drags over tool windows: which window and control gets them, the
// caption that moves a window (never off the page), the close box, and the keyboard focus.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "shell/tool_windows.h"
#include "support/runtime_fixture.h"

namespace zd {
namespace {

// A 100x80 window with one button (id 5) 10 pixels in and 30 down from its corner.
class FakeWindow : public ToolWindow {
 public:
  explicit FakeWindow(std::string name) : name_(std::move(name)) {}
  platform::ToolWindowView View() const override {
    platform::ToolWindowView v;
    v.name = name_;
    v.x = x;
    v.y = y;
    v.w = 100;
    v.h = 80;
    v.controls.push_back({5, platform::ToolControlKind::Button, x + 10, y + 30, 20, 20});
    return v;
  }
  void Pressed(int control, int px, int py) override {
    log.push_back("press " + std::to_string(control) + " " + std::to_string(px) + "," + std::to_string(py));
  }
  void Clicked(int control) override { log.push_back("click " + std::to_string(control)); }
  void CloseRequested() override { log.push_back("close"); }
  void KeyDown(int, int) override {}

  std::vector<std::string> log;

 private:
  std::string name_;
};

class ToolWindowsTest : public testing::Test {
 protected:
  test::RuntimeFixture fixture_;
  KeyboardFocus focus_;
  ToolWindows windows_{fixture_.runtime(), focus_};
};

TEST_F(ToolWindowsTest, PressesGoToTheTopWindowAndItsControls) {
  FakeWindow lower("lower"), upper("upper");
  lower.x = 100, lower.y = 100;
  upper.x = 150, upper.y = 120;
  windows_.Open(lower);
  windows_.Open(upper);
  EXPECT_TRUE(focus_.Has(&upper));

  // Where both lie, the upper one takes it; a press and release on its button is a click.
  EXPECT_TRUE(windows_.Press(165, 155));
  EXPECT_TRUE(windows_.Release(170, 160));
  EXPECT_EQ(upper.log, (std::vector<std::string>{"press 5 5,5", "click 5"}));
  EXPECT_TRUE(lower.log.empty());

  // A release off the control is no click; a press on the lower window raises it and gives
  // it the keys.
  upper.log.clear();
  windows_.Press(165, 155);
  windows_.Release(195, 190);
  EXPECT_EQ(upper.log, (std::vector<std::string>{"press 5 5,5"}));
  EXPECT_TRUE(windows_.Press(105, 170));
  windows_.Release(105, 170);
  EXPECT_TRUE(focus_.Has(&lower));
  std::vector<platform::ToolWindowView> views;
  windows_.AddViews(views);
  ASSERT_EQ(views.size(), 2u);
  EXPECT_EQ(views.back().name, "lower");
  EXPECT_TRUE(views.back().active);
  EXPECT_FALSE(views.front().active);

  // Off every window: the page's.
  EXPECT_FALSE(windows_.Press(10, 10));
  EXPECT_FALSE(windows_.Release(10, 10));
  EXPECT_FALSE(windows_.Drag(10, 10));
  EXPECT_FALSE(windows_.Contains(10, 10));

  // Closing the focused window gives the keys back to the page.
  windows_.Close(lower);
  EXPECT_TRUE(focus_.PageHasFocus());
  EXPECT_FALSE(windows_.IsOpen(lower));
  EXPECT_FALSE(windows_.Press(105, 170));
}

TEST_F(ToolWindowsTest, CaptionDragsStayOnThePageAndTheCloseBoxAsksToClose) {
  FakeWindow window("w");
  window.x = 200, window.y = 200;
  windows_.Open(window);
  // Grabbed 20 pixels into the caption, moved 30 right and 40 down.
  EXPECT_TRUE(windows_.Press(220, 205));
  EXPECT_TRUE(windows_.Drag(250, 245));
  EXPECT_EQ(window.x, 230);
  EXPECT_EQ(window.y, 240);
  // Pulled far off: the whole window stays on the 640x480 page.
  windows_.Drag(5000, 5000);
  EXPECT_EQ(window.x, 540);
  EXPECT_EQ(window.y, 400);
  windows_.Drag(-5000, -5000);
  EXPECT_EQ(window.x, 0);
  EXPECT_EQ(window.y, 0);
  EXPECT_TRUE(windows_.Release(0, 0));
  EXPECT_TRUE(window.log.empty());
  // After the release, moves are the page's again.
  EXPECT_FALSE(windows_.Drag(300, 300));

  // The close box: pressed and released on it asks the window to close; released elsewhere not.
  windows_.Press(95, 5);
  windows_.Release(20, 60);
  EXPECT_TRUE(window.log.empty());
  windows_.Press(95, 5);
  windows_.Release(96, 6);
  EXPECT_EQ(window.log, (std::vector<std::string>{"close"}));

  // A window closed while its press is held takes the release and nothing happens.
  windows_.Press(20, 40);
  windows_.Close(window);
  EXPECT_TRUE(windows_.Release(20, 40));
  EXPECT_EQ(window.log, (std::vector<std::string>{"close", "press 5 10,10"}));
}

}  // namespace
}  // namespace zd
