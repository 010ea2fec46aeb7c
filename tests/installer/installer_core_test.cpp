// Installing a title from a CD made in a temporary folder into a home whose paths hold blanks
// and Greek letters: the menu folder, the launchers, the icons, the uninstall record, reinstall
// and uninstall, and the refusals.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "base/cp1253.h"
#include "installer/installer.h"
#include "installer/sample_icons.h"
#include "installer/uninstall_record.h"
#include "support/test_support.h"

namespace zd::install {
namespace {

namespace fs = std::filesystem;
using zd::test::Has;
using zd::test::ReadFile;

void WriteBytes(const std::string& path, const std::string& bytes) {
  fs::create_directories(fs::path(path).parent_path());
  std::ofstream(path, std::ios::binary) << bytes;
}

// Every file and folder below `root`, as paths relative to it.
std::set<std::string> Listing(const std::string& root) {
  std::set<std::string> names;
  std::error_code ignored;
  for (auto it = fs::recursive_directory_iterator(root, ignored); it != fs::recursive_directory_iterator();
       it.increment(ignored)) {
    names.insert(fs::relative(it->path(), root).string() + (it->is_directory() ? "/" : ""));
  }
  return names;
}

std::set<std::string> FilesBelow(const std::string& root) {
  std::set<std::string> files;
  std::error_code ignored;
  for (auto it = fs::recursive_directory_iterator(root, ignored); it != fs::recursive_directory_iterator();
       it.increment(ignored)) {
    if (it->is_regular_file()) files.insert(it->path().string());
  }
  return files;
}

// The value of `key` in a desktop entry, its string escapes undone.
std::string EntryValue(const std::string& entryText, const std::string& key) {
  std::istringstream lines(entryText);
  std::string line;
  while (std::getline(lines, line)) {
    if (line.rfind(key + "=", 0) != 0) continue;
    std::string value;
    const std::string raw = line.substr(key.size() + 1);
    for (size_t i = 0; i < raw.size(); ++i) {
      if (raw[i] == '\\' && i + 1 < raw.size()) {
        const char e = raw[++i];
        value += e == 's' ? ' ' : e == 'n' ? '\n' : e == 't' ? '\t' : e == 'r' ? '\r' : e;
      } else {
        value += raw[i];
      }
    }
    return value;
  }
  return "<missing " + key + ">";
}

// The arguments an Exec value gives, by the desktop entry quoting rules.
std::vector<std::string> ExecArguments(const std::string& exec) {
  std::vector<std::string> arguments;
  std::string current;
  bool quoted = false, inWord = false;
  for (size_t i = 0; i < exec.size(); ++i) {
    const char c = exec[i];
    if (quoted) {
      if (c == '\\' && i + 1 < exec.size()) current += exec[++i];
      else if (c == '"') quoted = false;
      else if (c == '%' && i + 1 < exec.size() && exec[i + 1] == '%') current += exec[i++];
      else current += c;
    } else if (c == '"') {
      quoted = inWord = true;
    } else if (c == ' ') {
      if (inWord) arguments.push_back(current);
      current.clear();
      inWord = false;
    } else {
      current += c;
      inWord = true;
    }
  }
  if (inWord) arguments.push_back(current);
  return arguments;
}

// A title's CD: PC/PCINST and the files it names, the title folder with its authorfile.
struct SampleCd {
  zd::test::TempDir root;
  std::string cd = root.File("CD με κενά");
  std::string pc = cd + "/PC";
  std::string home = root.File("home Ελληνικό σπίτι");
  std::string installDirectory = root.File("Προγράμματα και κενά") + "/Mossgate";
  InstallerSetup setup;
  Trace trace;

