// Scripts on a played title: page entry and exit scripts, navigation, and the commands that act
// on the page's objects.
#include <gtest/gtest.h>

#include "script/script_runner.h"

namespace zd {
namespace {

using test::Keys;

bool Has(const std::string& text, const std::string& part) {
  return text.find(part) != std::string::npos;
}

const char* kTitle = R"({
  "pages": [
    {"name": "Home", "objects": [
       {"name": "+Start", "type": "text", "text": "set entered%, 1\nset order$, \"start\"\n"},
       {"name": "+Other", "type": "text", "text": "add order$, order$, \" other\"\n"},
       {"name": "+End", "type": "text", "text": "set left%, 1\n"},
       {"name": "Label", "type": "text", "pixels": [100, 100, 200, 120], "text": "old", "capacity": 10},
       {"name": "Box", "pixels": [10, 10, 60, 30], "colour": "#00FF00"},
       {"name": "Go", "type": "hotspot", "pixels": [300, 300, 350, 350]},
       {"name": "Next", "type": "hotspot", "pixels": [400, 300, 450, 350]},
       {"name": "Pop", "pixels": [0, 400, 10, 410], "flags": ["visible", "triggered"], "trigger": "Area1"},
       {"name": "Twin", "pixels": [20, 400, 30, 410], "flags": ["visible", "triggered"]},
       {"name": "Twin", "pixels": [40, 400, 50, 410], "flags": ["visible", "triggered"]},
       {"name": "Area1", "type": "area", "pixels": [500, 0, 600, 50]},
       {"name": "Plain", "pixels": [60, 400, 70, 410], "flags": ["visible", "drawn"]}],
     "events": [{"kind": "hotspot"}]},
    {"name": "Second"},
    {"name": "Third"}
  ],
  "sections": [
    {"name": "Root", "page": "Home", "children": [
      {"name": "Second", "page": "Second"}, {"name": "Third", "page": "Third"}]}
  ]})";

class PageScripts : public testing::Test {
 protected:
  PageScripts() : title_(kTitle, {.messagesPath = test::EnglishMessages()}) { title_.Start(); }

  Keys Run(std::string_view text) {
    title_.ClearTrace();
    script::ScriptSource source;
    source.name.Assign("+Test");
    source.text = text;
    title_.runtime().script.RunScript(source, 0, 1, false);
    return test::KeysOf(test::ReportsIn(title_.TraceText()));
  }
  std::optional<PageObject> Object(int i) { return title_.pages().Object(i); }
  std::optional<platform::ProbedVariable> Var(const std::string& name) {
    return title_.runtime().script.ProbeVariable(name);
  }

  test::PlayedTitle title_;
};

TEST_F(PageScripts, EntryScriptsRunFirstThenTheOthersAndEveryLineIsTraced) {
  EXPECT_EQ(Var("entered%")->number, 1);
  EXPECT_EQ(Var("order$")->text, "start other");
  EXPECT_FALSE(Var("left%"));
  title_.pages().GotoSection(1);
  EXPECT_EQ(Var("left%")->number, 1) << "the exit script ran";
  test::PlayedTitle traced(kTitle);
  traced.Start();
  EXPECT_TRUE(Has(traced.TraceText(), "script +Start 1: set entered%, 1"));
  EXPECT_TRUE(Has(traced.TraceText(), "script +Start 2: set order$, \"start\""));
  EXPECT_TRUE(Has(traced.TraceText(), "script +Other 1: add order$"));
}

TEST_F(PageScripts, NavigationIsLeftToTheNextTickAndEndsTheScript) {
  EXPECT_EQ(Run("tooverview \"SECOND\"\nset after%, 1\n"), Keys{});
  EXPECT_FALSE(Var("after%")) << "the lines after a navigation do not run";
  EXPECT_TRUE(title_.pages().SectionOrHotspotRequested());
  title_.runtime().scheduler.Tick();
  EXPECT_EQ(title_.pages().CurrentPageName(), "Second");
  EXPECT_EQ(Run("tooverview 3\ntooverview -1\ntooverview \"Nowhere\"\n"),
            (Keys{"scerr9", "scerr9", "scerr32"}));
  EXPECT_EQ(Run("set n%, 2\ntooverview n%\n"), Keys{});
  title_.runtime().scheduler.Tick();
  EXPECT_EQ(title_.pages().CurrentPageName(), "Third");
}

