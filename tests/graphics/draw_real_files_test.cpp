// The real Draw files of the shared test data (written by others on RISC OS): each draws
// without fault, with its fonts, into a page-sized canvas; thousands of mutated copies draw
// without reading outside their data; and a few drawings compared with their golden picture.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <random>
#include <set>

#include "draw_test_support.h"
#include "graphics/palette.h"
#include "platform/png_codec.h"
#include "platform/text_fonts.h"
#include "support/canvas_golden.h"
#include "support/canvas_golden.h"
#include "support/test_support.h"

namespace zd {
namespace {

const std::string kDrawDir = std::string(ZD_TESTDATA_DIR) + "/riscos/draw";

std::vector<std::pair<std::string, std::string>> RealFiles() {
  std::vector<std::pair<std::string, std::string>> files;
  std::error_code ec;
  for (const auto& entry : std::filesystem::directory_iterator(kDrawDir, ec)) {
    if (entry.path().extension() == ".aff") {
      files.emplace_back(entry.path().filename().string(), test::ReadFile(entry.path().string()));
    }
  }
  std::sort(files.begin(), files.end());
  return files;
}

int Painted(const Canvas& c, uint8_t background) {
  int n = 0;
  for (int y = 0; y < c.height(); ++y)
    for (int x = 0; x < c.width(); ++x) n += c.At(x, y) != background;
  return n;
}

TEST(DrawRealFiles, EveryFileDrawsWithItsTextIntoAPage) {
  const auto files = RealFiles();
  if (files.empty()) GTEST_SKIP() << "no test data in " << kDrawDir;
  platform::FontSet fonts;
  FontTextPainter painter(fonts);
  const ColourMatcher matcher;
  // These two hold only transformed text and sprites, and a JPEG image: objects of later Draw
  // versions, which titles do not use and which are not drawn.
  const std::set<std::string> onlyNewerObjects = {"rool-draw-test-trfm.aff",
                                                  "rool-drawfile-test-jpeg.aff"};
  for (const auto& [name, data] : files) {
    DrawFontTable table;
    DrawContext context{matcher, table, &painter};
    Canvas canvas(640, 480);
    canvas.Fill(255);
    DrawDrawFile(context, canvas, {0, 0, 640, 480},
                 ByteView(reinterpret_cast<const uint8_t*>(data.data()), data.size()));
    EXPECT_EQ(Painted(canvas, 255) == 0, onlyNewerObjects.count(name) == 1) << name;
  }
}

TEST(DrawRealFiles, MutatedFilesDrawWithoutFault) {
  const auto files = RealFiles();
  if (files.empty()) GTEST_SKIP() << "no test data in " << kDrawDir;
  std::mt19937 random(1997);
  const ColourMatcher matcher;
  DrawFontTable table;
  test::RecordingPainter painter;
  DrawContext context{matcher, table, &painter};
  Canvas canvas(64, 48);
  for (int round = 0; round < 4000; ++round) {
    std::string data = files[random() % files.size()].second;
    const int changes = 1 + int(random() % 8);
    for (int i = 0; i < changes; ++i) {
      const size_t at = random() % data.size();
      switch (random() % 4) {
        case 0: data[at] = char(random()); break;                            // a byte
        case 1: data[at & ~size_t(3)] = char(0xFF * (random() & 1)); break;  // a word's low byte
        case 2: data.resize(at); break;                                      // cut short
        default:                                                             // a large or odd value
          if (at + 4 <= data.size()) {
            const uint32_t v = random() % 2 ? 0x7FFFFFFF + random() % 3 : random() % 64;
            std::memcpy(&data[at & ~size_t(3)], &v,
                        std::min<size_t>(4, data.size() - (at & ~size_t(3))));
          }
          break;
      }
      if (data.size() < 8) break;
    }
    painter.drawn.clear();
    // The heap copy has nothing after it, so a read past the end is caught by the sanitizers.
    std::vector<uint8_t> exact(data.begin(), data.end());
    DrawDrawFile(context, canvas, {0, 0, 64, 48}, ByteView(exact.data(), exact.size()));
  }
  SUCCEED();
}

TEST(DrawGolden, RealDrawingsMatchTheirGoldenPicture) {
  const auto files = RealFiles();
  if (files.empty()) GTEST_SKIP() << "no test data in " << kDrawDir;
  const char* chosen[] = {"drawview-impossible.aff",      "rool-draw-pictures-landscape.aff",
                          "rool-draw-test-path.aff",      "rool-draw-pictures-portrait.aff",
                          "rool-switcher-steppedbar.aff", "daa-cal3x3.aff"};
  Canvas canvas(3 * 160, 2 * 120);
  canvas.Fill(255);
  const ColourMatcher matcher;
  for (size_t i = 0; i < std::size(chosen); ++i) {
    const auto it = std::find_if(files.begin(), files.end(),
                                 [&](const auto& f) { return f.first == chosen[i]; });
    ASSERT_NE(it, files.end()) << chosen[i];
    DrawFontTable table;
    DrawContext context{matcher, table, nullptr};  // text depends on the installed fonts
    const int x = int(i % 3) * 160, y = int(i / 3) * 120;
    canvas.SetClip({x, y, x + 160, y + 120});
    DrawDrawFile(context, canvas, {x + 4, y + 4, x + 156, y + 116},
                 ByteView(reinterpret_cast<const uint8_t*>(it->second.data()), it->second.size()));
  }
  test::ExpectCanvasGolden(canvas, "tests/golden/drawings.png", "the drawings");
}

}  // namespace
}  // namespace zd