  explicit SampleCd(const std::string& pcinstUtf8 = DefaultList()) {
    WriteBytes(pc + "/PCINST", Utf8ToCp1253(pcinstUtf8));
    WriteBytes(pc + "/moss.ico", test::SampleIcon());
    WriteBytes(pc + "/BrkPrt.ico", test::SampleIcon());
    WriteBytes(pc + "/readme.txt", "read me\n");
    WriteBytes(pc + "/Sheets/SHEETS.EXE", std::string("MZ") + std::string(62, '\0'));
    WriteBytes(cd + "/_meadow/AUTHORFI", "title");
    fs::create_directories(cd + "/ActShts");
    setup.dataHome = home + "/data";
    setup.configHome = home + "/config";
    // Characters the quoting rules must carry through.
    setup.playerPath = root.File("bin \"q\" $x `y` 100%") + "/zd32";
    setup.installerPath = "zdinst32";
    setup.programDirectory = pc;
  }
  static std::string DefaultList() {
    return "{ group \"Ζέντραλ demo\" actshts \"sheets\\sheets.exe\" readme \"README.TXT\"\n"
           "  weblink \"\\shared\\weblinks\\html\\index.htm\" }\n"
           "{ icon \"moss.ico\" item \"\" command \"-D  -S\" extrasdir \"\" path \"\\!meadow\\\" }\n";
  }
  std::string Entry(const std::string& name) const {
    return setup.dataHome + "/applications/zendral-demo-" + name + ".desktop";
  }
  // Opens the CD and installs every block; the problems met on the way.
  std::vector<InstallerMessage> Install(bool saveAndResume = true, bool removeSaves = false) {
    Installer installer(setup, trace);
    EXPECT_FALSE(installer.Open(pc));
    const auto failed = installer.Begin({installDirectory, saveAndResume}, removeSaves);
    EXPECT_FALSE(failed) << (failed ? failed->argument : "");
    std::optional<InstallerMessage> failure;
    while (installer.InstallNextBlock(failure)) {
    }
    return installer.problems();
  }
};

TEST(InstallerCoreTest, InstallsTheMenuFolderLaunchersIconsAndRecord) {
  SampleCd sample;
  EXPECT_TRUE(sample.Install().empty());

  const std::string launcher = ReadFile(sample.Entry("Mossgate"));
  EXPECT_EQ(EntryValue(launcher, "Name"), "Mossgate");
  EXPECT_EQ(EntryValue(launcher, "Categories"), "X-Zendral-demo;");
  const std::vector<std::string> expected{sample.setup.playerPath, "-D", "-S", "-e",
                                          sample.installDirectory, sample.cd + "/_meadow/AUTHORFI"};
  EXPECT_EQ(ExecArguments(EntryValue(launcher, "Exec")), expected);
  Installer again(sample.setup, sample.trace);
  ASSERT_FALSE(again.Open(sample.pc));
  EXPECT_EQ(again.RunCommand(), expected) << "Run starts what the launcher starts";
  const std::string icon = EntryValue(launcher, "Icon");
  EXPECT_EQ(icon, sample.setup.dataHome + "/icons/hicolor/32x32/apps/zendral-demo-moss.png");
  EXPECT_EQ(ReadFile(icon).substr(1, 3), "PNG");
  EXPECT_EQ(ReadFile(sample.installDirectory + "/moss.ico"), test::SampleIcon());
  EXPECT_TRUE(fs::is_directory(sample.installDirectory + "/Scripts/Status0"));

  const std::string uninstall = ReadFile(sample.Entry("uninstall"));
  EXPECT_EQ(EntryValue(uninstall, "Name[el]"), "Απεγκατάσταση");
  EXPECT_EQ(ExecArguments(EntryValue(uninstall, "Exec")),
            (std::vector<std::string>{"zdinst32", "--uninstall", "Mossgate"}));
  const std::string sheets = ReadFile(sample.Entry("activity-sheets"));
  EXPECT_EQ(ExecArguments(EntryValue(sheets, "Exec")).back(), sample.pc + "/Sheets/SHEETS.EXE");
  EXPECT_EQ(EntryValue(sheets, "Path"), sample.cd + "/ActShts");
  EXPECT_TRUE(Has(EntryValue(sheets, "Icon"), "zendral-demo-BrkPrt.png"));
  const std::string readme = ReadFile(sample.Entry("read-me"));
  EXPECT_EQ(ReadFile(sample.installDirectory + "/README.TXT"), "read me\n") << "named as the list names it";
  EXPECT_EQ(ExecArguments(EntryValue(readme, "Exec")).back(), sample.installDirectory + "/README.TXT");
  const std::string link = ReadFile(sample.Entry("internet-link"));
  EXPECT_EQ(EntryValue(link, "Type"), "Link");
  EXPECT_TRUE(Has(EntryValue(link, "URL"), "/CD%20%CE%BC%CE%B5") ) << "blanks and Greek percent-encoded";
  EXPECT_TRUE(Has(EntryValue(link, "URL"), "/shared/weblinks/html/index.htm"));
  EXPECT_TRUE(Has(ReadFile(sample.setup.dataHome + "/desktop-directories/zendral-demo.directory"),
                  "Name=Ζέντραλ demo"));
  const std::string menu = ReadFile(sample.setup.configHome + "/menus/applications-merged/zendral-demo.menu");
  EXPECT_TRUE(Has(menu, "<Name>Ζέντραλ demo</Name>"));
  EXPECT_TRUE(Has(menu, "<Category>X-Zendral-demo</Category>"));
  EXPECT_TRUE(Has(menu, "<Filename>zendral-demo-internet-link.desktop</Filename>"));

  // The record lists every file the installation wrote, and nothing else.
  const auto record = LoadRecord(sample.setup.dataHome, "Mossgate");
  ASSERT_TRUE(record);
  EXPECT_EQ(record->installDirectory, sample.installDirectory);
  EXPECT_EQ(record->group, "Ζέντραλ demo");
  std::set<std::string> written = FilesBelow(sample.home);
  written.erase(RecordPath(sample.setup.dataHome, "Mossgate"));
  for (const std::string& file : FilesBelow(sample.installDirectory)) written.insert(file);
  EXPECT_EQ(std::set<std::string>(record->files.begin(), record->files.end()), written);

  // Every entry passes the desktop's own checker.
  const std::string validator = "/usr/bin/desktop-file-validate";
  if (!fs::exists(validator)) GTEST_SKIP() << "desktop-file-validate is not installed";
  for (const std::string& file : record->files) {
    if (!Has(file, ".desktop") && !Has(file, ".directory")) continue;
    // Hints (a category of our own is no main category) are allowed; errors and warnings not.
    const auto result = zd::test::RunProgram(validator, {file});
    EXPECT_EQ(result.status, 0) << file << "\n" << result.out << result.err;
    EXPECT_FALSE(Has(result.out + result.err, "error:")) << result.out << result.err;
    EXPECT_FALSE(Has(result.out + result.err, "warning:")) << result.out << result.err;
  }
}

TEST(InstallerCoreTest, WithoutSaveAndResumeTheLauncherHasNoStatusFolder) {
  SampleCd sample;
  sample.Install(/*saveAndResume=*/false);
  const auto arguments = ExecArguments(EntryValue(ReadFile(sample.Entry("Mossgate")), "Exec"));
  EXPECT_EQ(std::count(arguments.begin(), arguments.end(), "-e"), 0);
  EXPECT_TRUE(fs::is_directory(sample.installDirectory));
  EXPECT_FALSE(fs::exists(sample.installDirectory + "/Scripts"));

  // Run uses the recorded installation: no "-e" either, and the authorfile on the CD.
  Installer again(sample.setup, sample.trace);
  ASSERT_FALSE(again.Open(sample.pc + "/"));
  ASSERT_TRUE(again.InstalledRecord());
  const auto run = again.RunCommand();
  ASSERT_TRUE(run);
  EXPECT_EQ(*run, (std::vector<std::string>{sample.setup.playerPath, "-D", "-S",
                                            sample.cd + "/_meadow/AUTHORFI"}));
}

TEST(InstallerCoreTest, ReinstallRemovesOnlyRecordedFilesAndSavesOnlyWhenAsked) {
  SampleCd sample;
  sample.Install();
  const std::string statusFolder = sample.installDirectory + "/Scripts/Status0";
  WriteBytes(statusFolder + "/Quiz.ZDS", "saved");
  WriteBytes(sample.installDirectory + "/Scripts/Status1/Other.ZDS", "other save");
  WriteBytes(sample.installDirectory + "/notes of mine.txt", "foreign");
  WriteBytes(sample.setup.dataHome + "/applications/someone-else.desktop", "foreign");

  // The new list has no read-me: its old copy goes, the foreign files stay.
  WriteBytes(sample.pc + "/PCINST", Utf8ToCp1253("{ group \"Ζέντραλ demo\" }\n{ icon \"moss.ico\" item \"\" path \"_meadow\" }"));
  Installer installer(sample.setup, sample.trace);
  ASSERT_FALSE(installer.Open(sample.pc));
  EXPECT_TRUE(installer.HasSavedFiles(sample.installDirectory));
  ASSERT_FALSE(installer.Begin({sample.installDirectory, true}, /*removeSaves=*/false));
  std::optional<InstallerMessage> failure;
  while (installer.InstallNextBlock(failure)) {
  }
  EXPECT_FALSE(fs::exists(sample.installDirectory + "/README.TXT"));
  EXPECT_FALSE(fs::exists(sample.Entry("read-me")));
  EXPECT_TRUE(fs::exists(sample.Entry("Mossgate")));
  EXPECT_TRUE(fs::exists(statusFolder + "/Quiz.ZDS")) << "saves stay unless the learner says Yes";
  EXPECT_TRUE(fs::exists(sample.installDirectory + "/notes of mine.txt"));
  EXPECT_TRUE(fs::exists(sample.setup.dataHome + "/applications/someone-else.desktop"));

  // A Yes removes the saves of the status folder, nothing beside it.
  sample.Install(true, /*removeSaves=*/true);
  EXPECT_FALSE(fs::exists(statusFolder + "/Quiz.ZDS"));
  EXPECT_TRUE(fs::is_directory(statusFolder));
  EXPECT_TRUE(fs::exists(sample.installDirectory + "/Scripts/Status1/Other.ZDS"));
  EXPECT_TRUE(fs::exists(sample.installDirectory + "/notes of mine.txt"));
}

TEST(InstallerCoreTest, UninstallLeavesNothingOfTheInstallationBehind) {
  SampleCd sample;
  const auto before = Listing(sample.root.path());
  sample.Install();
  ASSERT_NE(Listing(sample.root.path()), before);
  EXPECT_FALSE(Uninstall(sample.setup, "Mossgate", sample.trace));
  EXPECT_EQ(Listing(sample.root.path()), before);

  // A second uninstall finds nothing; names that are not plain record names are refused.
  EXPECT_EQ(Uninstall(sample.setup, "Mossgate", sample.trace)->id, message::NOT_INSTALLED);
  for (const char* bad : {"", "..", "../Mossgate", "a/b", ".hidden", "Moss gate"}) {
    EXPECT_EQ(Uninstall(sample.setup, bad, sample.trace)->id, message::BAD_NAME) << bad;
  }

  // With a save in the status folder, the folders it keeps alive stay; the rest goes.
  sample.Install();
  WriteBytes(sample.installDirectory + "/Scripts/Status0/Quiz.ZDS", "saved");
  EXPECT_FALSE(Uninstall(sample.setup, "Mossgate", sample.trace));
  EXPECT_TRUE(fs::exists(sample.installDirectory + "/Scripts/Status0/Quiz.ZDS"));
  EXPECT_FALSE(fs::exists(sample.installDirectory + "/moss.ico"));
  EXPECT_FALSE(fs::exists(sample.setup.dataHome + "/applications"));
}

TEST(InstallerCoreTest, RefusesNamesThatLeaveTheirFolders) {
  SampleCd sample(
      "{ group \"g\" actshts \"..\\..\\outside.exe\" readme \"..\\readme.txt\" weblink \"\\..\\..\\etc\" }\n"
      "{ icon \"/etc/passwd\" item \"\" path \"x\" }\n"
      "{ icon \"moss.ico\" item \"\" path \"\\..\\..\\title\" }\n");
  WriteBytes(sample.cd + "/outside.exe", "MZ");
  const auto before = Listing(sample.root.path());
  const auto problems = sample.Install();
  std::vector<std::string> refused;
  for (const auto& problem : problems) {
    if (problem.id == message::BAD_NAME) refused.push_back(problem.argument);
  }
  EXPECT_EQ(refused, (std::vector<std::string>{"..\\..\\outside.exe", "..\\readme.txt", "\\..\\..\\etc",
                                               "/etc/passwd", "\\..\\..\\title"}));
  // The launcher of the block with the refused icon is made, without an icon; the block whose
  // title path climbs makes none.
  const std::string launcher = ReadFile(sample.setup.dataHome + "/applications/zendral-g-Mossgate.desktop");
  EXPECT_EQ(ExecArguments(EntryValue(launcher, "Exec")).back(), sample.cd + "/x/authorfi._le");
  EXPECT_FALSE(Has(launcher, "Icon="));
  EXPECT_FALSE(fs::exists(sample.setup.dataHome + "/applications/zendral-g-read-me.desktop"));
  EXPECT_FALSE(fs::exists(sample.setup.dataHome + "/applications/zendral-g-activity-sheets.desktop"));
  // Written: only the install folder and the user's folders.
  for (const std::string& added : Listing(sample.root.path())) {
    if (before.count(added)) continue;
    const bool inside = added.rfind("home Ελληνικό σπίτι", 0) == 0 || added.rfind("Προγράμματα και κενά", 0) == 0;
    EXPECT_TRUE(inside) << added;
  }
}

TEST(InstallerCoreTest, ReportsListAndFolderFailuresWithoutWritingAnything) {
  SampleCd sample;
  Installer installer(sample.setup, sample.trace);
  EXPECT_EQ(installer.Open(sample.root.File("nowhere"))->id, message::LIST_UNREADABLE);
  WriteBytes(sample.pc + "/PCINST", "# nothing\n");
  EXPECT_EQ(installer.Open(sample.pc)->id, message::LIST_EMPTY);
  WriteBytes(sample.pc + "/PCINST", "{group \"ok\"}{icon \"no end}");
  const auto malformed = installer.Open(sample.pc);
  ASSERT_TRUE(malformed);
  EXPECT_EQ(malformed->id, message::LIST_MALFORMED);
  EXPECT_TRUE(Has(malformed->argument, "2")) << malformed->argument;

  // A list without a group installs under the default group.
  WriteBytes(sample.pc + "/PCINST", "{ readme \"readme.txt\" }");
  ASSERT_FALSE(installer.Open(sample.pc));
  EXPECT_TRUE(installer.groupMissing());
  EXPECT_EQ(installer.group(), "Brackmoor");

  // An install folder that cannot be made: message 604 naming it, nothing written anywhere.
  WriteBytes(sample.root.File("a file"), "x");
  const auto before = Listing(sample.root.path());
  const auto failed = installer.Begin({sample.root.File("a file") + "/Mossgate", true}, false);
  ASSERT_TRUE(failed);
  EXPECT_EQ(failed->id, message::CANNOT_MAKE_FOLDER);
  EXPECT_TRUE(Has(failed->argument, sample.root.File("a file"))) << failed->argument;
  EXPECT_EQ(Listing(sample.root.path()), before);
  EXPECT_EQ(installer.Begin({"relative/folder", true}, false)->id, message::CANNOT_MAKE_FOLDER);
  EXPECT_EQ(Listing(sample.root.path()), before);
}

TEST(InstallerCoreTest, FindsTheSourceFolderAndTheDefaultPlaces) {
  SampleCd sample;
  const std::string cd = sample.cd;
  EXPECT_EQ(FindSourceDirectory(cd, "/elsewhere"), sample.pc);
  EXPECT_EQ(FindSourceDirectory(sample.pc, "/elsewhere"), sample.pc);
  EXPECT_EQ(FindSourceDirectory(std::nullopt, sample.pc), sample.pc);
  EXPECT_EQ(FindSourceDirectory(std::nullopt, cd), sample.pc);
  fs::rename(sample.pc, cd + "/pc");
  EXPECT_EQ(FindSourceDirectory(std::nullopt, cd), cd + "/pc") << "PC in any case";
  EXPECT_EQ(FindSourceDirectory(std::nullopt, cd + "/pc"), cd + "/pc");
  EXPECT_EQ(FindSourceDirectory(sample.home, cd), std::nullopt) << "a given folder decides";
  EXPECT_EQ(FindSourceDirectory(std::nullopt, sample.home), std::nullopt);

  const auto setup = InstallerSetupFromEnvironment(
      [](const char* name) -> const char* {
        if (std::string(name) == "HOME") return "/home/learner";
        if (std::string(name) == "XDG_DATA_HOME") return "relative/data";  // ignored
        if (std::string(name) == "XDG_CONFIG_HOME") return "/cfg/";
        return nullptr;
      },
      "/nowhere/bin/");
  EXPECT_EQ(setup.dataHome, "/home/learner/.local/share");
  EXPECT_EQ(setup.configHome, "/cfg");
  EXPECT_EQ(Installer(setup, Trace()).DefaultInstallDirectory(),
            "/home/learner/.local/share/zendral/programs/Mossgate");
  EXPECT_FALSE(setup.playerPath.empty());
}

}  // namespace
}  // namespace zd::install
