// Which page events are active when, which child of the section each record leads to, and
// where a click goes when objects overlap.
#include <gtest/gtest.h>

#include "platform/events.h"
#include "support/page_clock.h"

namespace zd {
namespace {

// A 1-second page with one hotspot; its HOTSPOT record leads to Clicked, its ESCAPE record to
// Escaped; both are active as `active` says.
std::string ActivityTitle(const std::string& active) {
  return R"({"pages": [
      {"name": "Page", "time": 100, "objects": [{"name": "Go", "type": "hotspot", "pixels": [0, 0, 100, 100]}],
       "events": [{"kind": "hotspot", "active": )" + active + R"(}, {"kind": "escape", "active": )" + active + R"(}]},
      {"name": "Clicked"}, {"name": "Escaped"}],
    "sections": [{"name": "Root", "page": "Page", "children": [
      {"name": "Clicked", "page": "Clicked"}, {"name": "Escaped", "page": "Escaped"}]}]})";
}

TEST(PageEventRules, HotspotAndEscapeRecordsFollowTheirActivityFlags) {
  const std::string whileRunning = R"(["running"])", onceFinished = R"(["finished"])";
  // While the page runs.
  for (const std::string& active : {whileRunning, onceFinished}) {
    test::PlayedTitle click(ActivityTitle(active), test::HandDrivenClock());
    click.Start();
    click.pages().LeftButtonUp(50, 50);
    EXPECT_EQ(click.pages().CurrentPageName(), active == whileRunning ? "Clicked" : "Page");
    test::PlayedTitle escape(ActivityTitle(active), test::HandDrivenClock());
    escape.Start();
    escape.pages().KeyDown(platform::vk::ESCAPE, 1);
    EXPECT_EQ(escape.pages().CurrentPageName(), active == whileRunning ? "Escaped" : "Page");
  }
  // Once its time has run out.
  for (const std::string& active : {whileRunning, onceFinished}) {
    test::PlayedTitle click(ActivityTitle(active), test::HandDrivenClock());
    click.Start();
    test::TickAt(click, 1000);
    ASSERT_TRUE(click.pages().finished());
    click.pages().LeftButtonUp(50, 50);
    EXPECT_EQ(click.pages().CurrentPageName(), active == whileRunning ? "Page" : "Clicked");
    test::PlayedTitle escape(ActivityTitle(active), test::HandDrivenClock());
    escape.Start();
    test::TickAt(escape, 1000);
    escape.pages().KeyDown(platform::vk::ESCAPE, 1);
    EXPECT_EQ(escape.pages().CurrentPageName(), active == whileRunning ? "Page" : "Escaped");
  }
}

// KEYPRESS with space and return (targets 0 and 1), HOTSPOT with two hotspots (2 and 3),
// ESCAPE (4): the children are named by the target each should be.
const char* kCountedTargets = R"({"pages": [
    {"name": "Many", "objects": [
       {"name": "One", "type": "hotspot", "pixels": [0, 0, 100, 100]},
       {"name": "Box", "pixels": [150, 0, 180, 30], "colour": "#00FF00"},
       {"name": "Two", "type": "hotspot", "pixels": [200, 0, 300, 100]}],
     "events": [{"kind": "keypress", "keys": ["space", "return"]}, {"kind": "hotspot"}, {"kind": "escape"}]},
    {"name": "T0"}, {"name": "T1"}, {"name": "T2"}, {"name": "T3"}, {"name": "T4"}],
  "sections": [{"name": "Root", "page": "Many", "children": [
    {"name": "T0", "page": "T0"}, {"name": "T1", "page": "T1"}, {"name": "T2", "page": "T2"},
    {"name": "T3", "page": "T3"}, {"name": "T4", "page": "T4"}]}]})";

