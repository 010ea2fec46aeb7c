// Pictures compared pixel for pixel with the golden copies in tests/golden/. Run `make golden`
// to write them anew after a deliberate change, and look at every picture it changed.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "platform/png_codec.h"
#include "platform/text_fonts.h"
#include "support/test_support.h"
#include "support/title_builder.h"

namespace zd {
namespace {

platform::RgbaImage Decode(const std::string& bytes) {
  platform::RgbaImage image;
  std::string error;
  platform::DecodePngRgba(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size(), image,
                          error);
  return image;
}

// Runs the event script and compares the screenshot it writes with the golden picture `name`.
void ExpectGolden(const std::string& name, const std::string& events,
                  const std::vector<std::string>& extraArgs = {}) {
  test::TempDir dir;
  const std::string shot = dir.File("shot.png");
  std::vector<std::string> args = {"--headless", "--events",
                                   dir.Write("events", events + "screenshot " + shot + "\n")};
  args.insert(args.end(), extraArgs.begin(), extraArgs.end());
  const auto run = test::RunPlayer(args);
  ASSERT_EQ(run.status, 0) << run.err;
  const std::string golden = test::SourceDir() + "/tests/golden/" + name;
  if (std::getenv("ZD_UPDATE_GOLDEN")) {
    std::filesystem::copy_file(shot, golden, std::filesystem::copy_options::overwrite_existing);
    GTEST_SKIP() << "wrote " << golden;
  }
  const auto expected = Decode(test::ReadFile(golden));
  const auto actual = Decode(test::ReadFile(shot));
  ASSERT_GT(expected.width, 0) << "no golden picture " << golden << " (make golden)";
  ASSERT_EQ(actual.width, expected.width);
  ASSERT_EQ(actual.height, expected.height);
  size_t differing = 0;
  for (size_t i = 0; i < actual.rgba.size(); i += 4) {
    differing += actual.rgba[i] != expected.rgba[i] || actual.rgba[i + 1] != expected.rgba[i + 1] ||
                 actual.rgba[i + 2] != expected.rgba[i + 2];
  }
  EXPECT_EQ(differing, 0u) << name << ": pixels differ from the golden picture";
}

TEST(Golden, Splash) { ExpectGolden("splash.png", "wait 20\n"); }

// A full page with rectangles in the four plot actions (one crossing the page's edges, one with
// its corners the wrong way round), a masked picture twice (drawn at the corner of a wider box),
// a picture whose resource is missing, and an overlay back page opened over it by a hotspot.
const char* kPlottedPage = R"({
  "pages": [
    {"name": "Home", "flags": ["full"], "background": "#203048", "objects": [
       {"name": "Edge", "pixels": [560, -40, 700, 80], "plot": "copy", "colour": "#C04040"},
       {"name": "Inverted", "pixels": [300, 300, 200, 200], "plot": "copy", "colour": "#FFFFFF"},
       {"name": "Or", "pixels": [40, 300, 240, 420], "plot": "or", "colour": "#0000FF"},
       {"name": "And", "pixels": [140, 340, 340, 460], "plot": "and", "colour": "#00FF00"},
       {"name": "Xor", "pixels": [60, 200, 300, 320], "plot": "xor", "colour": "#FFFF00"},
       {"name": "Ball", "type": "sprite", "pixels": [80, 60, 112, 92], "resource": [1, 1]},
       {"name": "Corner", "type": "sprite", "pixels": [360, 40, 520, 120], "resource": [1, 1]},
       {"name": "Lost", "type": "sprite", "pixels": [560, 200, 620, 260], "resource": [1, 7]},
       {"name": "Under", "pixels": [0, 440, 60, 480], "colour": "#FF00FF",
        "flags": ["visible", "overlayHidden"]},
       {"name": "ToOver", "type": "hotspot", "pixels": [0, 0, 40, 40]}],
     "events": [{"kind": "hotspot"}]},
    {"name": "Over", "flags": ["back"], "objects": [
       {"name": "Panel", "pixels": [200, 150, 440, 330], "plot": "copy", "colour": "#E0E0D0"},
       {"name": "Ball", "type": "sprite", "pixels": [304, 224, 336, 256], "resource": [1, 1]}]}
  ],
  "resources": [{"dir": 1, "number": 1, "picture": {"png": "ball.png"}}],
  "sections": [{"name": "Home", "page": "Home", "children": [{"name": "Over", "page": "Over"}]}]
})";

