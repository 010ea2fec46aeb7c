// When timed objects, the page's own time and its ending events take effect, stepped tick by
// tick on a hand-driven clock.
#include <gtest/gtest.h>

#include "support/page_clock.h"

namespace zd {
namespace {

bool Has(const std::string& text, const std::string& part) {
  return text.find(part) != std::string::npos;
}

// A 10-second page whose red square shows after 2 seconds for 3 seconds; when its time is up
// its INSTANT event leads to After.
const char* kTimedSquare = R"({"pages": [
    {"name": "Timed", "background": "#000000", "time": 1000, "objects": [
       {"name": "Square", "pixels": [100, 100, 200, 200], "colour": "#FF0000",
        "flags": ["visible", "timed"], "showDelay": 200, "hideDelay": 300}],
     "events": [{"kind": "instant", "active": ["finished"]}]},
    {"name": "After"}],
  "sections": [{"name": "Root", "page": "Timed", "children": [{"name": "After", "page": "After"}]}]})";

TEST(PageTimingRules, ShowsHidesAndTimeOutsHappenOnTheTickTheyAreDue) {
  test::PlayedTitle t(kTimedSquare, test::HandDrivenClock());
  t.Start();
  const uint8_t red = test::PaletteIndex("#FF0000");
  test::TickAt(t, 1990);
  EXPECT_EQ(t.Pixel(150, 150), 0) << "not yet";
  test::TickAt(t, 2000);
  EXPECT_EQ(t.Pixel(150, 150), red) << "shown on the tick its show delay ends";
  test::TickAt(t, 4990);
  EXPECT_EQ(t.Pixel(150, 150), red);
  test::TickAt(t, 5000);
  EXPECT_EQ(t.Pixel(150, 150), 0) << "hidden on the tick its hide delay ends";
  test::TickAt(t, 9990);
  EXPECT_EQ(t.pages().CurrentPageName(), "Timed");
  EXPECT_FALSE(t.pages().finished());
  test::TickAt(t, 10000);
  EXPECT_EQ(t.pages().CurrentPageName(), "After") << "the page time ends on its own tick";
}

TEST(PageTimingRules, AnObjectShownByItsDelayIsOnTheScreenWhenTheTickEnds) {
  test::PlayedTitle t(kTimedSquare, test::HandDrivenClock());
  t.Start();
  test::TickAt(t, 1990);
  Runtime& r = t.runtime();
  platform::Event ignored;
  r.platform.WaitEvent(ignored, r.platform.TickCount() + 10);
  r.scheduler.Tick();  // no paint of the main loop after it
  EXPECT_EQ(t.Pixel(150, 150), test::PaletteIndex("#FF0000"));
}

TEST(PageTimingRules, AnObjectHiddenAfterThePageTimeDoesNotDelayThePagesEnd) {
  std::string title = kTimedSquare;
  const std::string hide = R"("hideDelay": 300)";
  title.replace(title.find(hide), hide.size(), R"("hideDelay": 1000)");  // due at 12 s
  test::PlayedTitle t(title, test::HandDrivenClock());
  t.Start();
  test::TickAt(t, 10000);
  EXPECT_EQ(t.pages().CurrentPageName(), "After");
}

TEST(PageTimingRules, ATimeoutRecordWaitsItsOwnDelayAfterThePageTime) {
  test::PlayedTitle t(R"({"pages": [
      {"name": "Wait", "time": 100, "events": [{"kind": "timeout", "active": ["finished"], "delay": 50}]},
      {"name": "Next"}],
    "sections": [{"name": "Root", "page": "Wait", "children": [{"name": "Next", "page": "Next"}]}]})",
                      test::HandDrivenClock());
  t.Start();
  test::TickAt(t, 1000);
  EXPECT_TRUE(t.pages().finished());
  test::TickAt(t, 1490);
  EXPECT_EQ(t.pages().CurrentPageName(), "Wait");
  test::TickAt(t, 1500);
  EXPECT_EQ(t.pages().CurrentPageName(), "Next");
}

