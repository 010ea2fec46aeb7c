// Drawings through the tools and onto pages: zdbuild writes Draw files from shapes, zd32 draws
// them on a page, and zdinfo renders Draw files as PNG and SVG, alone or from a title.
#include <gtest/gtest.h>

#include "platform/png_codec.h"
#include "support/played_title.h"
#include "support/title_builder.h"

namespace zd::test {
namespace {

bool Has(const std::string& text, const std::string& part) {
  return text.find(part) != std::string::npos;
}

// A red square on the left half of a 2:1 drawing and a blue triangle-capped line, a group, a
// text in a font of the table and a tagged object that is not drawn.
const char* kDrawing = R"({"box": [0, 0, 2000, 1000],
  "fonts": [[1, "Homerton.Medium"]],
  "objects": [
    {"group": "shapes", "objects": [
      {"path": [["move", 0, 0], ["line", 1000, 0], ["line", 1000, 1000], ["line", 0, 1000], ["close"]],
       "fill": "#FF0000", "outline": "none"},
      {"path": [["move", 1100, 500], ["curve", 1300, 900, 1500, 100, 1700, 500]],
       "outline": "#0000FF", "width": 40, "endCap": "triangle", "capWidth": 32}]},
    {"text": "Γειά", "font": 1, "at": [1100, 100], "colour": "#000000"},
    {"tagged": 5, "objects": [
      {"path": [["move", 1000, 0], ["line", 2000, 0], ["line", 2000, 1000], ["close"]], "fill": "#00FF00"}]}
  ]})";

TEST(DrawingTools, ZdbuildWritesDrawingsThatPagesAndZdinfoDraw) {
  const std::string description = std::string(R"({
    "pages": [{"name": "Home", "background": "#FFFFFF", "objects": [
       {"name": "Pic", "type": "drawing", "pixels": [0, 0, 200, 200], "resource": [1, 3]}]}],
    "sections": [{"name": "Root", "page": "Home"}],
    "resources": [{"dir": 1, "number": 3, "drawing": )") +
                                  kDrawing + "}]}";
  PlayedTitle t(description);
  t.Start();
  // Fitted into 200 x 200: 200 wide and 100 high from 50 down.
  EXPECT_EQ(t.Pixel(50, 100), PaletteIndex("#FF0000"));
  EXPECT_NE(t.Pixel(50, 45), PaletteIndex("#FF0000"));
  EXPECT_NE(t.Pixel(190, 60), PaletteIndex("#00FF00"));  // the tagged object is not drawn
  int blue = 0;
  for (int y = 50; y < 150; ++y)
    for (int x = 100; x < 200; ++x) blue += t.Pixel(x, y) == PaletteIndex("#0000FF");
  EXPECT_GT(blue, 30);

  // zdinfo exports the drawing as PNG and SVG.
  TempDir dir, out;
  Build(description, dir.path());
  const RunResult r = RunTool("zdinfo", {dir.path(), "--export", out.path()});
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_TRUE(
      Has(r.out, "res1-res3.png and .svg: res1/res3, Draw file, box 0 0 2000 1000, 6 objects"))
      << r.out;
  const std::string png = ReadFile(out.File("res1-res3.png"));
  platform::IndexedImage image;
  std::string error;
  ASSERT_TRUE(platform::DecodePngIndexed(reinterpret_cast<const uint8_t*>(png.data()), png.size(),
                                         image, error))
      << error;
  EXPECT_EQ(image.width, 640);
  EXPECT_EQ(image.height, 480);
  EXPECT_EQ(image.pixels[size_t(240) * 640 + 100], PaletteIndex("#FF0000"));
  const std::string svg = ReadFile(out.File("res1-res3.svg"));
  EXPECT_TRUE(Has(svg, "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"640\" height=\"480\""))
      << svg;
  EXPECT_TRUE(Has(svg, "fill=\"#ff0000\" fill-rule=\"nonzero\"")) << svg;
  EXPECT_TRUE(Has(svg, ">Γειά</text>")) << svg;
  EXPECT_TRUE(Has(svg, "font-family=\"Arial, 'Liberation Sans', sans-serif\"")) << svg;
  EXPECT_FALSE(Has(svg, "#00ff00")) << svg;
}

TEST(DrawingTools, ZdinfoRendersOneDrawFileIntoAGivenSize) {
  TempDir dir;
  Build(std::string(R"({"pages": [], "resources": [{"dir": 1, "number": 1, "drawing": )") +
            kDrawing + "}]}",
        dir.path());
  const std::string file = dir.File("res1/res1");
  const RunResult r = RunTool("zdinfo", {"--draw", file, "--png", dir.File("d.png"), "--svg",
                                         dir.File("d.svg"), "--size", "200x200"});
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_TRUE(Has(r.out, "drawn into 200 x 200")) << r.out;
  const std::string png = ReadFile(dir.File("d.png"));
  platform::IndexedImage image;
  std::string error;
  ASSERT_TRUE(platform::DecodePngIndexed(reinterpret_cast<const uint8_t*>(png.data()), png.size(),
                                         image, error))
      << error;
  ASSERT_EQ(image.width, 200);
  EXPECT_EQ(image.pixels[49 * 200 + 10], PaletteIndex("#FFFFFF"));
  EXPECT_EQ(image.pixels[50 * 200 + 10], PaletteIndex("#FF0000"));
  EXPECT_EQ(image.pixels[149 * 200 + 10], PaletteIndex("#FF0000"));
  EXPECT_EQ(image.pixels[150 * 200 + 10], PaletteIndex("#FFFFFF"));
  EXPECT_TRUE(Has(ReadFile(dir.File("d.svg")), "<polygon points=\"0,150 100,150 100,50 0,50\""));

  // Files that are not drawings, and wrong usage.
  const RunResult notDraw =
      RunTool("zdinfo", {"--draw", dir.File("d.png"), "--png", dir.File("e.png")});
  EXPECT_EQ(notDraw.status, 1);
  EXPECT_TRUE(Has(notDraw.err, "is not a Draw file")) << notDraw.err;
  EXPECT_EQ(RunTool("zdinfo", {"--draw", file}).status, 2);
  EXPECT_EQ(RunTool("zdinfo", {"--draw", file, "--png", "x.png", "--size", "0x5"}).status, 2);
  EXPECT_EQ(RunTool("zdinfo", {dir.path(), "--draw", file, "--png", "x.png"}).status, 2);
  EXPECT_TRUE(Has(RunTool("zdinfo", {"--help"}).out, "--draw FILE"));

  // zdbuild names the field at fault in a drawing.
  const RunResult bad =
      RunTool("zdbuild", {"-", dir.File("bad")},
              R"({"resources": [{"dir": 1, "number": 1, "drawing": {"box": [0, 0, 1, 1],
          "objects": [{"path": [["move", 0, 0], ["arc", 1, 1]]}]}}]})");
  EXPECT_EQ(bad.status, 1);
  EXPECT_TRUE(Has(bad.err, "resources[0].drawing.objects[0].path[1][0]: unknown element \"arc\""))
      << bad.err;
}

}  // namespace
}  // namespace zd::test
