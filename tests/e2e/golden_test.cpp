// Pictures compared pixel for pixel with the golden copies in tests/golden/. Run `make golden`
// to write them anew after a deliberate change, and look at every picture it changed.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "platform/png_codec.h"
#include "support/test_support.h"

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

}  // namespace
}  // namespace zd