// A 32 x 32 ball shaded from orange to red, transparent around it.
void WriteBall(const std::string& path) {
  platform::RgbaImage ball;
  ball.width = ball.height = 32;
  ball.rgba.assign(32 * 32 * 4, 0);
  for (int y = 0; y < 32; ++y) {
    for (int x = 0; x < 32; ++x) {
      const int dx = x - 16, dy = y - 16;
      if (dx * dx + dy * dy > 15 * 15) continue;
      uint8_t* p = &ball.rgba[size_t(y * 32 + x) * 4];
      p[0] = 255;
      p[1] = uint8_t(200 - 6 * y);
      p[2] = 32;
      p[3] = 255;
    }
  }
  std::string error;
  ASSERT_TRUE(platform::WritePngRgba(path, ball, error)) << error;
}

TEST(Golden, PlotActionsPicturesAndAnOverlayBackPage) {
  test::TempDir dir;
  WriteBall(dir.File("ball.png"));
  const std::string description = dir.Write("title.json", kPlottedPage);
  const auto built = test::RunTool("zdbuild", {description, dir.File("title")});
  ASSERT_EQ(built.status, 0) << built.err;
  ExpectGolden("page.png", "answer ok\nwait 100\n", {dir.File("title")});
  ExpectGolden("overlay.png", "answer ok\nwait 100\nclick 20 20\nwait 100\n", {dir.File("title")});
}

// A full page of drawings made by zdbuild: one fitted into a wide box (centred across it), the
// same into a tall one, one hidden by its flag, and one whose resource is missing (a cross).
const char* kDrawingPage = R"({
  "pages": [
    {"name": "Home", "flags": ["full"], "background": "#F0F0E0", "objects": [
       {"name": "Wide", "type": "drawing", "pixels": [20, 20, 620, 220], "resource": [1, 1]},
       {"name": "Tall", "type": "drawing", "pixels": [40, 240, 200, 460], "resource": [1, 1]},
       {"name": "Hidden", "type": "drawing", "pixels": [220, 240, 400, 460], "resource": [1, 1],
        "flags": ["visible", "notDrawn"]},
       {"name": "Lost", "type": "drawing", "pixels": [440, 260, 600, 440], "resource": [1, 9]}]}
  ],
  "resources": [{"dir": 1, "number": 1, "drawing": {"box": [0, 0, 4000, 3000], "objects": [
    {"path": [["move", 0, 0], ["line", 4000, 0], ["line", 4000, 3000], ["line", 0, 3000], ["close"]],
     "fill": "#FFFFFF", "outline": "#000000", "width": 20},
    {"path": [["move", 2000, 2800], ["line", 2600, 1000], ["line", 1000, 2100], ["line", 3000, 2100],
              ["line", 1400, 1000], ["close"]],
     "fill": "#20C020", "outline": "#1090E0", "width": 60, "evenOdd": true},
    {"group": "arch", "objects": [
      {"path": [["move", 300, 300], ["curve", 300, 1500, 1500, 1500, 1500, 300]],
       "outline": "#000000", "width": 80, "endCap": "triangle", "capWidth": 32}]},
    {"path": [["move", 2500, 300], ["line", 3700, 300], ["line", 3700, 900]],
     "outline": "#C02020", "dash": [50, 50]},
    {"tagged": 1, "objects": [
      {"path": [["move", 0, 0], ["line", 4000, 3000], ["line", 0, 3000], ["close"]], "fill": "#FF00FF"}]}
  ]}}],
  "sections": [{"name": "Home", "page": "Home"}]
})";

TEST(Golden, DrawingsOnAPage) {
  test::TempDir dir;
  const std::string description = dir.Write("title.json", kDrawingPage);
  const auto built = test::RunTool("zdbuild", {description, dir.File("title")});
  ASSERT_EQ(built.status, 0) << built.err;
  ExpectGolden("drawings-page.png", "answer ok\nwait 100\n", {dir.File("title")});
}

