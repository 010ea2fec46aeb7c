// Text objects on a played page: anchors that run a script object or a line, AnchorText$, and
// what the page draws for styled text.
#include <gtest/gtest.h>

#include "runtime.h"
#include "script/script_runner.h"
#include "support/played_title.h"

namespace zd {
namespace {

using test::Keys;

const char* kTitle = R"({
  "pages": [
    {"name": "Home", "objects": [
       {"name": "+Start", "type": "text", "text": "set hits%, 0\n"},
       {"name": "+Clicked", "type": "text", "text": "add hits%, hits%, 1\nset got$, AnchorText$\n"},
       {"name": "Links", "type": "text", "pixels": [0, 0, 400, 200], "font": "Homerton.Medium",
        "fontSize": 12, "colour": "#000000", "background": "#FFFFFF", "textFlags": ["fill"],
        "text": "<A QSE=\"+Clicked\">Press here</A>\n<A QSL=\"set said$, 'hello there'\">Say hello</A>\n<A QSE=+Nowhere>Broken link</A>\n<A QSH=x>Only a mark</A>\nPlain words"},
       {"name": "Hidden", "type": "text", "pixels": [0, 300, 200, 340], "font": "Homerton.Medium",
        "fontSize": 12, "text": "\u00a0<A QSL=\"set quiet%, 1\">Silent</A>"}]},
    {"name": "Second"}
  ],
  "sections": [{"name": "Root", "page": "Home", "children": [{"name": "Second", "page": "Second"}]}]})";

class TextObjects : public testing::Test {
 protected:
  TextObjects() : title_(kTitle, {.messagesPath = test::EnglishMessages()}) { title_.Start(); }
  std::optional<platform::ProbedVariable> Var(const std::string& name) {
    return title_.runtime().script.ProbeVariable(name);
  }
  Keys Click(int x, int y) {
    title_.ClearTrace();
    title_.pages().LeftButtonUp(x, y);
    return test::KeysOf(test::ReportsIn(title_.TraceText()));
  }
  test::PlayedTitle title_;
};

// Lines are about 19 pixels apart from a top of 4; the first words start at x = 4.
TEST_F(TextObjects, AnchorsRunScriptsAndRecordTheirText) {
  const double before = Var("hits%")->number;  // the script object also ran at page entry
  EXPECT_EQ(Click(10, 10), Keys{});
  EXPECT_EQ(Var("hits%")->number, before + 1);
  EXPECT_EQ(Var("got$")->text, "Press here");

  EXPECT_EQ(Click(10, 30), Keys{});
  EXPECT_EQ(Var("said$")->text, "hello there") << "single quotes became double quotes";

  // A script object that the page does not have: scerr31 under the anchor's name.
  EXPECT_EQ(Click(10, 48), Keys{"scerr31"});
  EXPECT_NE(title_.TraceText().find("<A QSE=..>"), std::string::npos);

  // QSH anchors and plain text do nothing, but an anchor still records its text.
  EXPECT_EQ(Click(10, 66), Keys{});
  EXPECT_EQ(Var("AnchorText$")->text, "Only a mark");
  EXPECT_EQ(Click(10, 85), Keys{});
  EXPECT_EQ(Click(300, 10), Keys{});
  EXPECT_EQ(Var("hits%")->number, before + 1);

  // Text beginning with a no-break space is not drawn but its anchors still answer.
  EXPECT_EQ(title_.Pixel(20, 310), title_.Pixel(300, 400));
  Click(200, 310);
  EXPECT_FALSE(Var("quiet%"));
  Click(15, 310);
  EXPECT_EQ(Var("quiet%")->number, 1);

  // A new page forgets the anchor text.
  title_.pages().GotoSection(1);
  EXPECT_EQ(Var("AnchorText$")->text, "");
}

TEST_F(TextObjects, StyledTextIsDrawnInItsColours) {
  // The box is filled white, and the words are drawn in black.
  const uint8_t white = test::PaletteIndex("#FFFFFF"), black = test::PaletteIndex("#000000");
  EXPECT_EQ(title_.Pixel(390, 190), white);
  int dark = 0;
  for (int y = 4; y < 24; ++y) {
    for (int x = 4; x < 80; ++x) dark += title_.Pixel(x, y) == black;
  }
  EXPECT_GT(dark, 20);
}

}  // namespace
}  // namespace zd
