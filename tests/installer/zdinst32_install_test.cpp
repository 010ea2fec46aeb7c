// zdinst32 end to end: the wizard walked through headless into a temporary home, the desktop
// entries it leaves, the title started from its launcher, and --uninstall taking it all away;
// and the ways an installation stops (cancelled, no install list, a folder that cannot be made).
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <nlohmann/json.hpp>
#include <set>
#include <string>
#include <vector>

#include "support/test_support.h"
#include "support/title_builder.h"

namespace zd {
namespace {

namespace fs = std::filesystem;
using test::Has;

constexpr const char* kTitle = R"({"pages": [{"name": "Home"}, {"name": "Next"}],
  "sections": [{"name": "Meadow", "page": "Home", "children": [{"name": "Next", "page": "Next"}]}]})";

std::string DataHome() { return std::getenv("XDG_DATA_HOME"); }
std::string ConfigHome() { return std::getenv("XDG_CONFIG_HOME"); }
std::string RecordPath() { return DataHome() + "/zendral/installed/Mossgate.json"; }

test::RunResult RunInstaller(const std::vector<std::string>& args) {
  return test::RunProgram(test::BuildDir() + "/zdinst32", args);
}

// A title's CD as the demo ships it: the PC folder with its install list beside the title.
std::string MakeCd(const test::TempDir& dir) {
  const std::string cd = dir.File("cd");
  fs::create_directories(cd);
  fs::copy(test::SourceDir() + "/examples/demo/PC", cd + "/PC", fs::copy_options::recursive);
  test::Build(kTitle, cd + "/_meadow");
  return cd + "/PC";
}

// Every file below the folders an installation may touch, so a run can be compared with none.
std::set<std::string> FilesOfHome(const std::vector<std::string>& roots) {
  std::set<std::string> files;
  for (const auto& root : roots) {
    if (!fs::exists(root)) continue;
    for (const auto& entry : fs::recursive_directory_iterator(root)) {
      if (!entry.is_directory()) files.insert(entry.path().string());
    }
  }
  return files;
}

// The Exec line of a desktop entry split as the desktop does: words, double quotes with
// backslash escapes inside them.
std::vector<std::string> ExecWords(const std::string& entryText) {
  const size_t at = entryText.find("\nExec=");
  if (at == std::string::npos) return {};
  const size_t end = entryText.find('\n', at + 1);
  std::string line = entryText.substr(at + 6, end - at - 6);
  // The key file's own escapes come first.
  std::string value;
  for (size_t i = 0; i < line.size(); ++i) {
    if (line[i] == '\\' && i + 1 < line.size() && line[i + 1] == '\\') {
      value += '\\';
      ++i;
    } else if (line[i] == '\\' && i + 1 < line.size() && line[i + 1] == 's') {
      value += ' ';
      ++i;
    } else {
      value += line[i];
    }
  }
  std::vector<std::string> words;
  std::string word;
  bool inWord = false, quoted = false;
  for (size_t i = 0; i < value.size(); ++i) {
    const char c = value[i];
    if (quoted) {
      if (c == '\\' && i + 1 < value.size()) {
        word += value[++i];
      } else if (c == '"') {
        quoted = false;
      } else {
        word += c;
      }
    } else if (c == '"') {
      quoted = inWord = true;
    } else if (c == ' ') {
      if (inWord) words.push_back(word);
      word.clear();
      inWord = false;
    } else {
      word += c;
      inWord = true;
    }
  }
  if (inWord) words.push_back(word);
  return words;
}

std::string InstallEvents(const test::TempDir& dir, const std::string& installDirectory) {
  return dir.Write("install.events",
                   "answer 1\n"  // welcome
                   "answer 1\n"  // options: save and resume stays checked
                   "edit " + installDirectory + "\n"
                   "answer 1\n"  // the folder: installs
                   "answer 1\n"  // nothing more needed
                   "answer 1\n"  // finish
  );
}

