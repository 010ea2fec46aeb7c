// Where status and variable files go: the names a title or a dialog argument gives, and the
// status tree on disk, which no name can leave.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "script/status/status_root.h"
#include "support/test_support.h"

namespace zd {
namespace {

using script::DialogPlaceFromArgument;
using script::StatusPathFromName;
using script::StatusRoot;

TEST(StatusNames, NumberedAndPlainNamesGiveTheirFoldersAndFiles) {
  EXPECT_EQ(StatusPathFromName("Quiz:3"), "Scripts\\Status3\\Quiz.ZDS");
  EXPECT_EQ(StatusPathFromName("LongFileName"), "Scripts\\Status\\LongFile.ZDS");
  EXPECT_EQ(StatusPathFromName("RESUME:0"), "Scripts\\Status0\\RESUME.ZDS");
  EXPECT_EQ(StatusPathFromName("Quiz:x"), "Scripts\\Status0\\Quiz.ZDS") << "no digits: 0";
  EXPECT_EQ(StatusPathFromName("Quiz:12abc"), "Scripts\\Status12\\Quiz.ZDS");
  EXPECT_EQ(StatusPathFromName("LongerThanEight:1"), "Scripts\\Status1\\LongerThanEight.ZDS")
      << "a numbered name keeps its length";
  EXPECT_EQ(StatusPathFromName(":5"), "Scripts\\Status\\5.ZDS") << "a leading colon numbers nothing";
  EXPECT_EQ(StatusPathFromName("a:b\\c"), "Scripts\\Status\\c.ZDS")
      << "a colon followed by a backslash numbers nothing";
}

TEST(StatusNames, HostileNamesStayInsideTheirFolder) {
  EXPECT_EQ(StatusPathFromName("..\\..\\x:1"), "Scripts\\Status1\\x.ZDS");
  EXPECT_EQ(StatusPathFromName("a/b:../2"), "Scripts\\Status0\\b.ZDS");
  EXPECT_EQ(StatusPathFromName("NAME:-5"), "Scripts\\Status0\\NAME.ZDS");
  EXPECT_EQ(StatusPathFromName("NAME:99999999999"), "Scripts\\Status2147483647\\NAME.ZDS");
  EXPECT_EQ(StatusPathFromName("..:1"), "") << "no file name left: no file";
  EXPECT_EQ(StatusPathFromName("*?:1"), "");
  EXPECT_EQ(StatusPathFromName(std::string(200, 'x') + ":1"),
            "Scripts\\Status1\\" + std::string(64, 'x') + ".ZDS");
  EXPECT_EQ(StatusPathFromName("C:\\WINDOWS\\win"), "Scripts\\Status\\win.ZDS");
  EXPECT_EQ(StatusPathFromName(std::string("a\nb\0c|*", 8)), "Scripts\\Status\\abc.ZDS");
}

TEST(StatusNames, DialogArgumentsGiveAFolderSuffixThatIsNeverAPath) {
  auto place = DialogPlaceFromArgument("Quiz:3", "SCRIPTS\\STATUS", ".ZDS");
  EXPECT_EQ(place.folder, "SCRIPTS\\STATUS3");
  EXPECT_EQ(place.proposedName, "Quiz.ZDS");
  place = DialogPlaceFromArgument("Notes:Unit2:b", "SCRIPTS\\VARS", ".ZDV");
  EXPECT_EQ(place.folder, "SCRIPTS\\VARS") << "the text after the first colon is not a plain word";
  EXPECT_EQ(place.proposedName, "Notes.ZDV");
  place = DialogPlaceFromArgument("Plain", "SCRIPTS\\VARS", ".ZDV");
  EXPECT_EQ(place.folder, "SCRIPTS\\VARS");
  EXPECT_EQ(place.proposedName, "Plain.ZDV");
  place = DialogPlaceFromArgument("..\\x:..\\..", "SCRIPTS\\STATUS", ".ZDS");
  EXPECT_EQ(place.folder, "SCRIPTS\\STATUS");
  EXPECT_EQ(place.proposedName, "x.ZDS");
  place = DialogPlaceFromArgument("A:b2", "SCRIPTS\\STATUS", ".ZDS");
  EXPECT_EQ(place.folder, "SCRIPTS\\STATUSb2") << "kept as written";
}

TEST(StatusNames, TheTreeOnDiskIgnoresLetterCaseAndCannotBeLeft) {
  test::TempDir dir;
  std::filesystem::create_directories(dir.path() + "/scripts/status0");
  for (const StatusRoot& root : {StatusRoot::FromOverrideDirectory(dir.path()),
                                 StatusRoot::FromSavesFolder(dir.path())}) {
    ASSERT_TRUE(root.set());
    const auto written = root.DiskPath(StatusPathFromName("RESUME:0"));
    const auto spelled = root.DiskPath("\\SCRIPTS\\STATUS0\\RESUME.ZDS");
    ASSERT_TRUE(written && spelled);
    EXPECT_EQ(*written, *spelled);
    EXPECT_EQ(*written, dir.path() + "/scripts/status0/RESUME.ZDS");
    EXPECT_FALSE(root.DiskPath("Scripts\\..\\..\\etc\\passwd"));
    EXPECT_FALSE(root.DiskPath("C:\\x"));
    EXPECT_TRUE(root.MakeFolders("Scripts\\Vars7")) << "made below the existing folder";
  }
  EXPECT_TRUE(std::filesystem::is_directory(dir.path() + "/scripts/Vars7"));
  EXPECT_FALSE(StatusRoot().set());
  EXPECT_FALSE(StatusRoot().DiskPath("Scripts\\Status\\a.ZDS"));
  EXPECT_FALSE(StatusRoot::FromSavesFolder("").set());
}

}  // namespace
}  // namespace zd
