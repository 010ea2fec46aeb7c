// The installed player's data: where zd32 and zdinst32 find their messages files and the
// toolbox icon, and the TOOLICON.PNT that make install puts there.
#include <gtest/gtest.h>

#include <filesystem>
#include <algorithm>
#include <set>
#include <tuple>

#include "platform/data_files.h"
#include "support/test_support.h"
#include "toolbox/toolbox_icon.h"

namespace zd {
namespace {

namespace fs = std::filesystem;

// A prefix as make install lays it out: prefix/bin/ for the program, prefix/share/zendral/.
struct InstalledTree {
  test::TempDir dir;
  std::string bin = dir.path() + "/bin/";
  std::string data = dir.path() + "/share/zendral/";
  InstalledTree() {
    fs::create_directories(bin);
    fs::create_directories(data);
  }
};

TEST(PackagingDataFiles, BesideTheProgramFirstThenTheInstalledDataFolder) {
  InstalledTree tree;
  EXPECT_FALSE(platform::FindDataFile("MESSAGES.TXT", tree.bin));

  tree.dir.Write("share/zendral/MESSAGES.TXT", "installed");
  const auto installed = platform::FindDataFile("MESSAGES.TXT", tree.bin);
  ASSERT_TRUE(installed);
  EXPECT_EQ(test::ReadFile(*installed), "installed");

  // A copy beside the program (the build tree's layout) is the one taken.
  tree.dir.Write("bin/MESSAGES.TXT", "beside");
  const auto beside = platform::FindDataFile("MESSAGES.TXT", tree.bin);
  ASSERT_TRUE(beside);
  EXPECT_EQ(test::ReadFile(*beside), "beside");

  // Another file of the same folders is not taken for the one asked for.
  EXPECT_FALSE(platform::FindDataFile("MESSAGES.EN.TXT", tree.bin));
}

TEST(PackagingDataFiles, NamesMatchWithoutCaseButOnlyRegularFilesCount) {
  InstalledTree tree;
  tree.dir.Write("share/zendral/messages.en.txt", "english");
  const auto found = platform::FindDataFile("MESSAGES.EN.TXT", tree.bin);
  ASSERT_TRUE(found);
  EXPECT_EQ(test::ReadFile(*found), "english");

  // A folder beside the program with the file's name does not hide the installed file.
  fs::create_directories(tree.bin + "TOOLICON.PNT");
  tree.dir.Write("share/zendral/TOOLICON.PNT", "icon");
  const auto icon = platform::FindDataFile("TOOLICON.PNT", tree.bin);
  ASSERT_TRUE(icon);
  EXPECT_EQ(test::ReadFile(*icon), "icon");
}

TEST(PackagingDataFiles, ANameThatIsAPathFindsNothing) {
  InstalledTree tree;
  tree.dir.Write("secret", "outside");
  tree.dir.Write("share/zendral/sub/MESSAGES.TXT", "nested");
  for (const std::string name : {"../secret", "../../secret", "sub/MESSAGES.TXT", "..", ".", ""}) {
    EXPECT_FALSE(platform::FindDataFile(name, tree.bin)) << name;
  }
}

// The installed TOOLICON.PNT is the built-in toolbox itself: drawn in a palette that holds the
// icon's colours, it gives back the built-in picture pixel for pixel, its transparent corners
// included.
TEST(PackagingToolIcon, TheInstalledIconFileDrawsTheBuiltInToolbox) {
  const std::string file = test::ReadFile(test::BuildDir() + "/packaging/TOOLICON.PNT");
  ASSERT_FALSE(file.empty()) << "the build makes packaging/TOOLICON.PNT";
  const IconPixels builtIn = BuiltInToolboxIcon();

  std::set<std::tuple<uint8_t, uint8_t, uint8_t>> colours;
  for (size_t i = 0; i < builtIn.size(); i += 4) {
    if (builtIn[i + 3]) colours.insert({builtIn[i], builtIn[i + 1], builtIn[i + 2]});
  }
  platform::PaletteRgb palette{};
  for (auto& entry : palette) entry = {128, 128, 128};
  palette[0] = {0, 0, 0};
  palette[255] = {255, 255, 255};
  size_t next = 1;
  for (const auto& [r, g, b] : colours) palette[next++] = {r, g, b};

  const auto drawn = IconFromSpriteFile(ByteView(file), ColourMatcher(palette));
  ASSERT_TRUE(drawn);
  ASSERT_EQ(drawn->size(), builtIn.size());
  size_t differing = 0;
  for (size_t i = 0; i < builtIn.size(); i += 4) {
    const bool shown = builtIn[i + 3] != 0;
    if (shown != ((*drawn)[i + 3] != 0)) ++differing;
    else if (shown && !std::equal(&builtIn[i], &builtIn[i + 3], &(*drawn)[i])) ++differing;
  }
  EXPECT_EQ(differing, 0u);
}

}  // namespace
}  // namespace zd