TEST(PageEventRules, TargetsAreCountedAcrossEveryRecordOfThePage) {
  const auto after = [](auto act) {
    test::PlayedTitle t(kCountedTargets, test::HandDrivenClock());
    t.Start();
    act(t.pages());
    return t.pages().CurrentPageName().value_or("?");
  };
  EXPECT_EQ(after([](Pages& p) { p.KeyDown(platform::vk::SPACE, 1); }), "T0");
  EXPECT_EQ(after([](Pages& p) { p.KeyDown(platform::vk::RETURN, 1); }), "T1");
  EXPECT_EQ(after([](Pages& p) { p.LeftButtonUp(50, 50); }), "T2");
  EXPECT_EQ(after([](Pages& p) { p.LeftButtonUp(250, 50); }), "T3") << "hotspots count among hotspots only";
  EXPECT_EQ(after([](Pages& p) { p.KeyDown(platform::vk::ESCAPE, 1); }), "T4");
}

TEST(PageEventRules, OnlyTheRecordsTheTableCountsAreRead) {
  std::string title = kCountedTargets;
  const std::string events = R"("events": [{"kind": "keypress")";
  title.replace(title.find(events), events.size(), R"("eventCount": 1, )" + events);
  const auto after = [&](auto act) {
    test::PlayedTitle t(title, test::HandDrivenClock());
    t.Start();
    act(t.pages());
    return t.pages().CurrentPageName().value_or("?");
  };
  EXPECT_EQ(after([](Pages& p) { p.KeyDown(platform::vk::SPACE, 1); }), "T0");
  EXPECT_EQ(after([](Pages& p) { p.LeftButtonUp(50, 50); }), "Many") << "past the count";
  EXPECT_EQ(after([](Pages& p) { p.KeyDown(platform::vk::ESCAPE, 1); }), "Many");
}

TEST(PageEventRules, APageWithoutAnEventTableHasNoEventsWhateverItsRecordHolds) {
  // Read from the page record's start as if it were an event table, the name's last word
  // would be a HOTSPOT record (kind 1), the flags its length (24) and the page time its
  // activity (1: while the page runs).
  const auto title = [](const std::string& events) {
    return R"({"pages": [
      {"name": "Page____\u0001", "flags": 24, "time": 1, "objects": [
         {"name": "Spot", "type": "hotspot", "pixels": [0, 0, 100, 100]}], "events": )" +
           events + R"(},
      {"name": "Clicked"}],
    "sections": [{"name": "Root", "page": 0, "children": [{"name": "Clicked", "page": "Clicked"}]}]})";
  };
  for (const std::string events : {"null", R"([{"kind": "hotspot"}])"}) {
    test::PlayedTitle t(title(events), test::HandDrivenClock());
    t.Start();
    t.pages().LeftButtonUp(50, 50);
    EXPECT_EQ(t.pages().CurrentPageName().value_or("?"), events == "null" ? "Page____\x01" : "Clicked")
        << events;
  }
}

// Areas: Opener shows the triggered area Late; Plain, later in page order, overlaps Late.
// Clicking Late shows Green, clicking Plain shows Red. Hotspots: Asleep waits for a trigger
// that never comes and lies over Awake. Edge is a plain rectangle.
const char* kOverlaps = R"({"pages": [
    {"name": "P", "background": "#000000", "objects": [
       {"name": "Opener", "type": "area", "pixels": [0, 400, 100, 480]},
       {"name": "Late", "type": "area", "pixels": [200, 200, 300, 300], "flags": ["visible", "triggered"], "trigger": "Opener"},
       {"name": "Plain", "type": "area", "pixels": [250, 250, 350, 350]},
       {"name": "Red", "pixels": [400, 0, 450, 50], "colour": "#FF0000", "flags": ["visible", "triggered"], "trigger": "Plain"},
       {"name": "Green", "pixels": [500, 0, 550, 50], "colour": "#00FF00", "flags": ["visible", "triggered"], "trigger": "Late"},
       {"name": "Asleep", "type": "hotspot", "pixels": [0, 0, 100, 100], "flags": ["visible", "triggered"], "trigger": "Nobody"},
       {"name": "Awake", "type": "hotspot", "pixels": [50, 50, 150, 150]},
       {"name": "Edge", "pixels": [600, 400, 620, 420], "colour": "#0000FF"}],
     "events": [{"kind": "hotspot"}]},
    {"name": "ByAsleep"}, {"name": "ByAwake"}],
  "sections": [{"name": "Root", "page": "P", "children": [
    {"name": "ByAsleep", "page": "ByAsleep"}, {"name": "ByAwake", "page": "ByAwake"}]}]})";

