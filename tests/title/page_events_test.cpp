// Page events, timers and the scheduler, played in virtual time with event scripts.
#include <gtest/gtest.h>

#include "platform/png_codec.h"
#include "support/played_title.h"

namespace zd {
namespace {

bool Has(const std::string& text, const std::string& part) {
  return text.find(part) != std::string::npos;
}

// The red channel of a screenshot at page pixel (x, y) (the headless screen is 640x480, so the
// page origin is 0, 0).
int RedAt(const std::string& png, int x, int y) {
  const std::string bytes = test::ReadFile(png);
  platform::RgbaImage image;
  std::string error;
  if (!platform::DecodePngRgba(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size(), image,
                               error)) {
    return -1;
  }
  return image.rgba[(size_t(y) * image.width + x) * 4];
}

// Sections: the root's page Keys, whose children are Space, Return and Other.
std::string KeysTitle(const std::string& keys) {
  return R"({"pages": [
      {"name": "Keys", "events": [{"kind": "keypress", "keys": )" + keys + R"(}]},
      {"name": "First"}, {"name": "Second"}, {"name": "Third"}],
    "sections": [{"name": "Root", "page": "Keys", "children": [
      {"name": "First", "page": "First"}, {"name": "Second", "page": "Second"},
      {"name": "Third", "page": "Third"}]}]})";
}

TEST(PageEvents, KeypressTargetsFollowTheKeyOptions) {
  // Only "any key": every key leads to the first target.
  for (const char* key : {"Space", "Return", "x"}) {
    test::PlayedTitle t(KeysTitle(R"(["anyKey"])"),
                        {.events = std::string("wait 100\nkey ") + key + "\nwait 50\nexpect page First\n"});
    EXPECT_EQ(t.Run(), 0) << key;  // 1 when an expectation failed
    EXPECT_TRUE(Has(t.TraceText(), "page 1 First")) << key << t.TraceText();
  }
  // Space and any key: Space the first target, Return (no return option) the any-key target.
  test::PlayedTitle space(KeysTitle(R"(["space", "anyKey"])"), {.events = "wait 100\nkey Space\nwait 50\n"});
  space.Run();
  EXPECT_TRUE(Has(space.TraceText(), "page 1 First"));
  test::PlayedTitle ret(KeysTitle(R"(["space", "anyKey"])"), {.events = "wait 100\nkey Return\nwait 50\n"});
  ret.Run();
  EXPECT_TRUE(Has(ret.TraceText(), "page 2 Second"));
  EXPECT_EQ(ret.runtime().script.exitCondition.str(), "");
  // All three options: Return is the second target, another key the third.
  test::PlayedTitle all(KeysTitle(R"(["space", "return", "anyKey"])"), {.events = "wait 100\nkey q\nwait 50\n"});
  all.Run();
  EXPECT_TRUE(Has(all.TraceText(), "page 3 Third"));
  EXPECT_EQ(all.runtime().script.exitCondition.str(), "anykey");
}

TEST(PageEvents, APageWithoutPageTimeFiresItsInstantEventAfterTheFirstPaint) {
  test::PlayedTitle t(R"({"pages": [
      {"name": "Now", "objects": [{"name": "Late", "pixels": [0, 0, 10, 10], "flags": ["visible", "timed"],
                                   "showDelay": 1}],
       "events": [{"kind": "instant", "active": ["finished"]}]},
      {"name": "Next"}],
    "sections": [{"name": "Root", "page": "Now", "children": [{"name": "Next", "page": "Next"}]}]})",
                      {.events = "wait 30\nexpect page Next\n"});
  EXPECT_EQ(t.Run(), 0) << t.TraceText();  // 1 when an expectation failed
}

// A page of 10 seconds whose red square appears after 2 seconds, and whose time out leads on.
const char* kTimed = R"({"pages": [
    {"name": "Timed", "background": "#000000", "time": 1000, "objects": [
       {"name": "Square", "pixels": [100, 100, 200, 200], "colour": "#FF0000",
        "flags": ["visible", "timed"], "showDelay": 200, "hideDelay": 300}],
     "events": [{"kind": "timeout", "active": ["finished"], "delay": 0}]},
    {"name": "After"}],
  "sections": [{"name": "Root", "page": "Timed", "children": [{"name": "After", "page": "After"}]}]})";

TEST(PageEvents, TimedObjectsAppearAndGoOnThePageClock) {
  test::TempDir dir;
  test::PlayedTitle t(kTimed, {.events = "wait 1900\nscreenshot " + dir.File("a.png") +
                                         "\nwait 200\nscreenshot " + dir.File("b.png") +
                                         "\nwait 3000\nscreenshot " + dir.File("c.png") +
                                         "\nwait 6000\nexpect page After\n"});
  EXPECT_EQ(t.Run(), 0) << t.TraceText();  // 1 when an expectation failed
  EXPECT_EQ(RedAt(dir.File("a.png"), 150, 150), 0);
  EXPECT_GT(RedAt(dir.File("b.png"), 150, 150), 200) << "shown after its 2 seconds";
  EXPECT_EQ(RedAt(dir.File("c.png"), 150, 150), 0) << "hidden 3 seconds later";
}

