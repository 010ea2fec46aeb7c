// Pictures in the title tools: zdbuild's sprites made from PNG pictures and taken from sprite
// files, as the player then reads and draws them; zdinfo's conversions back to PNG.
#include <gtest/gtest.h>

#include <filesystem>

#include "graphics/sprites/sprite_decode.h"
#include "graphics/sprites/sprite_format.h"
#include "platform/png_codec.h"
#include "support/runtime_fixture.h"
#include "support/title_builder.h"
#include "title/tcs_decompress.h"
#include "../graphics/sprite_builder.h"

namespace zd::test {
namespace {

bool Has(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

ByteView View(const std::string& bytes) { return ByteView(bytes); }

// A 4 x 3 picture: red, green, blue, white / grey ramp / a transparent corner.
std::string WritePicture(const TempDir& dir, const std::string& name) {
  platform::RgbaImage image{4, 3, {}};
  const uint8_t pixels[12][4] = {
      {255, 0, 0, 255},  {0, 255, 0, 255},   {0, 0, 255, 255},   {255, 255, 255, 255},
      {0, 0, 0, 255},    {68, 68, 68, 255},  {136, 136, 136, 255}, {204, 204, 204, 255},
      {255, 0, 0, 0},    {255, 0, 0, 255},   {255, 0, 0, 255},   {255, 0, 0, 255}};
  for (const auto& p : pixels) image.rgba.insert(image.rgba.end(), p, p + 4);
  std::string error;
  EXPECT_TRUE(platform::WritePngRgba(dir.File(name), image, error)) << error;
  return dir.File(name);
}

// zdbuild on a description kept in `dir`, so that its "png" and "sprite" paths are found there.
void BuildIn(const TempDir& dir, const std::string& description, const std::string& out) {
  const RunResult r = RunTool("zdbuild", {dir.Write("title.json", description), out});
  ASSERT_EQ(r.status, 0) << r.err << description;
}

std::string Rgba(const RgbaPicture& p, int x, int y) {
  const uint8_t* c = &p.rgba[(size_t(y) * p.width + x) * 4];
  char text[16];
  std::snprintf(text, sizeof text, "%02X%02X%02X/%d", c[0], c[1], c[2], c[3] ? 1 : 0);
  return text;
}

TEST(ToolPictures, PngPicturesBecomeSpritesInTheColoursThePlayerShows) {
  TempDir dir;
  WritePicture(dir, "Corner.png");
  BuildIn(dir, R"({"sections": [{"name": "R", "page": 0}], "pages": [{"name": "P"}], "resources": [
      {"dir": 1, "number": 1, "picture": {"png": "Corner.png"}},
      {"dir": 1, "number": 2, "picture": {"png": "Corner.png", "bpp": 4, "palette": "own", "name": "own16"}},
      {"dir": 1, "number": 3, "picture": {"png": "Corner.png", "mode": 0, "mask": false}},
      {"dir": 1, "number": 4, "picture": {"png": "Corner.png", "bpp": 2, "palette": ["#FF0000", "#0000FF"]}},
      {"dir": 1, "number": 5, "picture": {"png": "Corner.png", "compress": true}},
      {"dir": 1, "number": 6, "picture": {"png": "Corner.png", "mode": 21, "palette": "own"}}]})",
        dir.File("t"));
  const auto files = FilesBelow(dir.File("t"));
  const std::string& rule = files.at("res1/res1");
  // A bare sprite: its first word is its length, never below 65.
  EXPECT_EQ(ByteView(rule).U32(0), rule.size());
  const auto layout = ReadSpriteLayout(View(rule));
  ASSERT_TRUE(layout);
  EXPECT_EQ(SpriteName(View(rule)), "corner");
  EXPECT_EQ(layout->modeWord, 28u);
  EXPECT_EQ(layout->pixelWidth, 4);
  EXPECT_EQ(layout->height(), 3);
  EXPECT_TRUE(layout->geometry.hasMask);  // from the transparent corner
  EXPECT_EQ(layout->paletteEntries, 0);
  const auto ruled = DecodeSpriteRgba(View(rule));
  EXPECT_EQ(Rgba(*ruled, 0, 0), "DD1111/1");  // the rule has no pure red: its nearest
  EXPECT_EQ(Rgba(*ruled, 1, 1), "444444/1");
  EXPECT_EQ(Rgba(*ruled, 0, 2), "000000/0");