namespace zd {
namespace {

// docs/drawings-contact-sheet.png: every real file drawn into a 172 x 120 box (white) with its
// name under it, text in the installed stand-in faces. Compared pixel for pixel like a golden
// picture, where those faces are the Liberation and DejaVu ones it was made with.
TEST(DrawRealFiles, GoldenContactSheet) {
  const auto files = RealFiles();
  if (files.empty()) GTEST_SKIP() << "no test data in " << kDrawDir;
  platform::FontSet fonts;
  platform::FontRequest arial;
  arial.face = "Arial";
  if (fonts.FileFor(arial).find("LiberationSans") == std::string::npos) {
    GTEST_SKIP() << "the sheet was made with Liberation Sans standing in for Arial";
  }
  FontTextPainter painter(fonts);
  const ColourMatcher matcher;
  constexpr int kColumns = 6, kCellWidth = 180, kCellHeight = 146;
  const int rows = int(files.size() + kColumns - 1) / kColumns;
  Canvas sheet(kColumns * kCellWidth, rows * kCellHeight);
  sheet.Fill(matcher.Nearest(0xBB, 0xBB, 0xBB));
  const uint8_t white = matcher.Nearest(255, 255, 255), black = matcher.Nearest(0, 0, 0);
  for (size_t i = 0; i < files.size(); ++i) {
    const int x = int(i % kColumns) * kCellWidth + 4, y = int(i / kColumns) * kCellHeight + 4;
    const Rect box{x, y, x + 172, y + 120};
    sheet.FillRect(box, white, PlotAction::Copy);
    sheet.SetClip(box);
    DrawFontTable table;
    DrawContext context{matcher, table, &painter};
    const std::string& data = files[i].second;
    DrawDrawFile(context, sheet, box,
                 ByteView(reinterpret_cast<const uint8_t*>(data.data()), data.size()));
    sheet.ResetClip();
    std::string label = files[i].first.substr(0, files[i].first.size() - 4);
    if (label.size() > 30) label = label.substr(0, 29) + "~";
    painter.DrawLine(sheet, x, y + 122, MapFont("System Font", 10, 0), label, black);
  }
  test::ExpectCanvasGolden(sheet, "docs/drawings-contact-sheet.png", "the contact sheet");
}

}  // namespace
}  // namespace zd