// A page whose event table holds the records given, with two children: First and Second.
std::string EndingTitle(const std::string& events, int time) {
  return R"({"pages": [
      {"name": "Ending", "time": )" + std::to_string(time) + R"(, "events": [)" + events + R"(]},
      {"name": "First"}, {"name": "Second"}],
    "sections": [{"name": "Root", "page": "Ending", "children": [
      {"name": "First", "page": "First"}, {"name": "Second", "page": "Second"}]}]})";
}

TEST(PageTimingRules, WhenThePageEndsInstantComesBeforeFinishAndFinishBeforeTimeout) {
  // FINISH stands first in the table (its target is First), INSTANT second (Second): the
  // INSTANT event is the one that fires, whether the page time runs out...
  const std::string finishThenInstant =
      R"({"kind": "finish"}, {"kind": "instant", "active": ["finished"]})";
  test::PlayedTitle timed(EndingTitle(finishThenInstant, 100), test::HandDrivenClock());
  timed.Start();
  test::TickAt(timed, 1000);
  EXPECT_EQ(timed.pages().CurrentPageName(), "Second");
  EXPECT_FALSE(Has(timed.TraceText(), "window closed")) << "FINISH would end the title";
  // ...or the page has no time and counts as finished once painted.
  test::PlayedTitle untimed(EndingTitle(finishThenInstant, 0), test::HandDrivenClock());
  untimed.Start();
  EXPECT_EQ(untimed.pages().CurrentPageName(), "Second");
  EXPECT_FALSE(Has(untimed.TraceText(), "window closed"));

  // A page with an INSTANT record that is not active does not fall through to FINISH.
  test::PlayedTitle asleep(
      EndingTitle(R"({"kind": "instant", "active": ["running"]}, {"kind": "finish"})", 100),
      test::HandDrivenClock());
  asleep.Start();
  test::TickAt(asleep, 1000);
  EXPECT_EQ(asleep.pages().CurrentPageName(), "Ending");
  EXPECT_FALSE(Has(asleep.TraceText(), "window closed"));

  // FINISH before TIMEOUT: the title ends when the page time is up.
  test::PlayedTitle finish(
      EndingTitle(R"({"kind": "timeout", "active": ["finished"]}, {"kind": "finish"})", 100),
      test::HandDrivenClock());
  finish.Start();
  test::TickAt(finish, 990);
  EXPECT_FALSE(Has(finish.TraceText(), "window closed"));
  test::TickAt(finish, 1000);
  EXPECT_TRUE(Has(finish.TraceText(), "window closed")) << finish.TraceText();
}

TEST(PageTimingRules, ATimedObjectThatIsAlsoTriggeredWaitsForItsTrigger) {
  test::PlayedTitle t(R"({"pages": [{"name": "P", "background": "#000000", "time": 1000, "objects": [
      {"name": "Glow", "pixels": [100, 100, 200, 200], "colour": "#FF0000",
       "flags": ["visible", "timed", "triggered"], "trigger": "Show", "showDelay": 50},
      {"name": "Show", "type": "area", "pixels": [0, 400, 100, 480]}]}],
    "sections": [{"name": "Root", "page": "P"}]})",
                      test::HandDrivenClock());
  t.Start();
  test::TickAt(t, 500);
  test::TickAt(t, 2000);
  EXPECT_EQ(t.Pixel(150, 150), 0) << "its show delay does not show it";
  EXPECT_TRUE(t.pages().Object(0)->WaitingForTrigger());
  t.pages().LeftButtonUp(50, 450);
  EXPECT_FALSE(t.pages().Object(0)->WaitingForTrigger()) << "its trigger takes it out of waiting";
}

TEST(PageTimingRules, APageWithoutTimeNeverShowsItsTimedObjects) {
  test::PlayedTitle t(R"({"pages": [{"name": "Now", "background": "#000000", "objects": [
      {"name": "Late", "pixels": [0, 0, 10, 10], "colour": "#FF0000", "flags": ["visible", "timed"],
       "showDelay": 1}]}],
    "sections": [{"name": "Root", "page": "Now"}]})",
                      test::HandDrivenClock());
  t.Start();
  EXPECT_TRUE(t.pages().finished());
  EXPECT_EQ(t.runtime().scheduler.queuedCount(), 0) << "nothing was queued for it";
  test::TickAt(t, 5000);
  EXPECT_EQ(t.Pixel(5, 5), 0);
}

}  // namespace
}  // namespace zd
