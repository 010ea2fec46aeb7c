// Pages shown, left and navigated, on titles made with zdbuild.
#include "title/pages.h"

#include <gtest/gtest.h>

#include "support/played_title.h"

namespace zd {
namespace {

bool Has(const std::string& text, const std::string& part) {
  return text.find(part) != std::string::npos;
}

// Home (full, black) with an object that hides under overlays and hotspots to B and C; B and C are overlays; Back is a back page whose
// any key returns; two special pages.
const char* kNavigation = R"({
  "pages": [
    {"name": "Home", "background": "#000000", "objects": [
       {"name": "Under", "pixels": [0, 0, 50, 50], "colour": "#FF0000", "flags": ["visible", "overlayHidden"]},
       {"name": "ToB", "type": "hotspot", "pixels": [100, 100, 200, 200]},
       {"name": "ToC", "type": "hotspot", "pixels": [150, 150, 300, 300]}],
     "events": [{"kind": "hotspot"}]},
    {"name": "B", "flags": [], "objects": [{"name": "Bbox", "pixels": [400, 0, 450, 50], "colour": "#00FF00"}]},
    {"name": "C", "flags": ["back"], "objects": [{"name": "Cbox", "pixels": [450, 0, 500, 50], "colour": "#0000FF"}]},
    {"name": "Back", "flags": ["full", "back"], "events": [{"kind": "keypress", "keys": ["anyKey"]}]},
    {"name": "?Ask", "objects": [{"name": "PC", "type": "hotspot", "pixels": [0, 0, 10, 10]}],
     "events": [{"kind": "hotspot"}]},
    {"name": "?Loop", "objects": [{"name": "PC", "type": "hotspot", "pixels": [0, 0, 10, 10]}],
     "events": [{"kind": "hotspot"}]}
  ],
  "sections": [
    {"name": "Root", "page": "Home", "children": [
      {"name": "B", "page": "B"}, {"name": "C", "page": "C"},
      {"name": "Back", "page": "Back", "children": [{"name": "Home again", "page": "Home", "flags": ["alias"]}]},
      {"name": "Ask", "page": "?Ask", "children": [{"name": "Answer", "page": "C", "flags": ["alias"]}]},
      {"name": "Loop", "page": "?Loop", "children": [{"name": "Loop again", "page": "?Loop", "flags": ["alias"]}]}
    ]}
  ]})";

TEST(Pages, AnOpenPageMovesToTheTopInsteadOfOpeningTwice) {
  test::PlayedTitle t(kNavigation);
  t.Start();
  Pages& pages = t.pages();
  EXPECT_EQ(pages.CurrentPageName(), "Home");
  pages.GotoPageWithHistory(1);
  pages.GotoPageWithHistory(2);
  EXPECT_EQ(pages.openPages(), (std::vector<uint32_t>{0, 1, 2}));
  pages.GotoPageWithHistory(1);
  EXPECT_EQ(pages.openPages(), (std::vector<uint32_t>{0, 2, 1}));
  EXPECT_EQ(pages.history(), (std::vector<uint32_t>{0, 1, 2}));
  // A full page closes every open page.
  pages.GotoPageWithHistory(3);
  EXPECT_EQ(pages.openPages(), (std::vector<uint32_t>{3}));
}

TEST(Pages, TheHistoryKeepsAHundredPagesAndABackPageReturnsToTheLast) {
  test::PlayedTitle t(kNavigation);
  t.Start();
  Pages& pages = t.pages();
  for (int i = 0; i < 101; ++i) pages.GotoPageWithHistory(i % 2 == 0 ? 1 : 2);
  ASSERT_EQ(pages.history().size(), kHistoryDepth);
  const uint32_t hundredth = pages.history().back();
  pages.GotoPageWithHistory(3);  // the back page; this push is dropped too
  EXPECT_EQ(pages.history().size(), kHistoryDepth);
  pages.KeyDown('A', 1);
  EXPECT_EQ(pages.currentPageNumber(), hundredth);
  EXPECT_EQ(pages.history().size(), kHistoryDepth - 1);
}

TEST(Pages, ABackPageWithoutHistoryFollowsItsEventAsUsual) {
  test::PlayedTitle t(kNavigation);
  t.Start();
  t.pages().GotoSection(3);
  EXPECT_EQ(t.pages().CurrentPageName(), "Back");
  t.pages().KeyDown('Q', 1);
  EXPECT_EQ(t.pages().CurrentPageName(), "Home") << "the alias child leads to the root's page";
}