TEST(Zdinst32Install, WizardInstallsLaunchesAndUninstallLeavesNothingBehind) {
  test::TempDir dir;
  const std::string pc = MakeCd(dir);
  const std::vector<std::string> roots = {DataHome(), ConfigHome()};
  const std::set<std::string> before = FilesOfHome(roots);
  // A folder with blanks and Greek letters, as a learner may well choose.
  const std::string installDirectory = dir.File("Τα Προγράμματά μου/Mossgate demo");

  auto r = RunInstaller(
      {"--headless", "--trace", "--events", InstallEvents(dir, installDirectory), pc});
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_TRUE(Has(r.err, "dialog IDD_MAIN")) << r.err;
  EXPECT_TRUE(Has(r.err, "wizard page 7")) << r.err;
  EXPECT_TRUE(Has(r.err, "display library not needed")) << r.err;
  EXPECT_TRUE(Has(r.err, "movie system not needed")) << r.err;
  // The last page says where the title now is, and its button finishes.
  EXPECT_TRUE(Has(r.err, "«Zendral demo»")) << r.err;
  EXPECT_TRUE(Has(r.err, "\"Τέλος\"")) << r.err;

  // The read-me and the icon in the install folder, the status folder for saves.
  EXPECT_EQ(test::ReadFile(installDirectory + "/README.TXT"),
            test::ReadFile(pc + "/README.TXT"));
  EXPECT_TRUE(fs::exists(installDirectory + "/MEADOW.ICO"));
  EXPECT_TRUE(fs::is_directory(installDirectory + "/Scripts/Status0"));

  // The desktop entries are valid, and one of them launches the title.
  const auto record = nlohmann::json::parse(test::ReadFile(RecordPath()));
  EXPECT_EQ(record["installDirectory"], installDirectory);
  std::vector<std::string> exec;
  int entries = 0;
  for (const auto& file : record["files"]) {
    const std::string path = file.get<std::string>();
    if (fs::path(path).extension() != ".desktop") continue;
    ++entries;
    EXPECT_EQ(path.rfind(DataHome() + "/applications/", 0), 0u) << path;
    if (fs::exists("/usr/bin/desktop-file-validate")) {
      const auto valid = test::RunProgram("/usr/bin/desktop-file-validate", {path});
      EXPECT_EQ(valid.status, 0) << path << "\n" << valid.out << valid.err;
    }
    const auto words = ExecWords(test::ReadFile(path));
    if (!words.empty() && fs::path(words[0]).filename() == "zd32") exec = words;
  }
  EXPECT_GE(entries, 2);  // the title and its read-me at least
  ASSERT_GE(exec.size(), 2u) << "no launcher of zd32 among the entries";
  EXPECT_EQ(exec[0], test::BuildDir() + "/zd32");
  EXPECT_NE(std::find(exec.begin(), exec.end(), installDirectory), exec.end());

  // Started as the launcher starts it, with the headless options after the program.
  std::vector<std::string> launch(exec.begin() + 1, exec.end());
  const std::string quit = dir.Write("quit.events", "wait 100\nexpect page Home\nquit\nanswer yes\n");
  launch.insert(launch.begin(), {"--headless", "--trace", "--events", quit});
  r = test::RunProgram(exec[0], launch);
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_TRUE(Has(r.err, "page 0 Home")) << r.err;

  // The menu's Uninstall entry asks first; without an answer nothing is taken away.
  r = RunInstaller({"--headless", "--trace", "--uninstall", "Mossgate"});
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_TRUE(Has(r.err, "message 1018: Να απεγκατασταθεί ο τίτλος Mossgate;")) << r.err;
  EXPECT_TRUE(fs::exists(RecordPath()));
  EXPECT_FALSE(Has(r.err, "message 1019")) << r.err;

  // Uninstalled: every file the installation wrote is gone, and so is the record; the
  // learner's saves in the install folder are the learner's, and stay, as the last box says.
  r = RunInstaller({"--headless", "--trace", "--lang", "en", "--uninstall", "Mossgate",
                    "--events", dir.Write("yes.events", "answer yes\n")});
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_TRUE(Has(r.err, "message 1018: Uninstall the title Mossgate?")) << r.err;
  EXPECT_TRUE(Has(r.err, "message 1019: The title Mossgate was uninstalled.")) << r.err;
  EXPECT_TRUE(Has(r.err, "Scripts/Status0")) << r.err;
  EXPECT_FALSE(fs::exists(RecordPath()));
  for (const auto& file : record["files"]) {
    EXPECT_FALSE(fs::exists(file.get<std::string>())) << file;
  }
  std::set<std::string> after = FilesOfHome(roots);
  std::erase_if(after, [](const std::string& p) { return Has(p, "/zendral/zendral.ini"); });
  EXPECT_EQ(after, before);
  for (const auto& left : FilesOfHome({installDirectory})) {
    EXPECT_TRUE(Has(left, "/Scripts/Status0/")) << left;
  }

  // A second uninstall finds nothing to remove, and says so.
  r = RunInstaller({"--headless", "--trace", "--uninstall", "Mossgate", "--lang", "en"});
  EXPECT_EQ(r.status, 2);
  EXPECT_TRUE(Has(r.err, "message 610: The title Mossgate is not installed.")) << r.err;
  EXPECT_FALSE(Has(r.err, "message 1018")) << r.err;
}

