// What a page does as it is entered: the scripts it runs by themselves, and what its objects
// keep when a back page returns to it.
#include <gtest/gtest.h>

#include "support/page_clock.h"

namespace zd {
namespace {

bool Exists(test::PlayedTitle& t, const std::string& variable) {
  return t.runtime().script.ProbeVariable(variable).has_value();
}

TEST(PageEntryRules, OtherPlusScriptsRunUntilTheFirstUnnamedObject) {
  test::PlayedTitle t(R"({"pages": [{"name": "P", "time": 1000, "objects": [
      {"name": "+Start", "type": "text", "text": "set start%, 1\n"},
      {"name": "Named", "pixels": [0, 0, 10, 10]},
      {"name": "+Before", "type": "text", "text": "set before%, 1\n"},
      {"name": "+Timed", "type": "text", "text": "set timed%, 1\n", "flags": ["visible", "timed"], "showDelay": 500},
      {"name": "+Waiting", "type": "text", "text": "set waiting%, 1\n", "flags": ["visible", "triggered"], "trigger": "X"},
      {"name": "", "pixels": [20, 0, 30, 10]},
      {"name": "+After", "type": "text", "text": "set after%, 1\n"},
      {"name": "+Start", "type": "text", "text": "set laterStart%, 1\n"}]}],
    "sections": [{"name": "Root", "page": "P"}]})",
                      test::HandDrivenClock());
  t.Start();
  EXPECT_TRUE(Exists(t, "before%")) << "a named object does not end the scan";
  EXPECT_FALSE(Exists(t, "after%")) << "the unnamed object ends it";
  EXPECT_FALSE(Exists(t, "timed%")) << "timed scripts wait for their time";
  EXPECT_FALSE(Exists(t, "waiting%")) << "triggered scripts wait for their trigger";
  EXPECT_TRUE(Exists(t, "start%"));
  EXPECT_TRUE(Exists(t, "laterStart%")) << "every +Start script runs, wherever it stands";
  test::TickAt(t, 5000);
  EXPECT_TRUE(Exists(t, "timed%"));
}

// Home: Late shows after 1 second; Fade shows at 0.5 and goes at 1 second; a click on Show
// shows Gone; a click on Swap runs a script that shows Lit and hides Gone. Over is a back
// page laid over Home: any key returns.
const char* kReturning = R"({"pages": [
    {"name": "Home", "background": "#000000", "time": 1000, "objects": [
       {"name": "Late", "pixels": [0, 0, 50, 50], "colour": "#FF0000", "flags": ["visible", "timed"], "showDelay": 100},
       {"name": "Fade", "pixels": [60, 0, 110, 50], "colour": "#FF0000", "flags": ["visible", "timed"],
        "showDelay": 50, "hideDelay": 50},
       {"name": "Lit", "pixels": [120, 0, 170, 50], "colour": "#00FF00", "flags": ["visible", "triggered"], "trigger": "Nobody"},
       {"name": "Gone", "pixels": [180, 0, 230, 50], "colour": "#0000FF", "flags": ["visible", "triggered"], "trigger": "Show"},
       {"name": "Show", "type": "area", "pixels": [0, 400, 100, 480]},
       {"name": "+Swap", "type": "text", "text": "showhide \"Lit\", 1\nshowhide \"Gone\", 0\n",
        "flags": ["visible", "triggered"], "trigger": "Swap"},
       {"name": "Swap", "type": "area", "pixels": [100, 400, 200, 480]}]},
    {"name": "Over", "flags": ["back"], "objects": [{"name": "Note", "pixels": [300, 300, 320, 320], "colour": "#FFFFFF"}],
     "events": [{"kind": "keypress", "keys": ["anyKey"]}]}],
  "sections": [{"name": "Root", "page": "Home", "children": [{"name": "Over", "page": "Over"}]}]})";

TEST(PageEntryRules, ABackPageReturnsToObjectsAsScriptsAndTimersLeftThem) {
  test::PlayedTitle t(kReturning, test::HandDrivenClock());
  t.Start();
  test::TickAt(t, 500);
  test::TickAt(t, 1000);
  Pages& pages = t.pages();
  pages.LeftButtonUp(50, 450);   // Gone shows
  pages.LeftButtonUp(150, 450);  // Lit shows, Gone goes
  const uint8_t red = test::PaletteIndex("#FF0000"), green = test::PaletteIndex("#00FF00");
  const auto expectHomeAsLeft = [&](const char* when) {
    EXPECT_EQ(t.Pixel(25, 25), red) << "Late, " << when;
    EXPECT_EQ(t.Pixel(85, 25), 0) << "Fade, " << when;
    EXPECT_EQ(t.Pixel(145, 25), green) << "Lit, " << when;
    EXPECT_EQ(t.Pixel(205, 25), 0) << "Gone, " << when;
  };
  expectHomeAsLeft("before leaving");

  pages.GotoPageWithHistory(1);
  ASSERT_EQ(pages.CurrentPageName(), "Over");
  pages.KeyDown('A', 1);
  ASSERT_EQ(pages.CurrentPageName(), "Home");
  t.runtime().shell.window().InvalidateAll(true);
  t.Paint();
  expectHomeAsLeft("after returning");
  EXPECT_EQ(t.Pixel(310, 310), 0) << "the back page is gone";
}

}  // namespace
}  // namespace zd
