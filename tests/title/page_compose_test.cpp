// Composing a page draws it and changes nothing; the screen's paint then does what follows a
// paint (objects marked drawn, the page displayed, its finishing event).
#include <gtest/gtest.h>

#include "graphics/canvas.h"
#include "support/played_title.h"
#include "title/pages.h"

namespace zd {
namespace {

// Second is a full page without page time whose INSTANT event leads on to Third as soon as it
// has been displayed.
const char* kInstantPage = R"({
  "pages": [
    {"name": "Home", "background": "#000000", "objects": [
       {"name": "Red", "pixels": [0, 0, 100, 100], "colour": "#FF0000"}],
     "events": [{"kind": "hotspot"}]},
    {"name": "Second", "flags": ["full"], "background": "#000000", "objects": [
       {"name": "Green", "pixels": [0, 0, 100, 100], "colour": "#00FF00"}],
     "events": [{"kind": "instant", "active": ["finished"]}]},
    {"name": "Third", "flags": ["full"], "background": "#000000", "objects": [
       {"name": "Blue", "pixels": [0, 0, 100, 100], "colour": "#0000FF"}]}
  ],
  "sections": [
    {"name": "Root", "page": "Home", "children": [
      {"name": "Second", "page": "Second", "children": [{"name": "Third", "page": "Third"}]}]}
  ]})";

TEST(PageCompose, DrawsWithoutMarkingAnythingAndThePaintThenLeadsOn) {
  test::PlayedTitle t(kInstantPage);
  t.Start();
  Pages& pages = t.pages();
  pages.GotoSection(1);
  ASSERT_EQ(pages.CurrentPageName(), "Second");
  ASSERT_FALSE(pages.displayed()) << "a full page waits for its paint";
  const auto green = pages.Object(0);
  ASSERT_TRUE(green);
  const uint32_t flagsBefore = green->flags();
  const uint8_t screenBefore = t.Pixel(50, 50);

  Canvas picture(640, 480);
  const PaintRecord record =
      pages.ComposePage(picture, {{0, 0, 640, 480}}, pages.NextPaintSettings(true));
  EXPECT_TRUE(record.painted);
  EXPECT_EQ(picture.At(50, 50), test::PaletteIndex("#00FF00"));
  EXPECT_EQ(record.drawn.size(), 1u);
  // Nothing else changed: not the object, not the page, not the screen.
  EXPECT_EQ(pages.Object(0)->flags(), flagsBefore);
  EXPECT_FALSE(pages.displayed());
  EXPECT_EQ(pages.CurrentPageName(), "Second");
  EXPECT_EQ(t.Pixel(50, 50), screenBefore);

  // The screen's paint displays the page, and its INSTANT leads on.
  t.Paint();
  EXPECT_EQ(pages.CurrentPageName(), "Third");
}

TEST(PageCompose, APageOpenedForItsPictureShowsWhatItsFirstPaintShows) {
  test::PlayedTitle t(R"({
    "pages": [{"name": "Only", "time": 500, "objects": [
       {"name": "Plain", "pixels": [0, 0, 100, 100], "colour": "#FF0000"},
       {"name": "Timed", "pixels": [100, 0, 200, 100], "colour": "#00FF00", "flags": ["visible", "timed"]},
       {"name": "Waiting", "pixels": [200, 0, 300, 100], "colour": "#0000FF",
        "flags": ["visible", "triggered"], "trigger": "Later"},
       {"name": "+Start", "type": "text", "text": "showhide \"Plain\" 0", "pixels": [0, 0, 1, 1]}]}],
    "sections": [{"name": "Root", "page": "Only"}]})");
  Runtime& runtime = t.runtime();
  ASSERT_TRUE(runtime.shell.OpenTitleForPictures(t.path()));
  ASSERT_TRUE(runtime.pages.OpenPageForPicture(0));
  Canvas picture(640, 480);
  runtime.pages.ComposePage(picture, {{0, 0, 640, 480}}, PaintSettings{});
  EXPECT_EQ(picture.At(50, 50), test::PaletteIndex("#FF0000")) << "its +Start script did not run";
  EXPECT_EQ(picture.At(150, 50), 0) << "a timed object waits for its time";
  EXPECT_EQ(picture.At(250, 50), 0) << "a triggered object waits for its trigger";
  EXPECT_FALSE(runtime.pages.OpenPageForPicture(7)) << "no such page";
}

// A text object of a page under an overlay draws its own text, not that of the overlay's object
// with the same place in its page.
TEST(PageCompose, TextUnderAnOverlayIsItsOwn) {
  test::PlayedTitle t(R"({
    "pages": [
      {"name": "Home", "flags": ["full"], "background": "#000000", "objects": [
         {"name": "Words", "type": "text", "pixels": [0, 0, 300, 60], "font": "Homerton.Medium",
          "fontSize": 12, "colour": "#000000", "background": "#FFFFFF", "textFlags": ["fill"],
          "text": "Under the overlay"}]},
      {"name": "Over", "flags": [], "objects": [
         {"name": "Patch", "pixels": [400, 400, 450, 450], "colour": "#00FF00"}]}],
    "sections": [{"name": "Root", "page": "Home", "children": [{"name": "Over", "page": "Over"}]}]})");
  t.Start();
  t.pages().GotoPageWithHistory(1);
  ASSERT_EQ(t.pages().openPages(), (std::vector<uint32_t>{0, 1}));
  PaintSettings whole;
  whole.firstErase = false;
  Canvas picture(640, 480);
  t.pages().ComposePage(picture, {{0, 0, 640, 480}}, whole);
  EXPECT_EQ(picture.At(290, 55), test::PaletteIndex("#FFFFFF")) << "the text box is filled";
  EXPECT_EQ(picture.At(420, 420), test::PaletteIndex("#00FF00"));
}

}  // namespace
}  // namespace zd
