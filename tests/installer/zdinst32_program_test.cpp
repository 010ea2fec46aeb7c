// zdinst32 as a program: its options and help, the start dialog of an installed title, the
// folder dialog when no CD folder is found, and the CD's background picture in its window.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "platform/png_codec.h"
#include "support/test_support.h"
#include "support/title_builder.h"

namespace zd {
namespace {

namespace fs = std::filesystem;
using test::Has;

constexpr const char* kTitle = R"({"pages": [{"name": "Home"}],
  "sections": [{"name": "Meadow", "page": "Home"}]})";

test::RunResult RunInstaller(const std::vector<std::string>& args, const std::string& cwd = "") {
  return test::RunProgram(test::BuildDir() + "/zdinst32", args, "", cwd);
}

std::string MakeCd(const test::TempDir& dir) {
  const std::string cd = dir.File("cd");
  fs::create_directories(cd);
  fs::copy(test::SourceDir() + "/examples/demo/PC", cd + "/PC", fs::copy_options::recursive);
  test::Build(kTitle, cd + "/_meadow");
  return cd + "/PC";
}

// A 4x2 bitmap of 8 bits per pixel, rows stored bottom-up: red on top, blue below.
std::string EightBitBitmap() {
  std::string bmp;
  const auto u16 = [&](uint16_t v) { bmp += char(v & 0xFF); bmp += char(v >> 8); };
  const auto u32 = [&](uint32_t v) { u16(v & 0xFFFF); u16(v >> 16); };
  const uint32_t table = 2 * 4, pixels = 2 * 4;
  bmp += "BM";
  u32(14 + 40 + table + pixels); u32(0); u32(14 + 40 + table);
  u32(40); u32(4); u32(2); u16(1); u16(8); u32(0); u32(pixels); u32(0); u32(0); u32(2); u32(0);
  bmp += std::string("\xFF\x00\x00\x00", 4);  // 0: blue (stored B, G, R, 0)
  bmp += std::string("\x00\x00\xFF\x00", 4);  // 1: red
  bmp += std::string(4, '\0');                // bottom row: blue
  bmp += std::string(4, '\1');                // top row: red
  return bmp;
}

std::array<uint8_t, 3> PixelAt(const platform::RgbaImage& image, int x, int y) {
  const size_t at = (size_t(y) * image.width + x) * 4;
  return {image.rgba[at], image.rgba[at + 1], image.rgba[at + 2]};
}

TEST(Zdinst32Program, InstalledTitleOffersRunAndReinstallAskedTwice) {
  test::TempDir dir;
  const std::string pc = MakeCd(dir);
  const std::string installDirectory = dir.File("installed here");
  // The CD folder given relative to where the installer runs: the launcher still finds it.
  ASSERT_EQ(pc, dir.File("cd/PC"));
  auto r = RunInstaller({"--headless", "--events",
                         dir.Write("install", "answer 1\nanswer 1\nedit " + installDirectory +
                                                  "\nanswer 1\nanswer 1\nanswer 1\n"),
                         "cd/PC"},
                        dir.path());
  ASSERT_EQ(r.status, 0) << r.err;

  // Run starts the player on the title with the recorded folder (traced, not started).
  r = RunInstaller({"--headless", "--trace", "--events", dir.Write("run", "answer 1\n"), pc});
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_TRUE(Has(r.err, "dialog IDD_START")) << r.err;
  EXPECT_TRUE(Has(r.err, "Ο τίτλος Mossgate είναι ήδη εγκατεστημένος")) << r.err;
  EXPECT_TRUE(Has(r.err, "start " + test::BuildDir() + "/zd32 -e \"" + installDirectory + "\""))
      << r.err;
  EXPECT_TRUE(Has(r.err, " " + dir.File("cd/_meadow/authorfi"))) << r.err;
  EXPECT_FALSE(Has(r.err, "dialog IDD_MAIN")) << r.err;

  // Reinstall once shows the start dialog again; Cancel there leaves.
  r = RunInstaller({"--headless", "--trace", "--events", dir.Write("once", "answer 9\nanswer 2\n"), pc});
  EXPECT_EQ(r.status, 0) << r.err;
  size_t shown = 0;
  for (size_t at = r.err.find("dialog IDD_START"); at != std::string::npos;
       at = r.err.find("dialog IDD_START", at + 1)) {
    ++shown;
  }
  EXPECT_EQ(shown, 2u) << r.err;
  EXPECT_FALSE(Has(r.err, "dialog IDD_MAIN")) << r.err;
  EXPECT_FALSE(Has(r.err, "start ")) << r.err;

  // Reinstall twice reaches the wizard.
  r = RunInstaller({"--headless", "--trace", "--lang", "en", "--events",
                    dir.Write("twice", "answer 9\nanswer 9\nanswer 2\nanswer yes\n"), pc});
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_TRUE(Has(r.err, "wizard page 0")) << r.err;
  EXPECT_TRUE(Has(r.err, "[1 \"Run\", 9 \"Reinstall\", 2 \"Cancel\"]")) << r.err;

  // Reinstalling over a learner's saves asks first: No keeps them, Yes deletes them.
  const std::string save = installDirectory + "/Scripts/Status0/RESUME.ZDS";
  std::ofstream(save) << "saved place\n";
  const auto reinstall = [&](const std::string& answer) {
    return RunInstaller({"--headless", "--trace", "--events",
                         dir.Write("again", "answer 9\nanswer 9\nanswer 1\nanswer 1\nedit " +
                                                installDirectory + "\nanswer 1\n" + answer +
                                                "\nanswer 1\nanswer 1\n"),
                         pc});
  };
  r = reinstall("answer no");
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_TRUE(Has(r.err, "message 502:")) << r.err;
  EXPECT_EQ(test::ReadFile(save), "saved place\n");
  EXPECT_TRUE(fs::exists(installDirectory + "/README.TXT"));
  r = reinstall("answer yes");
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_TRUE(Has(r.err, "wizard page 7")) << r.err;
  EXPECT_FALSE(fs::exists(save));
}

