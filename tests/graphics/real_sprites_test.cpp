// The real sprite files of the shared test data (written by others, on RISC OS): every sprite
// is read, decoded, prepared, cached and drawn without a fault, the widths and heights agree
// with the corpus's own description, a contact sheet of them all matches docs/ pixel for pixel,
// and thousands of random mutations of them are refused or drawn, never read past.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <regex>

#include "graphics/sprites/sprite_decode.h"
#include "graphics/sprites/sprite_pixels.h"
#include "graphics/sprites/sprite_plot.h"
#include "platform/png_codec.h"
#include "sprite_builder.h"
#include "support/test_support.h"

namespace zd {
namespace {

namespace fs = std::filesystem;

const std::string kSpritesDir = std::string(ZD_TESTDATA_DIR) + "/riscos/sprites";

struct SpriteFile {
  std::string name;
  std::vector<uint8_t> bytes;
};

std::vector<SpriteFile> RealSpriteFiles() {
  std::vector<SpriteFile> files;
  if (!fs::is_directory(kSpritesDir)) return files;
  for (const auto& entry : fs::directory_iterator(kSpritesDir)) {
    if (entry.path().extension() != ".ff9") continue;
    const std::string bytes = test::ReadFile(entry.path().string());
    files.push_back({entry.path().filename().string(), {bytes.begin(), bytes.end()}});
  }
  std::sort(files.begin(), files.end(), [](auto& a, auto& b) { return a.name < b.name; });
  return files;
}

ByteView View(const std::vector<uint8_t>& bytes) { return ByteView(bytes.data(), bytes.size()); }

// Everything the player does with a sprite, on a small canvas; returns whether it drew.
bool ExerciseSprite(ByteView sprite, const Rect& rect, Canvas& canvas, const ColourMatcher& m) {
  const bool drawable = ReadSpriteLayout(sprite).has_value();
  DecodeSpriteRgba(sprite);
  PlotSpriteStretched(canvas, rect, sprite, false, m);
  std::vector<uint8_t> block(sprite.data(), sprite.data() + sprite.size());
  PrepareSprite(block);
  PlotSpriteFitted(canvas, rect, View(block), true, m, 640, 480);
  SpriteBitmapTable table;
  if (const auto handles = MakeSpriteBitmaps(View(block), table, CreateSharedColourHeaders(m))) {
    KeepHeaderAndHandles(block, *handles);
    PlotSpriteCached(canvas, rect, View(block), table);
    FreeSpriteBitmaps(View(block), table);
    EXPECT_EQ(table.size(), 0u);
  }
  return drawable;
}

TEST(RealSprites, EverySpriteIsDrawnOrRefusedCleanly) {
  const auto files = RealSpriteFiles();
  if (files.empty()) GTEST_SKIP() << "no test data in " << kSpritesDir;
  const ColourMatcher m;
  int drawn = 0, refused = 0;
  for (const SpriteFile& file : files) {
    const auto sprites = SpritesOfFile(View(file.bytes));
    ASSERT_FALSE(sprites.empty()) << file.name;
    for (size_t i = 0; i < sprites.size(); ++i) {
      SpriteProblem why = SpriteProblem::None;
      const auto layout = ReadSpriteLayout(sprites[i], &why);
      // Real files only ever fail for their modes: later mode words and numbers above 46.
      EXPECT_TRUE(layout || why == SpriteProblem::UnsupportedMode)
          << file.name << " sprite " << i << ": " << SpriteProblemText(why);
      const bool firstRefused = i == 0 && !layout;
      const bool expectRefused = file.name.starts_with("newfmt-") || file.name.find("mode1") != std::string::npos;
      if (i == 0) {
        EXPECT_EQ(firstRefused, expectRefused) << file.name;
      }
      Canvas canvas(64, 64);
      (ExerciseSprite(sprites[i], {3, 5, 60, 50}, canvas, m) ? drawn : refused)++;
    }
  }
  // The corpus as it stands: 292 sprites drawn, 14 in later formats or modes refused.
  EXPECT_EQ(drawn, 292);
  EXPECT_EQ(refused, 14);
}

// The corpus describes each file's first sprite ("mode 28, 79 x 98 px"); our widths must agree.
TEST(RealSprites, SizesAgreeWithTheCorpusDescription) {
  const std::string manifest = test::ReadFile(std::string(ZD_TESTDATA_DIR) + "/riscos/MANIFEST.md");
  if (manifest.empty()) GTEST_SKIP() << "no test data";
  const std::regex row(R"(\| ([\w-]+\.ff9) \|[^\n]*= mode (\d+), (\d+) x (\d+) px)");
  int checked = 0;
  for (std::sregex_iterator it(manifest.begin(), manifest.end(), row), end; it != end; ++it) {
    const std::string bytes = test::ReadFile(kSpritesDir + "/" + (*it)[1].str());
    const auto sprite = SpriteOfFile(ByteView(bytes), 0);
    ASSERT_TRUE(sprite) << (*it)[1];
    const auto layout = ReadSpriteLayout(*sprite);
    ASSERT_TRUE(layout) << (*it)[1];
    EXPECT_EQ(layout->modeWord, std::stoul((*it)[2])) << (*it)[1];
    EXPECT_EQ(layout->pixelWidth, std::stoi((*it)[3])) << (*it)[1];
    EXPECT_EQ(layout->height(), std::stoi((*it)[4])) << (*it)[1];
    ++checked;
  }
  EXPECT_GT(checked, 40);
}

// Every sprite of every file side by side in the colours of direct drawing, over a chequer that
// shows the mask; unsupported sprites as red crosses. Files follow in name order.
platform::RgbImage ContactSheet(const std::vector<SpriteFile>& files) {
  constexpr int kWidth = 1024, kGap = 4;
  struct Placed {
    int x, y;
    std::optional<RgbaPicture> picture;
  };
  std::vector<Placed> placed;
  int x = kGap, y = kGap, rowHeight = 0;
  for (const SpriteFile& file : files) {
    for (ByteView sprite : SpritesOfFile(View(file.bytes))) {
      auto picture = DecodeSpriteRgba(sprite);
      const int w = picture ? std::min(picture->width, kWidth - 2 * kGap) : 12;
      const int h = picture ? std::min(picture->height, 400) : 12;
      if (x + w + kGap > kWidth) {
        x = kGap;
        y += rowHeight + kGap;
        rowHeight = 0;
      }
      placed.push_back({x, y, std::move(picture)});
      x += w + kGap;
      rowHeight = std::max(rowHeight, h);
    }
  }
  platform::RgbImage sheet{kWidth, y + rowHeight + kGap, {}};
  sheet.rgb.assign(size_t(sheet.width) * sheet.height * 3, 0x30);
  const auto put = [&](int px, int py, uint8_t r, uint8_t g, uint8_t b) {
    if (px < 0 || py < 0 || px >= sheet.width || py >= sheet.height) return;
    uint8_t* p = &sheet.rgb[(size_t(py) * sheet.width + px) * 3];
    p[0] = r, p[1] = g, p[2] = b;
  };
  for (const Placed& p : placed) {
    if (!p.picture) {
      for (int i = 0; i < 12; ++i) {
        put(p.x + i, p.y + i, 255, 0, 0);
        put(p.x + 11 - i, p.y + i, 255, 0, 0);
      }
      continue;
    }
    for (int py = 0; py < std::min(p.picture->height, 400); ++py) {
      for (int px = 0; px < std::min(p.picture->width, kWidth - 2 * kGap); ++px) {
        const uint8_t* c = &p.picture->rgba[(size_t(py) * p.picture->width + px) * 4];
        const uint8_t chequer = ((px / 4 + py / 4) & 1) ? 0xC0 : 0x90;
        if (c[3]) put(p.x + px, p.y + py, c[0], c[1], c[2]);
        else put(p.x + px, p.y + py, chequer, chequer, chequer);
      }
    }
  }
  return sheet;
}

TEST(RealSprites, GoldenContactSheet) {
  const auto files = RealSpriteFiles();
  if (files.empty()) GTEST_SKIP() << "no test data in " << kSpritesDir;
  const platform::RgbImage sheet = ContactSheet(files);
  const std::string golden = test::SourceDir() + "/docs/sprites-contact-sheet.png";
  std::string error;
  if (std::getenv("ZD_UPDATE_GOLDEN")) {
    ASSERT_TRUE(platform::WritePngRgb(golden, sheet, error)) << error;
    GTEST_SKIP() << "wrote " << golden;
  }
  const std::string bytes = test::ReadFile(golden);
  platform::RgbaImage expected;
  ASSERT_TRUE(platform::DecodePngRgba(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size(),
                                      expected, error))
      << golden << ": " << error << " (make golden)";
  ASSERT_EQ(expected.width, sheet.width);
  ASSERT_EQ(expected.height, sheet.height);
  size_t differing = 0;
  for (size_t i = 0, n = size_t(sheet.width) * sheet.height; i < n; ++i) {
    const uint8_t* pixel = sheet.rgb.data() + i * 3;
    differing += !std::equal(pixel, pixel + 3, expected.rgba.data() + i * 4);
  }
  EXPECT_EQ(differing, 0u);
}

TEST(RealSprites, RandomMutationsAreRefusedOrDrawnNeverReadPast) {
  std::vector<std::vector<uint8_t>> seeds;
  for (const SpriteFile& file : RealSpriteFiles()) {
    for (ByteView s : SpritesOfFile(View(file.bytes), 4)) seeds.emplace_back(s.data(), s.data() + s.size());
  }
  // Made sprites of every depth keep the test worth running without the shared data.
  for (auto [mode, bpp] : {std::pair{25u, 1}, {26u, 2}, {27u, 4}, {28u, 8}}) {
    seeds.push_back(test::MakeSprite({.mode = mode, .bpp = bpp, .pixels = test::Rows(13, 7, 1),
                                      .mask = test::Rows(13, 7, 1), .palette = {0x11223300},
                                      .firstBit = bpp}));
  }
  std::mt19937 random(20240601);
  const uint32_t interesting[] = {0, 1, 7, 8, 15, 16, 31, 32, 44, 45, 48, 52, 255,
                                  0x7FFFFFFF, 0x80000000, 0xFFFFFFFF, 0xFFFFFFFE};
  const ColourMatcher m;
  for (int round = 0; round < 3000; ++round) {
    std::vector<uint8_t> s = seeds[random() % seeds.size()];
    const int changes = 1 + int(random() % 4);
    for (int c = 0; c < changes && !s.empty(); ++c) {
      switch (random() % 4) {
        case 0: s[random() % s.size()] ^= uint8_t(1u << (random() % 8)); break;
        case 1: {
          const size_t field = 16 + 4 * (random() % 7);  // width .. mode
          if (field + 4 <= s.size()) {
            const uint32_t v = random() % 2 ? interesting[random() % std::size(interesting)]
                                            : uint32_t(random() % (s.size() + 64));
            test::PutWord(s, field, v);
          }
          break;
        }
        case 2: s.resize(random() % (s.size() + 1)); break;
        default: s[random() % s.size()] = uint8_t(random()); break;
      }
    }
    // Exactly as long as the data, so the sanitizers see any read past it.
    std::vector<uint8_t> exact(s);
    Canvas canvas(48, 48);
    canvas.Fill(0x5C);
    const int l = int(random() % 80) - 20, t = int(random() % 80) - 20;
    const bool drawable = ExerciseSprite(View(exact), {l, t, l + int(random() % 90), t + int(random() % 90)},
                                         canvas, m);
    if (!drawable) {
      for (int y = 0; y < 48; ++y) {
        for (int x = 0; x < 48; ++x) ASSERT_EQ(canvas.At(x, y), 0x5C) << "round " << round;
      }
    }
    // The same bytes taken as a sprite file.
    for (ByteView inFile : SpritesOfFile(View(exact), 8)) ReadSpriteLayout(inFile);
  }
}

}  // namespace
}  // namespace zd