  const auto own = DecodeSpriteRgba(View(files.at("res1/res2")));
  EXPECT_EQ(SpriteName(View(files.at("res1/res2"))), "own16");
  EXPECT_EQ(ReadSpriteLayout(View(files.at("res1/res2")))->paletteEntries, 8);  // its 8 colours
  for (auto [x, y, colour] : {std::tuple{1, 0, "00FF00/1"}, {2, 0, "0000FF/1"}, {3, 1, "CCCCCC/1"}}) {
    EXPECT_EQ(Rgba(*own, x, y), colour);
  }
  const auto mono = DecodeSpriteRgba(View(files.at("res1/res3")));
  EXPECT_EQ(ReadSpriteLayout(View(files.at("res1/res3")))->bitsPerPixel(), 1);
  EXPECT_EQ(Rgba(*mono, 3, 0), "FFFFFF/1");
  EXPECT_EQ(Rgba(*mono, 0, 1), "000000/1");
  EXPECT_EQ(Rgba(*mono, 0, 2), "000000/1");  // no mask asked for: alpha is not looked at
  const auto given = DecodeSpriteRgba(View(files.at("res1/res4")));
  EXPECT_EQ(Rgba(*given, 1, 0), "FF0000/1");  // green is as near red as blue; red comes first
  EXPECT_EQ(Rgba(*given, 2, 0), "0000FF/1");
  // Packed, it unpacks to the same sprite.
  EXPECT_EQ(files.at("res1/res5").substr(0, 4), "3TCS");
  const auto unpacked = DecompressTcs(View(files.at("res1/res5")));
  EXPECT_EQ(std::string(unpacked->begin(), unpacked->end()), rule);
  // An 8-bit palette of its own is the whole 256-colour set, so it draws as the rule does.
  EXPECT_EQ(ReadSpriteLayout(View(files.at("res1/res6")))->paletteEntries, 256);
  EXPECT_EQ(DecodeSpriteRgba(View(files.at("res1/res6")))->rgba, ruled->rgba);
}

TEST(ToolPictures, ThePlayerLoadsPreparesAndDrawsThePicturesZdbuildMakes) {
  TempDir dir;
  WritePicture(dir, "corner.png");
  const auto tiny = MakeSprite({.mode = 25, .bpp = 1, .pixels = {{1}}, .name = "dot"});
  const auto file = MakeSpriteFile({tiny, MakeSprite({.pixels = {{0x21, 0x42}}, .name = "pair"})});
  dir.Write("two.ff9", std::string(file.begin(), file.end()));
  BuildIn(dir, R"({"sections": [{"name": "R", "page": 0}], "pages": [{"name": "P"}], "resources": [
      {"dir": 1, "number": 1, "picture": {"png": "corner.png", "compress": true}},
      {"dir": 1, "number": 2, "picture": {"sprite": "two.ff9"}},
      {"dir": 1, "number": 3, "picture": {"sprite": "two.ff9", "index": 1, "name": "renamed"}}]})",
        dir.File("t"));
  const auto files = FilesBelow(dir.File("t"));
  // A sprite shorter than 65 bytes is padded, so the player does not take it for a sprite file.
  EXPECT_EQ(files.at("res1/res2").size(), 68u);
  EXPECT_EQ(ByteView(files.at("res1/res2")).U32(0), 68u);
  EXPECT_EQ(SpriteName(View(files.at("res1/res3"))), "renamed");

  RuntimeFixture f;
  TitleFiles& title = f.runtime().titleFiles;
  ASSERT_EQ(title.OpenTitle(dir.File("t")), TitleProblem::None);
  Canvas canvas(8, 8);
  canvas.Fill(0x77);
  for (int number = 1; number <= 3; ++number) {
    ASSERT_TRUE(title.cache().LoadResource(number, 1, number, resource_kind::SPRITE)) << number;
    title.cache().PrepareResource(number, true);
    ASSERT_TRUE(title.cache().slot(number).used) << number;
    EXPECT_EQ(title.cache().slot(number).block.size(), kCachedSpriteSize);
  }
  f.runtime().graphics.PlotSpriteCached(canvas, {0, 0, 0, 0}, title.cache().slot(1).view());
  f.runtime().graphics.PlotSpriteCached(canvas, {5, 5, 5, 5}, title.cache().slot(2).view());
  f.runtime().graphics.PlotSpriteCached(canvas, {6, 6, 6, 6}, title.cache().slot(3).view());
  EXPECT_EQ(canvas.At(0, 0), 0x15);         // red: the rule's nearest, (DD,11,11)
  EXPECT_EQ(canvas.At(3, 0), 0xFF);
  EXPECT_EQ(canvas.At(0, 2), 0x77);         // the transparent corner
  EXPECT_EQ(canvas.At(5, 5), 0);            // the dot: 1 is black
  EXPECT_EQ(canvas.At(6, 6), 0x21);
  EXPECT_EQ(canvas.At(7, 6), 0x42);
}

