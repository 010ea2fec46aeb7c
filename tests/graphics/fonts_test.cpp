// Font names of titles mapped to logical fonts, and text drawn with them: the installed faces
// that stand in for the ones a title names, the title's own font files added for the run, and
// the styles (weight, slant, underline, strike-out, width) in the rasterised text.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "graphics/text/font_mapping.h"
#include "graphics/text/text_painter.h"
#include "platform/text_fonts.h"
#include "support/runtime_fixture.h"
#include "support/test_support.h"

namespace zd {
namespace {

TEST(FontMapping, MarkupAndSingleFontTables) {
  LogicalFont m = MapMarkupFont("Homerton.Bold.Oblique", 20, 20);
  EXPECT_EQ(m.faceName, "Arial");
  EXPECT_EQ(m.pitchAndFamily, 0x22);
  EXPECT_EQ(m.height, 28);
  EXPECT_EQ(m.width, 0);
  EXPECT_EQ(m.weight, 700);
  EXPECT_TRUE(m.italic);
  EXPECT_FALSE(m.underline);
  EXPECT_FALSE(m.strikeOut);
  EXPECT_EQ(m.charSet, 161);
  EXPECT_EQ(m.quality, 2);
  LogicalFont s = MapFont("Homerton.Bold.Oblique", 20, 20);
  EXPECT_EQ(s.faceName, "Arial");
  EXPECT_EQ(s.height, 28);
  EXPECT_EQ(s.width, 11);

  EXPECT_EQ(MapMarkupFont("homerton", 10, 10).faceName, "Arial");
  EXPECT_EQ(MapFont("homerton", 10, 10).faceName, "Arial");
  EXPECT_EQ(MapFont("system font", 10, 12).faceName, "ArcSys");
  EXPECT_EQ(MapMarkupFont("system font", 10, 12), LogicalFont{});  // nothing matched
  const LogicalFont system = MapMarkupFont("System Font", 10, 10);
  EXPECT_EQ(system.faceName, "ArcSys");
  EXPECT_EQ(system.pitchAndFamily, 0x31);
  EXPECT_EQ(system.width, 10);  // the system font keeps its width even when the sizes agree

  m = MapMarkupFont("Corpus.Medium", 10, 12);
  EXPECT_EQ(m.faceName, "Courier New");
  EXPECT_EQ(m.height, 15);
  EXPECT_EQ(m.width, 5);
  s = MapFont("Corpus.Medium", 10, 12);
  EXPECT_EQ(s.faceName, "ArcSys");
  EXPECT_EQ(s.pitchAndFamily, 0x31);
  EXPECT_EQ(s.height, 10);
  EXPECT_EQ(s.width, 12);

  EXPECT_EQ(MapFont("Trinity.Homerton", 10, 10).faceName, "Arial");  // the later part wins
  EXPECT_EQ(MapMarkupFont("Trinity.Medium.Italic", 10, 20).pitchAndFamily, 0x12);
  EXPECT_EQ(MapMarkupFont("Trinity.Medium", 10, 20).width, 9);  // 20 / 2.05
  EXPECT_EQ(MapMarkupFont("Primary", 10, 20).height, 16);
  EXPECT_EQ(MapMarkupFont("Primary", 10, 20).width, 20);
  EXPECT_EQ(MapFont("Primary", 10, 20).width, 0);
  EXPECT_EQ(MapMarkupFont("Sidney", 10, 20).faceName, "Symbol");
  EXPECT_EQ(MapFont("Sidney", 10, 20).faceName, "ArcSys");
  // An unknown family: the default face in markup, the system font alone.
  m = MapMarkupFont("Unknown.Bold", 10, 20);
  EXPECT_EQ(m.faceName, "");
  EXPECT_EQ(m.height, 0);
  EXPECT_EQ(m.weight, 700);
  EXPECT_EQ(MapFont("", 10, 20).faceName, "ArcSys");
  // Only the first 80 characters of a name are read; sizes beyond int stay at its edge.
  EXPECT_EQ(MapFont(std::string(80, 'x') + ".Homerton", 10, 10).faceName, "ArcSys");
  EXPECT_EQ(MapFont("Homerton", 1e300, -1e300).height, 2147483647);
}

int Inked(const platform::TextBitmap& b) {
  int n = 0;
  for (const uint8_t v : b.coverage) {
    EXPECT_TRUE(v == 0 || v == 255);
    n += v != 0;
  }
  return n;
}

TEST(TitleFonts, FacesTitlesNameAreFoundAndStylesShowInTheText) {
  platform::FontSet fonts;
  platform::FontRequest arial;
  arial.face = "Arial";
  arial.height = 20;
  const std::string arialFile = fonts.FileFor(arial);
  if (arialFile.empty()) GTEST_SKIP() << "no installed fonts";
  EXPECT_NE(arialFile.find("Liberation"), std::string::npos) << arialFile;
  for (const char* face : {"Times New Roman", "Courier New", "Symbol", "ArcSys", "", "Nonesuch"}) {
    platform::FontRequest r = arial;
    r.face = face;
    EXPECT_FALSE(fonts.FileFor(r).empty()) << face;
  }
  const std::u32string greek = U"Καλημέρα κόσμε";
  platform::TextBitmap plain, bold, wide, under;
  ASSERT_TRUE(fonts.Render(arial, greek, plain));
  EXPECT_EQ(plain.height, 20);  // the height is the cell
  EXPECT_EQ(fonts.Metrics(arial).height(), 20);
  const int ink = Inked(plain);
  EXPECT_GT(ink, 100);
  platform::FontRequest r = arial;
  r.weight = 700;
  ASSERT_TRUE(fonts.Render(r, greek, bold));
  EXPECT_GT(Inked(bold), ink);
  r = arial;
  r.width = 20;  // about twice the natural average width
  ASSERT_TRUE(fonts.Render(r, greek, wide));
  EXPECT_GT(wide.width, plain.width * 3 / 2);
  EXPECT_EQ(wide.height, 20);
  r = arial;
  r.underline = true;
  r.strikeOut = true;
  ASSERT_TRUE(fonts.Render(r, greek, under));
  EXPECT_GE(Inked(under), ink + plain.width);
  r = arial;
  r.italic = true;
  EXPECT_NE(fonts.FileFor(r), arialFile);  // the italic face of the family
  // Advances add up to the width of the line.
  const auto advances = fonts.Advances(arial, greek);
  int total = 0;
  for (const int a : advances) total += a;
  EXPECT_NEAR(total, plain.width, 3);

  // The painter puts the text into the canvas in one index, nothing else changed.
  Canvas canvas(200, 40);
  FontTextPainter painter(fonts);
  painter.DrawLine(canvas, 5, 5, MapFont("Homerton", 14, 14), "\xCA\xE1\xEB\xE7", 7);
  int seven = 0, other = 0;
  for (int y = 0; y < 40; ++y)
    for (int x = 0; x < 200; ++x) (canvas.At(x, y) == 7 ? seven : other) += canvas.At(x, y) != 0;
  EXPECT_GT(seven, 20);
  EXPECT_EQ(other, 0);
  // Wrapped text breaks between words and stays inside its box.
  canvas.Fill(0);
  painter.DrawWrapped(canvas, {10, 0, 60, 40}, MapFont("Homerton", 10, 10),
                      "one two three four five six", 3, TextAlign::Right);
  for (int y = 0; y < 40; ++y) {
    for (int x = 0; x < 200; ++x) {
      if (x < 10 || x >= 60) {
        EXPECT_EQ(canvas.At(x, y), 0) << x << "," << y;
      }
    }
  }
  int lines = 0;
  for (int y = 0; y < 40; ++y) {
    bool inked = false;
    for (int x = 10; x < 60; ++x) inked |= canvas.At(x, y) == 3;
    if (inked && (y == 0 || [&] {
          for (int x = 10; x < 60; ++x)
            if (canvas.At(x, y - 1) == 3) return false;
          return true;
        }())) {
      ++lines;
    }
  }
  EXPECT_GE(lines, 2);
}

TEST(TitleFonts, TheTitlesFontFilesAreAddedFromTheCurrentDirectoryForTheRun) {
  platform::FontRequest probe;
  probe.face = "DejaVu Sans";
  platform::FontSet installed;
  const std::string source = installed.FileFor(probe);
  if (source.empty() || source.find("DejaVu") == std::string::npos) GTEST_SKIP() << "no DejaVu";
  test::TempDir dir;
  // No "fonts" directory: all three files come from the directory itself.
  for (const char* name : {"pchbrww.ttf", "pchrrww.ttf", "arcsys.fon"}) {
    std::filesystem::copy_file(source, dir.File(name));
  }
  const auto previous = std::filesystem::current_path();
  std::filesystem::current_path(dir.path());
  {
    test::RuntimeFixture f;
    Graphics& graphics = f.runtime().graphics;
    graphics.AddTitleFonts();
    EXPECT_EQ(graphics.titleFontFiles(),
              (std::vector<std::string>{dir.File("pchbrww.ttf"), dir.File("pchrrww.ttf"),
                                        dir.File("arcsys.fon")}));
    EXPECT_EQ(graphics.fonts().AddedFaces(), (std::vector<std::string>{"DejaVu Sans"}));
    platform::FontRequest r;
    r.face = "dejavu sans";
    EXPECT_EQ(graphics.fonts().FileFor(r), dir.File("pchbrww.ttf"));
    graphics.RemoveTitleFonts();
    EXPECT_TRUE(graphics.fonts().AddedFaces().empty());
  }
  // Under "fonts" they are taken from there first; a file that is no font is left out.
  std::filesystem::create_directory(dir.File("Fonts"));
  std::filesystem::copy_file(source, dir.File("Fonts/PCHBRWW.TTF"));
  std::ofstream(dir.File("Fonts/arcsys.fon")) << "not a font";
  std::filesystem::remove(dir.File("arcsys.fon"));
  {
    test::RuntimeFixture f;
    Graphics& graphics = f.runtime().graphics;
    graphics.AddTitleFonts();
    platform::FontRequest r;
    r.face = "DejaVu Sans";
    EXPECT_EQ(graphics.fonts().FileFor(r), dir.File("Fonts/PCHBRWW.TTF"));
    EXPECT_EQ(graphics.titleFontFiles(),
              (std::vector<std::string>{dir.File("Fonts/PCHBRWW.TTF"), dir.File("pchrrww.ttf")}));
  }
  std::filesystem::current_path(previous);
}

}  // namespace
}  // namespace zd