TEST(PageEvents, AModalDialogHoldsThePageClock) {
  // The popup menu is up for 5 seconds at 1 second: the square appears at 7, not 2 seconds.
  test::TempDir dir;
  test::PlayedTitle t(kTimed, {.events = "wait 1000\nrclick 600 10\nwait 5000\nmenu -\n"
                                         "wait 900\nscreenshot " + dir.File("a.png") +
                                         "\nwait 200\nscreenshot " + dir.File("b.png") + "\n"});
  t.Run();
  EXPECT_EQ(RedAt(dir.File("a.png"), 150, 150), 0) << t.TraceText();
  EXPECT_GT(RedAt(dir.File("b.png"), 150, 150), 200);
}

TEST(PageEvents, ATriggeredPictureWithAHideDelayGoesThatLongAfterTheClick) {
  // A picture whose file is missing shows as an inverting cross: white on the black page.
  test::TempDir dir;
  test::PlayedTitle t(R"({"pages": [{"name": "P", "background": "#000000", "objects": [
      {"name": "Press", "type": "area", "pixels": [0, 0, 50, 50]},
      {"name": "Flash", "type": "sprite", "resource": [9, 9], "pixels": [100, 100, 200, 200],
       "flags": ["visible", "triggered"], "trigger": "Press", "hideDelay": 15}]}],
    "sections": [{"name": "Root", "page": "P"}]})",
                      {.events = "answer ok\nwait 100\nclick 10 10\nwait 100\nscreenshot " +
                                 dir.File("a.png") + "\nwait 100\nscreenshot " + dir.File("b.png") +
                                 "\n"});
  t.Run();
  EXPECT_EQ(RedAt(dir.File("a.png"), 120, 120), 255) << t.TraceText();  // on one diagonal
  EXPECT_EQ(RedAt(dir.File("b.png"), 120, 120), 0) << "gone 0.15 seconds after the click";
}

TEST(PageEvents, The51stQueuedEventEndsTheTitle) {
  std::string objects;
  for (int i = 0; i < 51; ++i) {
    objects += std::string(i ? "," : "") + R"({"name": "T)" + std::to_string(i) +
               R"(", "flags": ["visible", "timed"], "showDelay": 500, "pixels": [0, 0, 1, 1]})";
  }
  test::PlayedTitle t(R"({"pages": [{"name": "Full", "time": 1000, "objects": [)" + objects +
                          R"(]}], "sections": [{"name": "Root", "page": "Full"}]})",
                      {.events = "wait 100\n"});
  t.Run();
  EXPECT_TRUE(Has(t.TraceText(), "message crierr15")) << t.TraceText();
  EXPECT_TRUE(Has(t.TraceText(), "window closed"));
}

TEST(PageEvents, BrokenEventTablesAndTargetsEndTheTitleOrShowThePageAgain) {
  const std::string missingTarget = R"({"pages": [
      {"name": "Lone", "objects": [{"name": "Go", "type": "hotspot", "pixels": [0, 0, 100, 100]}],
       "events": [{"kind": "hotspot"}]}],
    "sections": [{"name": "Root", "page": "Lone"}]})";
  test::PlayedTitle loud(missingTarget, {.events = "wait 50\nclick 10 10\nwait 50\n"});
  loud.Run();
  EXPECT_TRUE(Has(loud.TraceText(), "message crierr26")) << loud.TraceText();
  EXPECT_TRUE(Has(loud.TraceText(), "window closed"));
  // Without diagnostics the generic message shows and the page is shown again.
  test::PlayedTitle quiet(missingTarget, {.commandLine = "-D", .events = "wait 50\nclick 10 10\nwait 50\nexpect page Lone\n"});
  EXPECT_EQ(quiet.Run(), 0) << quiet.TraceText();  // 1 when an expectation failed
  EXPECT_TRUE(Has(quiet.TraceText(), "message crierr27"));

  test::PlayedTitle unknown(R"({"pages": [
      {"name": "Odd", "events": [{"kind": 9}, {"kind": "instant"}]}],
    "sections": [{"name": "Root", "page": "Odd"}]})",
                            {.events = "wait 50\n"});
  unknown.Run();
  EXPECT_TRUE(Has(unknown.TraceText(), "message crierr6")) << unknown.TraceText();
  EXPECT_TRUE(Has(unknown.TraceText(), "window closed"));
}

TEST(PageEvents, ThousandsOfClicksChangeNothingButThePage) {
  std::string events = "wait 50\n";
  for (int i = 0; i < 10000; ++i) events += "click " + std::to_string(i % 640) + " 10\n";
  test::PlayedTitle t(KeysTitle(R"(["anyKey"])"), {.events = events});
  EXPECT_EQ(t.Run(), 0);
  EXPECT_TRUE(Has(t.TraceText(), "page 0 Keys"));
}

}  // namespace
}  // namespace zd
