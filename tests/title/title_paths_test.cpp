#include "title/title_paths.h"

#include <gtest/gtest.h>

#include "support/test_support.h"

namespace zd {
namespace {

TEST(TitlePaths, JoinAndSplitInTheStyleOfTheBase) {
  EXPECT_EQ(JoinTitlePath("D:\\MOSS", "res1\\res2"), "D:\\MOSS\\res1\\res2");
  EXPECT_EQ(JoinTitlePath("/cd/moss/", "res1\\res2"), "/cd/moss/res1/res2");
  EXPECT_EQ(LastComponent("D:\\MOSS\\AUTHORFI"), "AUTHORFI");
  EXPECT_EQ(LastComponent("/cd/moss/"), "moss");
  EXPECT_EQ(ParentPath("/cd/moss/authorfi"), "/cd/moss");
  EXPECT_EQ(ParentPath("/authorfi"), "/");
  EXPECT_EQ(ParentPath("authorfi"), "");
  EXPECT_EQ(LastComponents("/cd/moss/res1/res2", 3), "moss\\res1\\res2");
  EXPECT_EQ(LastComponents("res2", 3), "res2");
}

TEST(TitlePaths, TheOverrideDirectoryHoldsNewerCopies) {
  test::TempDir dir;
  dir.Write("cd/moss/res1/res2", "old");
  dir.Write("cd/moss/res1/res3", "old");
  dir.Write("save/MOSS/RES1/RES2", "new");
  const std::string resource = dir.path() + "/cd/moss/res1/res2";
  EXPECT_EQ(FindTitleFile(dir.path() + "/save", resource, 3), dir.path() + "/save/MOSS/RES1/RES2");
  EXPECT_EQ(FindTitleFile(dir.path() + "/save", dir.path() + "/cd/moss/res1/res3", 3),
            dir.path() + "/cd/moss/res1/res3");
  EXPECT_EQ(FindTitleFile("", resource, 3), resource);
  EXPECT_FALSE(FindTitleFile("", dir.path() + "/cd/moss/res1", 3)) << "a directory is no file";
  EXPECT_FALSE(FindTitleFile(dir.path() + "/save", dir.path() + "/cd/moss/res9/res9", 3));
}

}  // namespace
}  // namespace zd