TEST(ToolPictures, PictureFieldsThatCannotBeMetAreErrors) {
  TempDir dir;
  WritePicture(dir, "p.png");
  dir.Write("not.png", "GIF89a");
  const auto file = MakeSpriteFile({MakeSprite({.pixels = {{1}}})});
  dir.Write("one.ff9", std::string(file.begin(), file.end()));
  const std::pair<const char*, const char*> cases[] = {
      {R"({"png": "p.png", "mode": 22})", "picture.mode: mode 22 has no depth"},
      {R"({"png": "p.png", "mode": 28, "bpp": 4})", "picture.bpp: mode 28 has 8 bits"},
      {R"({"png": "p.png", "bpp": 3})", "picture.bpp: expected 1, 2, 4 or 8"},
      {R"({"png": "p.png", "palette": "web"})", "picture.palette: expected \"rule\""},
      {R"({"png": "not.png"})", "picture.png: not a picture"},
      {R"({"png": "p.png", "index": 1})", "picture.index: only pictures taken from a sprite file"},
      {R"({"sprite": "one.ff9", "index": 1})", "picture.index: the sprite file has no sprite 1"},
      {R"({"sprite": "one.ff9", "mask": true})", "picture.mask: only pictures made from a PNG"},
      {R"({"png": "p.png", "sprite": "one.ff9"})", "picture"},
      {R"({})", "picture: give the picture"},
  };
  for (const auto& [picture, error] : cases) {
    const std::string description = std::string(R"({"resources": [{"dir": 1, "number": 1, "picture": )") +
                                    picture + "}]}";
    const std::string path = dir.Write("d.json", description);
    const RunResult r = RunTool("zdbuild", {path, dir.File("out")});
    EXPECT_EQ(r.status, 1) << picture;
    EXPECT_TRUE(Has(r.err, std::string("resources[0].") + error)) << picture << "\n" << r.err;
  }
}

TEST(ToolPictures, ZdinfoConvertsSpritesAndExportsATitlesPictures) {
  TempDir dir;
  const auto masked = MakeSprite({.mode = 27, .bpp = 4, .pixels = {{1, 7, 8}, {9, 10, 11}},
                                  .mask = {{1, 0, 1}, {1, 1, 1}}, .firstBit = 8, .name = "m"});
  auto later = MakeSprite({.pixels = {{1}}});
  PutWord(later, 40, 0x301680b5);
  const auto file = MakeSpriteFile({later, masked});
  const std::string ff9 = dir.Write("s.ff9", std::string(file.begin(), file.end()));

  const RunResult second = RunTool("zdinfo", {"--sprite", ff9, "--png", dir.File("m.png"), "--index", "1"});
  ASSERT_EQ(second.status, 0) << second.err;
  EXPECT_TRUE(Has(second.out, "sprite \"m\", 3 x 2 px, mode 27 (4 bits), mask")) << second.out;
  const std::string png = ReadFile(dir.File("m.png"));
  platform::RgbaImage image;
  std::string error;
  ASSERT_TRUE(platform::DecodePngRgba(reinterpret_cast<const uint8_t*>(png.data()), png.size(), image, error));
  EXPECT_EQ(image.width, 3);  // the two wastage columns are not shown
  EXPECT_EQ(image.height, 2);
  const std::vector<uint8_t> firstRow = {0xDD, 0xDD, 0xDD, 255, 0, 0, 0, 0, 0x00, 0x44, 0x99, 255};
  EXPECT_EQ(std::vector<uint8_t>(image.rgba.begin(), image.rgba.begin() + 12), firstRow);

  const RunResult first = RunTool("zdinfo", {"--sprite", ff9, "--png", dir.File("later.png")});
  EXPECT_EQ(first.status, 1);
  EXPECT_TRUE(Has(first.err, "mode word 0x301680b5 is a later sprite format")) << first.err;
  EXPECT_FALSE(std::filesystem::exists(dir.File("later.png")));
  EXPECT_TRUE(Has(RunTool("zdinfo", {"--sprite", ff9, "--png", dir.File("x.png"), "--index", "2"}).err,
                  "has no sprite 2"));
  EXPECT_EQ(RunTool("zdinfo", {"--sprite", ff9}).status, 2);
  EXPECT_EQ(RunTool("zdinfo", {"--sprite", ff9, "--png", "x.png", "--index", "-1"}).status, 2);
  EXPECT_EQ(RunTool("zdinfo", {dir.path(), "--sprite", ff9, "--png", "x.png"}).status, 2);

  BuildIn(dir, R"({"pages": [{"name": "P", "objects": [
      {"name": "A", "type": "sprite", "resource": [1, 1]}, {"name": "B", "type": "sprite", "resource": [1, 2]},
      {"name": "C", "type": "sprite", "resource": [1, 3]}]}],
    "resources": [{"dir": 1, "number": 1, "picture": {"sprite": "s.ff9", "index": 1}, "compress": true},
                  {"dir": 1, "number": 2, "file": "s.ff9"}]})",
        dir.File("t"));
  const RunResult overview = RunTool("zdinfo", {dir.File("t")});
  EXPECT_TRUE(Has(overview.out, "bytes expanded; sprite \"m\", 3 x 2 px, mode 27 (4 bits), mask")) << overview.out;
  EXPECT_TRUE(Has(overview.out, "sprite \"test\", not drawn: mode word 0x301680b5")) << overview.out;
  const RunResult exported = RunTool("zdinfo", {dir.File("t"), "--export", dir.File("pictures")});
  EXPECT_EQ(exported.status, 1);  // res1/res2 holds the later sprite first, res1/res3 is missing
  EXPECT_TRUE(std::filesystem::exists(dir.File("pictures/res1-res1.png")));
  EXPECT_FALSE(std::filesystem::exists(dir.File("pictures/res1-res2.png")));
  EXPECT_TRUE(Has(exported.err, "res1/res3 not exported: missing")) << exported.err;
  EXPECT_EQ(ReadFile(dir.File("pictures/res1-res1.png")), png);
}

}  // namespace
}  // namespace zd::test