TEST(Pages, SpecialPagesLeadOnThroughTheirPcHotspotAndLoopsEnd) {
  test::PlayedTitle t(kNavigation, {.messagesPath = "", .events = ""});
  t.Start();
  t.pages().GotoSection(5);  // the sections are numbered in pre-order: Ask is the sixth
  EXPECT_EQ(t.pages().CurrentPageName(), "C") << "the special page itself is never shown";
  const std::string trace = t.TraceText();
  ASSERT_TRUE(Has(trace, "page 4 ?Ask"));
  EXPECT_LT(trace.find("page 4 ?Ask"), trace.find("page 2 C"));

  test::PlayedTitle loop(kNavigation);
  loop.Start();
  loop.pages().GotoSection(7);
  EXPECT_TRUE(Has(loop.TraceText(), "message crierr22"));
  EXPECT_TRUE(Has(loop.TraceText(), "window closed")) << "the title ends";
}

TEST(Pages, ObjectsUnderAnOverlayShowOnlyBelowABackPage) {
  test::PlayedTitle t(kNavigation);
  t.Start();
  const uint8_t red = test::PaletteIndex("#FF0000");
  EXPECT_EQ(t.Pixel(10, 10), red);
  t.pages().LeftButtonUp(120, 120);  // to B: an overlay that is no back page
  t.Paint();
  EXPECT_EQ(t.Pixel(10, 10), 0) << "hidden under the overlay (the black background shows)";
  EXPECT_EQ(t.Pixel(420, 20), test::PaletteIndex("#00FF00"));

  test::PlayedTitle back(kNavigation);
  back.Start();
  back.pages().LeftButtonUp(250, 250);  // to C: an overlay that is a back page
  back.Paint();
  EXPECT_EQ(back.Pixel(10, 10), red);
  EXPECT_EQ(back.Pixel(470, 20), test::PaletteIndex("#0000FF"));
}

TEST(Pages, OverlappingHotspotsGoToTheEarlierOne) {
  test::PlayedTitle t(kNavigation);
  t.Start();
  t.pages().LeftButtonUp(175, 175);  // in both ToB and ToC
  EXPECT_EQ(t.pages().CurrentPageName(), "B");
  const HitResult miss = t.pages().HitTest(600, 400);
  EXPECT_EQ(miss.kind, HitResult::Kind::Nothing);
}

// A page without a background colour (so paints do not blacken it first) under an inverting
// wash, with a triggered drawing whose resource is missing (it shows as a cross).
const char* kObjects = R"({
  "pages": [{"name": "P", "objects": [
     {"name": "Wash", "pixels": [0, 0, 640, 480], "plot": "xor", "colour": "#FFFFFF"},
     {"name": "Mark", "pixels": [500, 400, 600, 460], "colour": "#00FF00"},
     {"name": "Pic", "type": "drawing", "resource": [9, 9], "pixels": [100, 100, 300, 200],
      "flags": ["visible", "triggered"], "trigger": "Show"},
     {"name": "Show", "type": "area", "pixels": [0, 400, 100, 480]},
     {"name": "Top", "pixels": [250, 150, 350, 250], "colour": "#0000FF"},
     {"name": "Flip", "pixels": [600, 0, 640, 40], "plot": "xor", "colour": "#FF0000"},
     {"name": "Upside", "pixels": [300, 300, 200, 200], "colour": "#FF0000"},
     {"name": "Outside", "pixels": [-50, -50, 20, 20], "colour": "#00FF00"}]}],
  "sections": [{"name": "Root", "page": "P"}]})";

TEST(Pages, ShowingTheThirdObjectRepaintsFromTheThirdOn) {
  test::PlayedTitle t(kObjects, {.events = "answer ok\n"});  // the missing drawing's message
  t.Start();
  const uint8_t washed = t.Pixel(150, 120);
  EXPECT_EQ(washed, 0 ^ 0xFF) << "the wash inverted the black page";
  t.pages().SetObjectShown(2, 1);
  // The cross's diagonals are inverted again, the rest of the box is left as it was: the wash
  // below it is not drawn a second time.
  EXPECT_EQ(t.Pixel(150, 120), washed);
  EXPECT_EQ(t.Pixel(100, 100), washed ^ 0xFF);
  EXPECT_EQ(t.Pixel(260, 160), test::PaletteIndex("#0000FF")) << "objects after it are drawn";
  // Boxes reaching past the page are cut to it; an upside-down box is empty.
  EXPECT_EQ(t.Pixel(0, 0), test::PaletteIndex("#00FF00"));
  EXPECT_EQ(t.Pixel(250, 250), washed) << "an upside-down box draws nothing";
}

TEST(Pages, AnExclusiveOrRectangleDrawnTwiceRestoresWhatWasUnder) {
  test::PlayedTitle t(kObjects, {.events = "answer ok\n"});
  t.Start();
  const uint8_t first = t.Pixel(620, 20);
  t.pages().RedrawBox({600, 0, 640, 40});
  const uint8_t second = t.Pixel(620, 20);
  EXPECT_NE(first, second);
  t.pages().RedrawBox({600, 0, 640, 40});
  EXPECT_EQ(t.Pixel(620, 20), first);
}