// A page of styled text: headings, weights, slants, colours, an anchor in the link colours,
// alignment, leading, frames and fills, vertical centring, indent, and a styled-text resource.
// Closing an anchor leaves the text black, so the story's box is not filled: its words after the
// anchor would be black on black.
const char* kStyledTextPage = R"({
  "pages": [
    {"name": "Home", "flags": ["full"], "objects": [
       {"name": "Paper", "pixels": [0, 0, 640, 480], "colour": "#F0F0E0"},
       {"name": "Story", "type": "text", "pixels": [20, 20, 400, 270], "font": "Homerton.Medium",
        "fontSize": 12, "colour": "#000000", "background": "#FFFFFF", "textFlags": ["frame"],
        "linkColour": "#0000FF", "linkBackground": "#FFFF80",
        "text": "<H1 ALIGN=CENTER>Η λίμνη</H1>Στη λίμνη ζουν <B>πάπιες</B>, <I>βάτραχοι</I> και <U>ψάρια</U>. <FONT COLOR=RED BKCOLOR=#E0FFE0>Κόκκινα λόγια</FONT> και <A QSE=\"+Go\">ένας σύνδεσμος</A> μέσα στο κείμενο, που τυλίγεται στις λέξεις.<P ALIGN=RIGHT>Δεξιά στοιχισμένο.</P><LEADING PC=150>Με μεγαλύτερο διάστιχο\nσε δύο γραμμές.</LEADING><H3>Trinity-free heading</H3><STRIKE>gone</STRIKE> <STRONG>strong</STRONG> <EM>em</EM>"},
       {"name": "Middle", "type": "text", "pixels": [420, 20, 620, 160], "font": "Trinity.Medium",
        "fontSize": 14, "colour": "#FFFFFF", "background": "#304080",
        "textFlags": ["fill", "middle", "centre"], "text": "<B>Στο κέντρο</B>\nκαι κάθετα"},
       {"name": "Indented", "type": "text", "pixels": [420, 180, 620, 300], "font": "Corpus.Medium",
        "fontSize": 10, "colour": "#802000", "background": "none", "textFlags": ["indent", "right"],
        "text": "Corpus right\nwith indent<BR>and a break"},
       {"name": "Resource", "type": "styledTextResource", "pixels": [20, 290, 620, 470],
        "font": "Homerton.Bold", "fontSize": 12, "colour": "#006000", "background": "#FFFFFF",
        "textFlags": ["fill"], "resource": [3, 1]},
       {"name": "Hidden", "type": "text", "pixels": [420, 300, 620, 320], "font": "Homerton",
        "fontSize": 12, "text": "\u00a0not drawn"},
       {"name": "Link", "type": "text", "pixels": [420, 230, 620, 270], "font": "Homerton.Medium",
        "fontSize": 12, "colour": "#000000", "background": "#FFFFFF", "textFlags": ["fill", "centre"],
        "linkColour": "inherit", "linkBackground": "#FFC0C0", "text": "<A QSL=\"set a%, 1\">μόνο σύνδεσμος</A>"}]}
  ],
  "resources": [{"dir": 3, "number": 1, "text": "A resource of <font color=#0000FF>styled</font> text, <h2>with a heading</h2>and an over-wide Antidisestablishmentarianismantidisestablishmentarianismantidisestablishmentarianism word."}],
  "sections": [{"name": "Home", "page": "Home"}]
})";

TEST(Golden, StyledTextOnAPage) {
  platform::FontSet fonts;
  platform::FontRequest arial;
  arial.face = "Arial";
  if (fonts.FileFor(arial).find("Liberation") == std::string::npos) {
    GTEST_SKIP() << "no Liberation fonts";
  }
  test::TempDir dir;
  const std::string description = dir.Write("title.json", kStyledTextPage);
  const auto built = test::RunTool("zdbuild", {description, dir.File("title")});
  ASSERT_EQ(built.status, 0) << built.err;
  ExpectGolden("styled-text.png", "answer ok\nwait 100\n", {dir.File("title")});
}

}  // namespace
}  // namespace zd