TEST(Zdinst32Install, StopsWithAMessageAndWritesNothingWhenItCannotGoOn) {
  test::TempDir dir;
  const std::string pc = MakeCd(dir);
  const std::vector<std::string> roots = {DataHome(), ConfigHome()};
  const std::set<std::string> before = FilesOfHome(roots);

  // Cancel asks first; No stays on the page, Yes ends without writing anything.
  auto r = RunInstaller({"--headless", "--trace", "--events",
                         dir.Write("cancel", "answer 1\nanswer 1\nanswer 2\nanswer no\n"
                                             "answer 2\nanswer yes\n"),
                         pc});
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_TRUE(Has(r.err, "message 507: Σίγουρα θέλετε να ακυρώσετε την εγκατάσταση;")) << r.err;
  EXPECT_FALSE(Has(r.err, "wizard page 3")) << r.err;
  EXPECT_FALSE(Has(r.err, "file written")) << r.err;
  EXPECT_EQ(FilesOfHome(roots), before);

  // An install folder that cannot be made (below a file): a message that names it, and the
  // installation stops with nothing in the menu.
  const std::string blocker = dir.Write("plain-file", "x");
  r = RunInstaller({"--headless", "--trace", "--lang", "en", "--events",
                    InstallEvents(dir, blocker + "/Mossgate"), pc});
  EXPECT_EQ(r.status, 2) << r.err;
  EXPECT_TRUE(Has(r.err, "message 604: The folder cannot be made: " + blocker)) << r.err;
  EXPECT_FALSE(Has(r.err, "wizard page 6")) << r.err;
  EXPECT_FALSE(fs::exists(DataHome() + "/applications")) << r.err;

  // A relative folder is refused on its page, which is shown again.
  r = RunInstaller({"--headless", "--trace", "--lang", "en", "--events",
                    dir.Write("relative", "answer 1\nanswer 1\nedit somewhere\nanswer 1\n"
                                          "answer ok\nanswer 2\nanswer yes\n"),
                    pc});
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_TRUE(Has(r.err, "whole path")) << r.err;
  EXPECT_FALSE(fs::exists("somewhere"));

  // No install list where the folder was given: 606, and a failure status.
  const std::string empty = dir.File("no-list");
  fs::create_directories(empty);
  r = RunInstaller({"--headless", "--trace", empty});
  EXPECT_EQ(r.status, 2) << r.err;
  EXPECT_TRUE(Has(r.err, "message 606: Δεν μπορεί να διαβαστεί το αρχείο της εγκατάστασης")) << r.err;
  // A list with nothing to install: 607.
  const std::string blank = dir.File("blank-list");
  fs::create_directories(blank);
  std::ofstream(blank + "/PCINST") << "# nothing here\n";
  r = RunInstaller({"--headless", "--trace", blank});
  EXPECT_EQ(r.status, 2) << r.err;
  EXPECT_TRUE(Has(r.err, "message 607:")) << r.err;
  EXPECT_EQ(FilesOfHome(roots), before);
}

TEST(Zdinst32Install, PagesKeepTheirChoicesAndWithoutSaveAndResumeNoSavesFolder) {
  test::TempDir dir;
  const std::string pc = MakeCd(dir);
  const std::string installDirectory = dir.File("plain");
  // Save and resume cleared, then Back from the folder page: the option page shows it cleared
  // still. On the last but one page the viewer installer is not on this CD: 510.
  const auto r = RunInstaller({"--headless", "--trace", "--lang", "en", "--events",
                               dir.Write("events", "answer 1\nuncheck 109\nanswer 1\n"
                                                   "answer 107\nanswer 1\n"
                                                   "edit " + installDirectory + "\nanswer 1\n"
                                                   "answer 777\nanswer ok\n"
                                                   "answer 1\nanswer 1\n"),
                               pc});
  ASSERT_EQ(r.status, 0) << r.err;
  const size_t second = r.err.find("wizard page 1", r.err.find("wizard page 2"));
  ASSERT_NE(second, std::string::npos) << r.err;
  const std::string page = r.err.substr(second, r.err.find('\n', r.err.find("dialog", second)) - second);
  EXPECT_TRUE(Has(page, "109 \"Save and resume\"")) << page;
  EXPECT_FALSE(Has(page, "(checked)")) << page;
  EXPECT_TRUE(Has(r.err, "message 510: BLAXXUN Contact cannot be installed.")) << r.err;
  EXPECT_TRUE(Has(r.err, "wizard page 7")) << r.err;

  EXPECT_TRUE(fs::exists(installDirectory + "/README.TXT"));
  EXPECT_FALSE(fs::exists(installDirectory + "/Scripts"));
  const auto record = nlohmann::json::parse(test::ReadFile(RecordPath()));
  EXPECT_EQ(record["saveAndResume"], false);
  for (const auto& file : record["files"]) {
    const std::string text = test::ReadFile(file.get<std::string>());
    const auto words = ExecWords(text);
    if (words.empty() || fs::path(words[0]).filename() != "zd32") continue;
    EXPECT_EQ(std::find(words.begin(), words.end(), "-e"), words.end()) << text;
  }
}

}  // namespace
}  // namespace zd
