// zdinst32 with folders whose names hold letters its boxes cannot (the dialogs speak code page
// 1253, which has no "é"): the proposed install folder, a folder typed into the box, and the
// CD folder picked in the folder dialog must still be the folders on disk.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "support/test_support.h"
#include "support/title_builder.h"

namespace zd {
namespace {

namespace fs = std::filesystem;
using test::Has;

constexpr const char* kTitle = R"({"pages": [{"name": "Home"}],
  "sections": [{"name": "Meadow", "page": "Home"}]})";

std::string MakeCd(const std::string& cd) {
  fs::create_directories(cd);
  fs::copy(test::SourceDir() + "/examples/demo/PC", cd + "/PC", fs::copy_options::recursive);
  test::Build(kTitle, cd + "/_meadow");
  return cd + "/PC";
}

// Points XDG_DATA_HOME elsewhere for one test, and back when the test ends: the tests of this
// process share the one given them.
class DataHomeFor {
 public:
  DataHomeFor() : saved_(std::getenv("XDG_DATA_HOME") ? std::getenv("XDG_DATA_HOME") : "") {}
  ~DataHomeFor() { ::setenv("XDG_DATA_HOME", saved_.c_str(), 1); }
  bool Set(const std::string& folder) { return ::setenv("XDG_DATA_HOME", folder.c_str(), 1) == 0; }

 private:
  std::string saved_;
};

// Whether any file or folder below `root` has a "?" in its name (a letter lost on the way).
bool HasLostLetters(const std::string& root) {
  for (const auto& entry : fs::recursive_directory_iterator(root)) {
    if (Has(entry.path().filename().string(), "?")) return true;
  }
  return false;
}

TEST(Zdinst32Folders, InstallFolderKeepsLettersTheBoxCannotShow) {
  test::TempDir dir;
  const std::string pc = MakeCd(dir.File("cd"));
  const std::string dataHome = dir.File("josé/data");
  const std::string proposed = dataHome + "/zendral/programs/Mossgate";
  DataHomeFor home;  // below "josé"
  ASSERT_TRUE(home.Set(dataHome));

  // The proposed folder left as it is: the installation goes into it, "é" and all.
  auto r = test::RunProgram(
      test::BuildDir() + "/zdinst32",
      {"--headless", "--trace", "--events",
       dir.Write("as-proposed", "answer 1\nanswer 1\nanswer 1\nanswer 1\nanswer 1\n"), pc},
      "", "");
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_TRUE(fs::exists(proposed + "/README.TXT")) << r.err;
  EXPECT_TRUE(fs::exists(dataHome + "/zendral/installed/Mossgate.json"));

  // A folder typed with a letter the box lost is refused and the page comes back; the proposed
  // folder with a word added keeps its own letters.
  const std::string otherHome = dir.File("josé/other");
  ASSERT_TRUE(home.Set(otherHome));
  const std::string otherProposed = otherHome + "/zendral/programs/Mossgate";
  r = test::RunProgram(test::BuildDir() + "/zdinst32",
                       {"--headless", "--trace", "--lang", "en", "--events",
                        dir.Write("typed", "answer 1\nanswer 1\nedit " + dir.File("ñandú") +
                                               "\nanswer 1\nanswer ok\nedit " + otherProposed +
                                               " 2\nanswer 1\nanswer 1\nanswer 1\n"),
                        pc},
                       "", "");
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_TRUE(Has(r.err, "message 1017: The folder's name has letters")) << r.err;
  EXPECT_TRUE(Has(r.err, "wizard page 7")) << r.err;
  EXPECT_TRUE(fs::exists(otherProposed + " 2/README.TXT")) << r.err;
  EXPECT_FALSE(fs::exists(dir.File("ñandú")));
  EXPECT_FALSE(HasLostLetters(dir.path()));

  // A folder that cannot hold an installation (the root) is the user's to change: the page
  // comes back instead of the installer giving up.
  r = test::RunProgram(test::BuildDir() + "/zdinst32",
                       {"--headless", "--trace", "--lang", "en", "--events",
                        dir.Write("root", "answer 9\nanswer 9\nanswer 1\nanswer 1\nedit /\n"
                                          "answer 1\nanswer ok\nanswer 2\nanswer yes\n"),
                        pc});
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_TRUE(Has(r.err, "message 620: This folder cannot hold the installation")) << r.err;
  EXPECT_NE(r.err.find("wizard page 2", r.err.find("message 620")), std::string::npos) << r.err;
  EXPECT_FALSE(Has(r.err, "wizard page 6")) << r.err;
}

TEST(Zdinst32Folders, FolderDialogFindsTheCdAndNamesTheFolderChosen) {
  test::TempDir dir;
  MakeCd(dir.File("josé"));
  const auto run = [&](const std::string& events) {
    return test::RunProgram(test::BuildDir() + "/zdinst32",
                            {"--headless", "--trace", "--lang", "en", "--events",
                             dir.Write("events", events)});
  };
  // The CD's root picked (it comes back as "jos?"): its PC folder is read and the wizard shows.
  auto r = run("file " + dir.File("josé") + "\nanswer 2\nanswer yes\n");
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_TRUE(Has(r.err, "wizard page 0")) << r.err;
  EXPECT_FALSE(Has(r.err, "message 606")) << r.err;

  // A name that matches no folder is said to be unusable and the dialog comes back.
  r = run("file " + dir.File("ñandú") + "\nfile -\n");
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_TRUE(Has(r.err, "message 1017:")) << r.err;
  EXPECT_FALSE(Has(r.err, "wizard page")) << r.err;

  // A folder without an install list: the message names the folder chosen.
  const std::string empty = dir.File("empty");
  fs::create_directories(empty);
  r = run("file " + empty + "\n");
  EXPECT_EQ(r.status, 2) << r.err;
  EXPECT_TRUE(Has(r.err, "message 606: The install list cannot be read (" + empty + ")"))
      << r.err;
}

}  // namespace
}  // namespace zd