TEST(Zdinst32Program, OptionsHelpAndTheFolderDialog) {
  // --help tells the options in the language asked for, and exits 0; errors exit 2.
  auto r = RunInstaller({"--help", "--lang", "en"});
  EXPECT_EQ(r.status, 0);
  for (const char* option : {"--uninstall TITLE", "--headless", "--events FILE", "--trace",
                             "--screen", "--start-programs", "--lang el|en", "--version"}) {
    EXPECT_TRUE(Has(r.out, option)) << option;
  }
  r = RunInstaller({"--help"});
  EXPECT_EQ(r.status, 0);
  EXPECT_TRUE(Has(r.out, "Χρήση: zdinst32")) << r.out;
  r = RunInstaller({"--version"});
  EXPECT_EQ(r.status, 0);
  EXPECT_TRUE(Has(r.out, "zdinst32")) << r.out;
  for (const std::vector<std::string>& bad :
       {std::vector<std::string>{"--lang", "fr"}, {"--frobnicate"}, {"a", "b"},
        {"--uninstall"}, {"--start-programs"}, {"--screen", "0x0"}}) {
    r = RunInstaller(bad);
    EXPECT_EQ(r.status, 2) << bad[0];
    EXPECT_TRUE(Has(r.err, "zdinst32: ")) << r.err;
  }

  // No CD folder given and none beside the program: a folder dialog. Cancelled, the run ends
  // quietly; a folder chosen is where the install list is read.
  test::TempDir dir;
  const std::string pc = MakeCd(dir);
  r = RunInstaller({"--headless", "--trace", "--events", dir.Write("none", "file -\n")});
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_TRUE(Has(r.err, "dialog")) << r.err;
  EXPECT_FALSE(Has(r.err, "message")) << r.err;
  r = RunInstaller({"--headless", "--trace", "--events",
                    dir.Write("chosen", "file " + dir.File("cd") + "\nanswer 2\nanswer yes\n")});
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_TRUE(Has(r.err, "wizard page 0")) << r.err;
  // An event script that cannot be read is a usage error.
  r = RunInstaller({"--headless", "--events", dir.File("missing.events"), pc});
  EXPECT_EQ(r.status, 2) << r.err;
}

TEST(Zdinst32Program, BackgroundPictureFillsTheWindowAndABrokenOneIsIgnored) {
  test::TempDir dir;
  const std::string pc = MakeCd(dir);
  std::ofstream(pc + "/BACK.BMP", std::ios::binary) << EightBitBitmap();
  const std::string events = dir.Write("shot", "screenshot shot.png\nanswer 2\nanswer yes\n");
  auto r = RunInstaller({"--headless", "--trace", "--events", events, pc}, dir.path());
  ASSERT_EQ(r.status, 0) << r.err;
  const std::string png = test::ReadFile(dir.File("shot.png"));
  platform::RgbaImage shot;
  std::string error;
  ASSERT_TRUE(platform::DecodePngRgba(reinterpret_cast<const uint8_t*>(png.data()), png.size(),
                                      shot, error)) << error;
  ASSERT_EQ(shot.width, 640);
  ASSERT_EQ(shot.height, 480);
  // Stretched: the top half red, the bottom half blue, corner to corner.
  EXPECT_EQ(PixelAt(shot, 0, 0), (std::array<uint8_t, 3>{255, 0, 0}));
  EXPECT_EQ(PixelAt(shot, 639, 230), (std::array<uint8_t, 3>{255, 0, 0}));
  EXPECT_EQ(PixelAt(shot, 0, 479), (std::array<uint8_t, 3>{0, 0, 255}));
  EXPECT_EQ(PixelAt(shot, 639, 250), (std::array<uint8_t, 3>{0, 0, 255}));

  // Cut short (the pixels missing), huge or of another depth: a plain background, no failure.
  for (const std::string& broken :
       {EightBitBitmap().substr(0, 60), EightBitBitmap().replace(18, 4, "\xFF\xFF\xFF\x7F", 4),
        EightBitBitmap().replace(28, 2, "\x04\x00", 2), std::string("BM")}) {
    std::ofstream(pc + "/BACK.BMP", std::ios::binary | std::ios::trunc) << broken;
    fs::remove(dir.File("shot.png"));
    r = RunInstaller({"--headless", "--events", events, pc}, dir.path());
    ASSERT_EQ(r.status, 0) << r.err;
    const std::string plain = test::ReadFile(dir.File("shot.png"));
    ASSERT_TRUE(platform::DecodePngRgba(reinterpret_cast<const uint8_t*>(plain.data()),
                                        plain.size(), shot, error)) << error;
    EXPECT_EQ(PixelAt(shot, 0, 0), PixelAt(shot, 639, 479));
    EXPECT_NE(PixelAt(shot, 0, 0), (std::array<uint8_t, 3>{255, 0, 0}));
  }
}

}  // namespace
}  // namespace zd