TEST_F(PageScripts, HotspotsAndOtherTitlesArePending) {
  EXPECT_EQ(Run("hotspottrig \"Label\"\nhotspottrig \"None\"\nhotspottrig \"Next\"\nset x%, 1\n"),
            (Keys{"scerr10", "scerr31"}));
  EXPECT_EQ(title_.pages().TakePendingHotspot(), 2u) << "the second hotspot of the page";
  EXPECT_FALSE(title_.pages().TakePendingHotspot()) << "taking a request clears it";
  EXPECT_FALSE(Var("x%"));
  EXPECT_EQ(Run("tofilepage \"!other\", \"Far\"\n"), Keys{});
  EXPECT_TRUE(title_.pages().NavigationRequested());
  EXPECT_FALSE(title_.pages().SectionOrHotspotRequested());
  const auto external = title_.pages().TakePendingExternalTitle();
  ASSERT_TRUE(external);
  EXPECT_EQ(external->titleName, "!other");
  EXPECT_EQ(external->pageName, "Far");
  EXPECT_FALSE(title_.pages().NavigationRequested());
  EXPECT_EQ(Run("tofilepage \"" + std::string(50, 'm') + "\", \"Far\"\n"
                "tofilepage \"m\", \"" + std::string(14, 'p') + "\"\n"),
            (Keys{"scerr73", "scerr73"}));
  EXPECT_FALSE(title_.pages().TakePendingExternalTitle());
}

TEST_F(PageScripts, WriteFillsTheTextFieldAndPadsItWithBlanks) {
  EXPECT_EQ(Run("write \"Label\", \"No %d\", 7\n"), Keys{});
  EXPECT_EQ(Object(3)->text(), "No 7      ");
  EXPECT_EQ(Run("write \"Label\", \"a much longer text\"\n"), Keys{});
  EXPECT_EQ(Object(3)->text(), "a much lon");
  EXPECT_EQ(Run("write \"Box\", \"x\"\nwrite \"Nobody\", \"x\"\nwrite 5, \"x\"\n"),
            (Keys{"scerr6", "scerr31", "scerr4"}));
}

TEST_F(PageScripts, ObjectBoxesMoveAndRedrawsTakeTheAdjustedBox) {
  const TitleBox before = *Object(4)->box();
  EXPECT_EQ(Run("objadj \"Box\", -2000, -2000, -2000, -2000\n"), Keys{});
  EXPECT_EQ(Object(4)->box()->x1, before.x1);
  EXPECT_EQ(Run("objadj \"Box\", -2000, -2000, 50, 20\n"), Keys{});
  const TitleBox sized = *Object(4)->box();
  EXPECT_EQ(sized.x0, before.x0);
  EXPECT_EQ(sized.y0, before.y0);
  EXPECT_EQ(sized.x1 - sized.x0, 50);
  EXPECT_EQ(sized.y1 - sized.y0, 20);
  EXPECT_EQ(Run("objadj \"Box\", 100, 200, -2000, -2000\n"), Keys{});
  EXPECT_EQ(Object(4)->box()->x0, 100);
  EXPECT_EQ(Object(4)->box()->x1, 150) << "the old size stays";
  EXPECT_EQ(Run("render \"Box\", 0, 0, 10, 10\nredraw \"\", -2000, -2000, -2000, -2000\n"), Keys{});
  EXPECT_EQ(Object(4)->box()->x0, 100) << "render leaves the object as it is";
  EXPECT_EQ(Run("redraw \"Box\", 1, 2, 3\n"), (Keys{"scerr43"}));
  // Extreme numbers move the box far off the page; nothing overflows and nothing is drawn.
  EXPECT_EQ(Run("objadj \"Box\", 2147483647, -2147483647, 2147483647, 2147483647\n"), Keys{});
  EXPECT_EQ(Run("objadj \"Box\", 100, 200, 50, 20\n"), Keys{});
  EXPECT_EQ(Object(4)->box()->x1, 150);
}

TEST_F(PageScripts, ColoursAreStoredAsPaletteWords) {
  EXPECT_EQ(Run("setattrib \"Label\", \"fg\", 255, 0, 0\n"
                "setattrib \"Label\", \"bg\", 1, 2, 3\nsetattrib \"Box\", \"fg\", 0, 0, 255\n"),
            Keys{});
  EXPECT_EQ(Object(3)->textColour(), 0x0000FF00u);
  EXPECT_EQ(Object(3)->textBackground(), 0x03020100u);
  EXPECT_EQ(Object(4)->colour(), 0xFF000000u);
  EXPECT_EQ(Run("setattrib \"Go\", \"fg\", 1, 1, 1\nsetattrib \"Box\", \"fg\", 256, 0, 0\n"
                "setattrib \"\", \"fg\", 1, 1, 1\n"),
            (Keys{"scerr55", "scerr54", "scerr31"}));
}