TEST(PageEventRules, ClicksGoWhereTheHitTestOrderSays) {
  test::PlayedTitle t(kOverlaps, test::HandDrivenClock());
  t.Start();
  Pages& pages = t.pages();
  const uint8_t red = test::PaletteIndex("#FF0000"), green = test::PaletteIndex("#00FF00");
  // While Late waits for its trigger the plain area takes the click.
  pages.LeftButtonUp(275, 275);
  EXPECT_EQ(t.Pixel(420, 20), red);
  pages.LeftButtonUp(275, 275);
  t.Paint();  // what a click hides goes with the next paint
  EXPECT_EQ(t.Pixel(420, 20), 0) << "a second click hides again";
  // Once shown, the triggered area comes first, though Plain is later in page order.
  pages.LeftButtonUp(50, 450);
  pages.LeftButtonUp(275, 275);
  EXPECT_EQ(t.Pixel(520, 20), green);
  EXPECT_EQ(t.Pixel(420, 20), 0);
  pages.LeftButtonUp(340, 340);  // Plain alone
  EXPECT_EQ(t.Pixel(420, 20), red);

  // Hotspots: right and bottom edges are outside.
  EXPECT_EQ(pages.HitTest(149, 149).kind, HitResult::Kind::Hotspot);
  EXPECT_EQ(pages.HitTest(150, 149).kind, HitResult::Kind::Nothing);
  EXPECT_EQ(pages.HitTest(149, 150).kind, HitResult::Kind::Nothing);
  EXPECT_EQ(pages.HitTest(610, 410).kind, HitResult::Kind::Nothing) << "a rectangle takes no click";

  // The object under the pointer includes all four edges of its box.
  const int edge = 7;
  for (const auto& [x, y] : {std::pair{600, 400}, {620, 400}, {600, 420}, {620, 420}, {610, 410}}) {
    EXPECT_EQ(pages.ObjectAt(x, y), edge) << x << "," << y;
  }
  EXPECT_EQ(pages.ObjectAt(621, 410), -1);
  EXPECT_EQ(pages.ObjectAt(610, 421), -1);
  EXPECT_EQ(pages.ObjectAt(599, 399), -1);

  // A hotspot still waiting for its trigger takes no click: the one under it does, and keeps
  // its own number among the page's hotspots (the second).
  const HitResult hit = pages.HitTest(75, 75);
  EXPECT_EQ(hit.kind, HitResult::Kind::Hotspot);
  EXPECT_EQ(hit.number, 2u);
  pages.LeftButtonUp(75, 75);
  EXPECT_EQ(pages.CurrentPageName(), "ByAwake");
}

TEST(PageEventRules, AKeywordHotspotIsKnownByItsPlaceAmongKeywordHotspots) {
  test::PlayedTitle t(R"({"pages": [{"name": "P", "objects": [
      {"name": "Box", "pixels": [0, 100, 50, 150], "colour": "#FF0000"},
      {"name": "Other", "pixels": [200, 100, 250, 150], "colour": "#00FF00"},
      {"name": "K1", "type": "keywordHotspot", "pixels": [0, 0, 50, 50], "keyword": 1},
      {"name": "K2", "type": "keywordHotspot", "pixels": [100, 0, 150, 50], "keyword": 2}]}],
    "sections": [{"name": "Root", "page": "P"}]})",
                      test::HandDrivenClock());
  t.Start();
  const HitResult first = t.pages().HitTest(20, 20), second = t.pages().HitTest(120, 20);
  EXPECT_EQ(first.kind, HitResult::Kind::KeywordHotspot);
  EXPECT_EQ(first.number, 1u);
  EXPECT_EQ(second.kind, HitResult::Kind::KeywordHotspot);
  EXPECT_EQ(second.number, 2u);
}

}  // namespace
}  // namespace zd
