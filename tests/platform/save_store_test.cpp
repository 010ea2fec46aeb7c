// Settings and saves: the user's XDG folders, names that stay inside them, and files that are
// either wholly written or not there at all.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <map>
#include <sstream>

#include "base/cp1253.h"
#include "platform/atomic_file.h"
#include "platform/files.h"
#include "platform/save_store.h"
#include "support/test_support.h"

namespace zd::platform {
namespace {

SaveFolders FoldersFrom(const std::map<std::string, std::string>& environment) {
  return SaveFoldersFromEnvironment([&](const char* name) -> const char* {
    auto it = environment.find(name);
    return it == environment.end() ? nullptr : it->second.c_str();
  });
}

size_t EntriesIn(const std::string& folder) { return ListDirectory(folder).size(); }

TEST(SaveStore, FoldersFollowTheXdgRules) {
  SaveFolders f = FoldersFrom({{"HOME", "/home/ann"}});
  EXPECT_EQ(f.settings, "/home/ann/.config/zendral");
  EXPECT_EQ(f.savesRoot, "/home/ann/.local/share/zendral");
  f = FoldersFrom({{"HOME", "/home/ann"}, {"XDG_CONFIG_HOME", "/cfg/"}, {"XDG_DATA_HOME", "/d"}});
  EXPECT_EQ(f.settings, "/cfg/zendral");
  EXPECT_EQ(f.savesRoot, "/d/zendral");
  // Relative values are not allowed and are ignored.
  f = FoldersFrom({{"HOME", "/home/ann"}, {"XDG_CONFIG_HOME", "cfg"}, {"XDG_DATA_HOME", ""}});
  EXPECT_EQ(f.settings, "/home/ann/.config/zendral");
  EXPECT_EQ(f.savesRoot, "/home/ann/.local/share/zendral");

  SaveStore store(f, nullptr);
  EXPECT_EQ(store.SavesFolder("!MOSS"), "/home/ann/.local/share/zendral/!MOSS");
  EXPECT_EQ(store.SavesFolder(Utf8ToCp1253("!ΛΙΒΑΔΙ")), "/home/ann/.local/share/zendral/!ΛΙΒΑΔΙ");
  for (const char* bad : {"", ".", "..", "a/b", "a\\b"}) EXPECT_FALSE(store.SavesFolder(bad)) << bad;
}

TEST(SaveStore, TestsNeverSeeTheUsersFolders) {
  const SaveFolders f = SaveFoldersFromEnvironment(std::getenv);
  EXPECT_EQ(f.settings.rfind(test::BuildDir() + "/test-xdg/", 0), 0u) << f.settings;
  EXPECT_EQ(f.savesRoot.rfind(test::BuildDir() + "/test-xdg/", 0), 0u) << f.savesRoot;
  // Empty at every test's start, whatever an earlier test left.
  EXPECT_EQ(EntriesIn(std::getenv("XDG_DATA_HOME")), 0u);
  std::string error;
  ASSERT_TRUE(SaveStore(f, nullptr).Write(f.settings, "zendral.ini", "[Internet]\n", error));
}

TEST(SaveStore, NamesStayInsideTheirFolder) {
  test::TempDir dir;
  SaveStore store({dir.File("config"), dir.File("data")}, nullptr);
  const std::string saves = *store.SavesFolder("!MOSS");
  for (const char* escape : {"..\\..\\evil", "Scripts/../../evil", "/etc/passwd", "\\evil",
                             "C:\\evil", "c:evil", "", ".", "./"}) {
    EXPECT_FALSE(store.PathInside(saves, escape)) << escape;
    std::string error;
    EXPECT_FALSE(store.Write(saves, escape, "x", error)) << escape;
  }
  EXPECT_EQ(store.PathInside(saves, "Scripts\\Status0\\RESUME.ZDS"),
            saves + "/Scripts/Status0/RESUME.ZDS");
  EXPECT_EQ(store.PathInside(saves, ".\\a\\\\b"), saves + "/a/b");
  EXPECT_FALSE(std::filesystem::exists(dir.File("evil")));
}

TEST(SaveStore, WritesMakeFoldersReplaceWholeFilesFindExistingOnesWithoutRegardToCase) {
  test::TempDir dir;
  std::ostringstream traced;
  Trace trace(&traced, Trace::kAll);
  SaveStore store({dir.File("config"), dir.File("data")}, &trace);
  const std::string saves = *store.SavesFolder("!MOSS");
  std::string error;
  ASSERT_TRUE(store.Write(saves, "Scripts\\Status0\\RESUME.ZDS", "first", error)) << error;
  EXPECT_EQ(test::ReadFile(saves + "/Scripts/Status0/RESUME.ZDS"), "first");
  EXPECT_NE(traced.str().find("file written " + saves + "/Scripts/Status0/RESUME.ZDS"),
            std::string::npos);
  // The same file named in other letter cases, as titles do.
  ASSERT_TRUE(store.Write(saves, "SCRIPTS\\STATUS0\\resume.zds", "second", error)) << error;
  EXPECT_EQ(store.Read(saves, "scripts/status0/Resume.ZDS"), "second");
  EXPECT_EQ(EntriesIn(saves + "/Scripts/Status0"), 1u) << "replaced, no temporary file left";
  EXPECT_FALSE(store.Read(saves, "Scripts/none.zds"));

  // A folder where a file should go: the old content stays, the failure is reported.
  ASSERT_TRUE(store.Write(store.SettingsFolder(), "zendral.ini", "old", error));
  std::filesystem::create_directories(saves + "/taken.zds");
  EXPECT_FALSE(store.Write(saves, "taken.zds", "new", error));
  EXPECT_FALSE(error.empty());
  EXPECT_EQ(store.Read(store.SettingsFolder(), "zendral.ini"), "old");
}

TEST(AtomicFile, NothingAppearsUntilCommitAndNothingIsLeftWhenAbandoned) {
  test::TempDir dir;
  const std::string path = dir.File("out.wav");
  {
    AtomicFile file;
    std::string error;
    ASSERT_TRUE(file.Open(path, error)) << error;
    EXPECT_TRUE(file.Write("0123456789"));
    EXPECT_FALSE(std::filesystem::exists(path));
    EXPECT_TRUE(file.WriteAt(2, "ab"));
    EXPECT_FALSE(file.WriteAt(9, "xyz")) << "past what was written";
    ASSERT_TRUE(file.Commit(error)) << error;
  }
  EXPECT_EQ(test::ReadFile(path), "01ab456789");
  {
    AtomicFile file;
    std::string error;
    ASSERT_TRUE(file.Open(path, error));
    file.Write("half");
  }  // dropped without a commit
  EXPECT_EQ(test::ReadFile(path), "01ab456789");
  EXPECT_EQ(EntriesIn(dir.path()), 1u);
  AtomicFile file;
  std::string error;
  EXPECT_FALSE(file.Open(dir.File("no/such/folder/x"), error));
  EXPECT_FALSE(error.empty());
}

}  // namespace
}  // namespace zd::platform