TEST_F(PageScripts, ShowingAndHidingTriggeredObjects) {
  Pages& pages = title_.pages();
  EXPECT_EQ(Run("showhide \"Twin\", 1\n"), Keys{});
  EXPECT_NE(Object(8)->timedState(), kTimedHidden);
  EXPECT_NE(Object(9)->timedState(), kTimedHidden) << "every object of that name";
  EXPECT_EQ(Run("showhide \"Twin\", FLIP%\n"), Keys{});
  EXPECT_EQ(Object(8)->timedState(), kTimedHidden);
  EXPECT_EQ(Run("showhide \"Box\", 1\nshowhide \"Nobody\", 1\n"), (Keys{"scerr8", "scerr31"}));
  EXPECT_EQ(Run("eventtrig \"Area1\", 1\n"), Keys{});
  EXPECT_NE(Object(7)->timedState(), kTimedHidden);
  EXPECT_EQ(Run("eventtrig \"Box\", 1\n"), (Keys{"scerr7"}));
  // objflags: a triggered object's timed state; any other object's drawn and closed bits.
  EXPECT_EQ(Run("objflags \"Pop\", 0\n"), Keys{});
  EXPECT_EQ(Object(7)->timedState(), kTimedHidden);
  EXPECT_EQ(Run("objflags \"Pop\", -1\n"), Keys{});
  EXPECT_EQ(Object(7)->timedState(), kTimedJustShown);
  Run("objflags \"Plain\", 0\n");
  EXPECT_TRUE(Object(11)->Has(object_flag::CLOSED));
  Run("objflags \"Plain\", 1\n");
  EXPECT_TRUE(Object(11)->Has(object_flag::DRAWN));
  EXPECT_FALSE(Object(11)->Has(object_flag::CLOSED));
  // A trigger name of 9 characters is refused; a good one turns a timed object triggered.
  EXPECT_EQ(Run("makeevent \"Pop\", 1, \"ninechars\", -1\nmakeevent \"Box\", 1, \"T\", -1\n"),
            (Keys{"scerr12", "scerr11"}));
  const int queued = title_.runtime().scheduler.queuedCount();
  EXPECT_EQ(Run("maketimer \"Pop\", 0, 50\n"), Keys{});
  EXPECT_EQ(title_.runtime().scheduler.queuedCount(), queued + 2)
      << "shown: hidden at once, shown again a hundredth of a second later";
  EXPECT_TRUE(Object(7)->Has(object_flag::TIMED));
  EXPECT_FALSE(Object(7)->Has(object_flag::TRIGGERED));
  EXPECT_EQ(Object(7)->hideDelay(), 50u) << "a start already passed adds to the duration";
  EXPECT_EQ(Run("makeevent \"Pop\", 0, \"Area1\", -1\n"), Keys{});
  EXPECT_TRUE(Object(7)->Has(object_flag::TRIGGERED));
  EXPECT_EQ(Object(7)->triggerName(), "Area1");
  EXPECT_EQ(pages.Object(7)->hideDelay(), kNone);
}

TEST(PageScriptsRun, AScriptThatShowsItselfAgainIsStoppedAtSixteenRunsDeep) {
  test::PlayedTitle t(R"({"pages": [{"name": "P", "objects": [
      {"name": "+Again", "type": "text", "flags": ["triggered"],
       "text": "add depth%, depth%, 1\nobjflags \"+Again\", 0\nshowhide \"+Again\", 1\n"},
      {"name": "+Start", "type": "text", "text": "set depth%, 0\nshowhide \"+Again\", 1\nset done%, 1\n"}]}],
      "sections": [{"name": "Root", "page": "P"}]})",
                      {.messagesPath = test::EnglishMessages()});
  t.Start();
  EXPECT_EQ(t.runtime().script.ProbeVariable("depth%")->number, ScriptEngine::kMaxRunDepth - 1);
  EXPECT_EQ(t.runtime().script.ProbeVariable("done%")->number, 1);
  const auto reports = test::ReportsIn(t.TraceText());
  ASSERT_EQ(test::KeysOf(reports), (Keys{"scerr74"}));
  EXPECT_NE(reports[0].text.find("The script +Again was not run"), std::string::npos);
  EXPECT_NE(reports[0].text.find("\"+Again\", Γραμμή 3:"), std::string::npos)
      << "reported at the line of the run that asked";
}

}  // namespace
}  // namespace zd