TEST(Pages, ClickingAnAreaTogglesItsTriggeredObjects) {
  test::PlayedTitle t(kObjects, {.events = "answer ok\n"});
  t.Start();
  Pages& pages = t.pages();
  EXPECT_TRUE(pages.Object(2)->WaitingForTrigger());
  pages.LeftButtonUp(50, 450);
  EXPECT_FALSE(pages.Object(2)->WaitingForTrigger());
  pages.LeftButtonUp(50, 450);
  EXPECT_TRUE(pages.Object(2)->WaitingForTrigger());
  // The pointer finds the last visible object under it, in title units.
  EXPECT_EQ(pages.ObjectAt(520, 420), 1);
  EXPECT_EQ(pages.ObjectName(pages.ObjectAt(270, 170)), "Top");
}

TEST(Pages, PicturesGivenBackUnderAnOverlayAndShownObjectsDrawOnlyWhatTheyShould) {
  // A picture that hides under overlays lets go of its cache slot when the back page C opens;
  // C's own picture may take that slot, and must not then appear in the first picture's place.
  const std::string pictures = test::SourceDir() + "/examples/demo/pictures/";
  test::PlayedTitle t(R"({"pages": [
      {"name": "Home", "background": "#000000", "objects": [
         {"name": "Pic", "type": "sprite", "pixels": [0, 0, 64, 64], "resource": [1, 1],
          "flags": ["visible", "overlayHidden"]},
         {"name": "ToC", "type": "hotspot", "pixels": [100, 100, 200, 200]}],
       "events": [{"kind": "hotspot"}]},
      {"name": "C", "flags": ["back"], "objects": [
         {"name": "Other", "type": "sprite", "pixels": [300, 300, 364, 364], "resource": [1, 2]}]}],
    "resources": [{"dir": 1, "number": 1, "picture": {"png": ")" + pictures + R"(sun.png", "mask": false}},
                  {"dir": 1, "number": 2, "picture": {"png": ")" + pictures + R"(badge.png", "mask": false}}],
    "sections": [{"name": "Root", "page": "Home", "children": [{"name": "C", "page": "C"}]}]})");
  t.Start();
  const uint8_t sun = t.Pixel(32, 32);
  t.pages().LeftButtonUp(150, 150);
  t.runtime().shell.window().InvalidateAll(false);
  t.Paint();
  EXPECT_EQ(t.pages().CurrentPageName(), "C");
  EXPECT_NE(t.Pixel(320, 320), 0) << "the back page's own picture is drawn";
  EXPECT_NE(sun, 0) << int(sun);
  EXPECT_EQ(t.Pixel(32, 32), 0) << "nothing is drawn from a slot given back";

  // Showing a triggered object over a page with a background colour draws it over what is
  // there: the page is not blackened under it first.
  test::PlayedTitle shown(R"({"pages": [{"name": "P", "background": "#000000", "objects": [
      {"name": "Ground", "pixels": [0, 0, 640, 480], "colour": "#00FF00"},
      {"name": "Glow", "pixels": [100, 100, 200, 200], "plot": "xor", "colour": "#FFFF00",
       "flags": ["visible", "triggered"], "trigger": "Show"},
      {"name": "Show", "type": "area", "pixels": [0, 400, 100, 480]}]}],
    "sections": [{"name": "Root", "page": "P"}]})");
  shown.Start();
  const uint8_t green = test::PaletteIndex("#00FF00");
  EXPECT_EQ(shown.Pixel(150, 150), green);
  shown.pages().LeftButtonUp(50, 450);
  EXPECT_EQ(shown.Pixel(150, 150), green ^ test::PaletteIndex("#FFFF00"));
}

TEST(Pages, HidingAnAreaHidesWhatItTriggersAndShowsNothingNew) {
  // A shows area B; B would show R. Hiding A hides B, and B going must not show R.
  test::PlayedTitle t(R"({"pages": [{"name": "P", "objects": [
      {"name": "A", "type": "area", "pixels": [0, 0, 100, 100]},
      {"name": "B", "type": "area", "pixels": [200, 0, 300, 100], "flags": ["visible", "triggered"], "trigger": "A"},
      {"name": "R", "type": "rectangle", "pixels": [400, 0, 500, 100], "colour": "#FF0000",
       "flags": ["visible", "triggered"], "trigger": "B"}]}],
    "sections": [{"name": "Root", "page": 0}]})");
  t.Start();
  Pages& pages = t.pages();
  pages.LeftButtonUp(50, 50);
  EXPECT_FALSE(pages.Object(1)->WaitingForTrigger());
  EXPECT_TRUE(pages.Object(2)->WaitingForTrigger());
  pages.LeftButtonUp(50, 50);
  EXPECT_TRUE(pages.Object(1)->WaitingForTrigger());
  EXPECT_TRUE(pages.Object(2)->WaitingForTrigger());
}

}  // namespace
}  // namespace zd
