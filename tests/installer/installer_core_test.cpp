// Installing a title from a CD made in a temporary folder into a home whose paths hold blanks
// and Greek letters: the menu folder, the launchers, the icons, the uninstall record, reinstall
// and uninstall, and the refusals.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "base/cp1253.h"
#include "installer/desktop_entry.h"
#include "installer/installer.h"
#include "installer/sample_icons.h"
#include "installer/title_launcher.h"
#include "installer/uninstall_record.h"
#include "platform/png_codec.h"
#include "support/test_support.h"
#include "weblink/desktop_applications.h"

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

// The words the desktop's reader (the one the player's browser list uses) takes from the Exec
// line of the entry at `path`; the reader keeps "%%" as is, the desktop makes it one "%".
std::vector<std::string> ExecArguments(const std::string& path) {
  const auto entry = zd::LoadStartableEntry(path);
  if (!entry) return {"<not a startable entry: " + path + ">"};
  std::vector<std::string> words = entry->exec;
  for (std::string& word : words) {
    for (size_t at = word.find("%%"); at != std::string::npos; at = word.find("%%", at + 1)) {
      word.erase(at, 1);
    }
  }
  return words;
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
    setup.home = home;
    setup.dataHome = home + "/data";
    setup.configHome = home + "/config";
    fs::create_directories(setup.dataHome);
    fs::create_directories(setup.configHome);
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
  std::string slug = GroupSlug("Ζέντραλ demo");
  std::string Entry(const std::string& name) const {
    return setup.dataHome + "/applications/zendral-" + slug + "-" + name + ".desktop";
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
  EXPECT_EQ(EntryValue(launcher, "Categories"), "X-Zendral-" + sample.slug + ";");
  const std::vector<std::string> expected{sample.setup.playerPath, "-D", "-S", "-e",
                                          sample.installDirectory, sample.cd + "/_meadow/AUTHORFI"};
  EXPECT_EQ(ExecArguments(sample.Entry("Mossgate")), expected);
  Installer again(sample.setup, sample.trace);
  ASSERT_FALSE(again.Open(sample.pc));
  EXPECT_EQ(again.RunCommand(), expected) << "Run starts what the launcher starts";
  // The icon by its theme name, the picture in the hicolor folder of its size.
  const std::string icon = EntryValue(launcher, "Icon");
  EXPECT_EQ(icon, "zendral-" + sample.slug + "-moss");
  EXPECT_EQ(ReadFile(sample.setup.dataHome + "/icons/hicolor/32x32/apps/" + icon + ".png").substr(1, 3), "PNG");
  EXPECT_EQ(ReadFile(sample.installDirectory + "/moss.ico"), test::SampleIcon());
  EXPECT_TRUE(fs::is_directory(sample.installDirectory + "/Scripts/Status0"));

  const std::string uninstall = ReadFile(sample.Entry("uninstall"));
  EXPECT_EQ(EntryValue(uninstall, "Name[el]"), "Απεγκατάσταση");
  EXPECT_EQ(ExecArguments(sample.Entry("uninstall")),
            (std::vector<std::string>{"zdinst32", "--uninstall", "Mossgate"}));
  const std::string sheets = ReadFile(sample.Entry("activity-sheets"));
  EXPECT_EQ(ExecArguments(sample.Entry("activity-sheets")).back(), sample.pc + "/Sheets/SHEETS.EXE");
  EXPECT_EQ(EntryValue(sheets, "Path"), sample.cd + "/ActShts");
  EXPECT_EQ(EntryValue(sheets, "Icon"), "zendral-" + sample.slug + "-BrkPrt");
  const std::string readme = ReadFile(sample.Entry("read-me"));
  EXPECT_EQ(ReadFile(sample.installDirectory + "/README.TXT"), "read me\n") << "named as the list names it";
  EXPECT_EQ(ExecArguments(sample.Entry("read-me")).back(), sample.installDirectory + "/README.TXT");
  // The internet link is an application in the group's category, so menus list it.
  const std::string link = ReadFile(sample.Entry("internet-link"));
  EXPECT_EQ(EntryValue(link, "Categories"), "X-Zendral-" + sample.slug + ";");
  const auto linkWords = ExecArguments(sample.Entry("internet-link"));
  ASSERT_EQ(linkWords.size(), 2u);
  EXPECT_TRUE(Has(linkWords[0], "xdg-open"));
  EXPECT_EQ(linkWords[1].rfind("file:///", 0), 0u) << linkWords[1];
  EXPECT_TRUE(Has(linkWords[1], "/CD%20%CE%BC%CE%B5")) << "blanks and Greek percent-encoded";
  EXPECT_TRUE(Has(linkWords[1], "/shared/weblinks/html/index.htm"));
  EXPECT_TRUE(Has(ReadFile(sample.setup.dataHome + "/desktop-directories/zendral-" + sample.slug + ".directory"),
                  "Name=Ζέντραλ demo"));
  const std::string menu =
      ReadFile(sample.setup.configHome + "/menus/applications-merged/zendral-" + sample.slug + ".menu");
  EXPECT_TRUE(Has(menu, "<Name>Ζέντραλ demo</Name>"));
  EXPECT_TRUE(Has(menu, "<Category>X-Zendral-" + sample.slug + "</Category>"));
  EXPECT_FALSE(Has(menu, "<Filename>"));

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
  const auto arguments = ExecArguments(sample.Entry("Mossgate"));
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
  const std::string launcherPath = sample.setup.dataHome + "/applications/zendral-g-Mossgate.desktop";
  const std::string launcher = ReadFile(launcherPath);
  EXPECT_EQ(ExecArguments(launcherPath).back(), sample.cd + "/x/authorfi._le");
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
  // Folders that cannot be install folders get their own message, never the system's EINVAL,
  // and a name that is no UTF-8 is shown readable.
  for (const std::string& bad : {std::string("relative/folder"), sample.root.File("a/../b"),
                                 std::string("/"), sample.home, sample.setup.dataHome,
                                 sample.root.File("\xff\xfe bad")}) {
    const auto refused = installer.Begin({bad, true}, false);
    ASSERT_TRUE(refused) << bad;
    EXPECT_EQ(refused->id, message::BAD_FOLDER) << bad;
    EXPECT_EQ(refused->argument.find('\xff'), std::string::npos);
  }
  EXPECT_TRUE(Has(installer.Begin({sample.root.File("\xff bad"), true}, false)->argument, "? bad"));
  EXPECT_EQ(Listing(sample.root.path()), before);
}

TEST(InstallerCoreTest, AFailedReinstallLeavesTheWorkingInstallationWhole) {
  SampleCd sample;
  sample.Install();
  const std::string recordPath = RecordPath(sample.setup.dataHome, "Mossgate");
  const std::string recordBefore = ReadFile(recordPath);
  const auto filesBefore = Listing(sample.home);
  WriteBytes(sample.root.File("a file"), "x");

  Installer installer(sample.setup, sample.trace);
  ASSERT_FALSE(installer.Open(sample.pc));
  const auto failed = installer.Begin({sample.root.File("a file") + "/Deeper/Mossgate", true}, true);
  ASSERT_TRUE(failed);
  EXPECT_EQ(failed->id, message::CANNOT_MAKE_FOLDER);
  EXPECT_EQ(ReadFile(recordPath), recordBefore) << "the earlier record is untouched";
  EXPECT_EQ(Listing(sample.home), filesBefore) << "the earlier entries and icons stay";
  EXPECT_EQ(ReadFile(sample.installDirectory + "/moss.ico"), test::SampleIcon());
  EXPECT_EQ(ExecArguments(sample.Entry("Mossgate")).back(), sample.cd + "/_meadow/AUTHORFI");
  // ... and it can still be taken away completely.
  EXPECT_FALSE(Uninstall(sample.setup, "Mossgate", sample.trace));
  EXPECT_FALSE(fs::exists(sample.installDirectory));
}

TEST(InstallerCoreTest, UninstallRemovesOnlyWhatTheInstallerCanHaveWritten) {
  SampleCd sample;
  sample.Install();
  const std::string data = sample.setup.dataHome;
  // Things a hand-edited record may name that are the user's own.
  const std::vector<std::string> foreign{
      sample.home + "/thesis.odt",
      data + "/applications/firefox.desktop",
      data + "/applications/zendral-extra.desktop.bak",
      data + "/icons/hicolor/48x48/apps/firefox.png",
      data + "/zendral/settings.json",
      sample.installDirectory + "/.hidden",
      sample.installDirectory + "/Sub/inner.txt",
      sample.installDirectory + "/Scripts/Status0/Quiz.ZDS",
      sample.root.File("elsewhere.txt")};
  for (const std::string& file : foreign) WriteBytes(file, "mine");
  // A link where a copy was: the link goes nowhere; what it points at is never touched.
  fs::remove(sample.installDirectory + "/moss.ico");
  fs::create_symlink(sample.home + "/thesis.odt", sample.installDirectory + "/moss.ico");
  fs::create_directories(sample.home + "/Documents");

  auto record = LoadRecord(data, "Mossgate");
  ASSERT_TRUE(record);
  record->files.insert(record->files.end(), foreign.begin(), foreign.end());
  record->files.push_back(sample.installDirectory + "/../thesis.odt");
  record->folders.push_back(sample.home + "/Documents");
  record->folders.push_back(sample.home);
  WriteBytes(RecordPath(data, "Mossgate"), RecordToJson(*record));

  const auto refused = Uninstall(sample.setup, "Mossgate", sample.trace);
  ASSERT_TRUE(refused) << "the refusals are reported";
  EXPECT_EQ(refused->id, message::RECORD_REFUSED);
  for (const std::string& file : foreign) EXPECT_EQ(ReadFile(file), "mine") << file;
  EXPECT_TRUE(fs::is_symlink(sample.installDirectory + "/moss.ico"));
  EXPECT_TRUE(fs::is_directory(sample.home + "/Documents"));
  EXPECT_FALSE(fs::exists(sample.Entry("Mossgate"))) << "what the installer wrote still goes";
  EXPECT_FALSE(fs::exists(sample.installDirectory + "/README.TXT"));
  EXPECT_FALSE(fs::exists(RecordPath(data, "Mossgate")));

  // A record whose install folder is the home (or "/", or above the data folder) gets nothing
  // removed there, not even files with the installer's names.
  for (const std::string& folder : {sample.home, std::string("/"), sample.root.path(), data}) {
    WriteBytes(sample.home + "/readme.txt", "mine");
    UninstallRecord bad;
    bad.title = "Mossgate";
    bad.installDirectory = folder;
    bad.files = {sample.home + "/readme.txt", folder + "/readme.txt"};
    bad.folders = {sample.home};
    WriteBytes(RecordPath(data, "Mossgate"), RecordToJson(bad));
    const auto message = Uninstall(sample.setup, "Mossgate", sample.trace);
    ASSERT_TRUE(message) << folder;
    EXPECT_EQ(message->id, message::RECORD_REFUSED) << folder;
    EXPECT_TRUE(Has(message->argument, folder)) << message->argument;
    EXPECT_EQ(ReadFile(sample.home + "/readme.txt"), "mine") << folder;
  }
  EXPECT_TRUE(fs::is_directory(sample.home));
}

TEST(InstallerCoreTest, TheCdCannotGiveThePlayerTheInstallersOwnOptions) {
  SampleCd sample(
      "{ group \"g\" }\n"
      "{ icon \"moss.ico\" item \"\" extrasdir \"\" path \"_meadow\"\n"
      "  command \"-D --run-script /tmp/x.zds -e /tmp/elsewhere --audio-out=/tmp/a.wav -S -E/tmp/b -M a-E --start-programs\" }\n");
  const auto problems = sample.Install();
  std::vector<std::string> refused;
  for (const auto& problem : problems) {
    if (problem.id == message::REFUSED_OPTION) refused.push_back(problem.argument);
  }
  EXPECT_EQ(refused, (std::vector<std::string>{"--run-script /tmp/x.zds", "-e /tmp/elsewhere",
                                               "--audio-out=/tmp/a.wav", "-E/tmp/b", "a-E", "--start-programs"}));
  const std::vector<std::string> expected{sample.setup.playerPath, "-D", "-S", "-M", "-e",
                                          sample.installDirectory, sample.cd + "/_meadow/AUTHORFI"};
  EXPECT_EQ(ExecArguments(sample.setup.dataHome + "/applications/zendral-g-Mossgate.desktop"), expected);
  Installer again(sample.setup, sample.trace);
  ASSERT_FALSE(again.Open(sample.pc));
  EXPECT_EQ(again.RunCommand(), expected) << "Run leaves them out too";
}

TEST(InstallerCoreTest, RefusesHiddenOptionLikeAndWrongKindsOfNamesAndKeepsForeignFiles) {
  EXPECT_FALSE(IsBareName(".profile"));
  EXPECT_FALSE(IsBareName("-rf.ico"));
  EXPECT_TRUE(IsBareName("moss.ico"));
  SampleCd sample(
      "{ group \"g\" readme \"SETUP.EXE\" weblink \"shared\\page.exe\" }\n"
      "{ icon \"-moss.ico\" item \"\" path \"_meadow\" }\n"
      "{ icon \"moss.ico\" }\n{ icon \"moss.ico\" }\n{ icon \"BrkPrt.ico\" }\n");
  WriteBytes(sample.pc + "/SETUP.EXE", "MZ");
  WriteBytes(sample.pc + "/-moss.ico", test::SampleIcon());
  // The learner's own file where the installer would put its copy.
  WriteBytes(sample.installDirectory + "/BrkPrt.ico", "my drawing");
  std::vector<std::pair<int, std::string>> seen;
  for (const auto& problem : sample.Install()) seen.emplace_back(problem.id, problem.argument);
  EXPECT_EQ(seen, (std::vector<std::pair<int, std::string>>{
                      {message::BAD_NAME, "SETUP.EXE"},
                      {message::BAD_NAME, "shared\\page.exe"},
                      {message::BAD_NAME, "-moss.ico"},
                      {message::FILE_IN_THE_WAY, sample.installDirectory + "/BrkPrt.ico"}}))
      << "the same icon named twice is installed once";
  EXPECT_EQ(ReadFile(sample.installDirectory + "/BrkPrt.ico"), "my drawing");
  EXPECT_FALSE(fs::exists(sample.installDirectory + "/SETUP.EXE"));
  const auto record = LoadRecord(sample.setup.dataHome, "Mossgate");
  ASSERT_TRUE(record);
  EXPECT_EQ(std::count(record->files.begin(), record->files.end(), sample.installDirectory + "/BrkPrt.ico"), 0);

  // Reinstalling replaces the installer's own copies without a word; the learner's stays.
  for (const auto& problem : sample.Install()) {
    if (problem.id == message::FILE_IN_THE_WAY) {
      EXPECT_EQ(problem.argument, sample.installDirectory + "/BrkPrt.ico");
    }
  }
  EXPECT_FALSE(Uninstall(sample.setup, "Mossgate", sample.trace));
  EXPECT_EQ(ReadFile(sample.installDirectory + "/BrkPrt.ico"), "my drawing");
}

TEST(InstallerCoreTest, GroupsGetDistinctStableSlugsAndIconsStandardSizes) {
  EXPECT_EQ(GroupSlug("Zendral demo"), "Zendral-demo");
  EXPECT_EQ(GroupSlug(" A_b - c "), "A-b-c");
  const std::string greekA = GroupSlug("Μαθηματικά"), greekB = GroupSlug("Γεωγραφία");
  EXPECT_NE(greekA, greekB);
  EXPECT_EQ(greekA, GroupSlug("Μαθηματικά"));
  EXPECT_NE(GroupSlug("Ζέντραλ demo"), GroupSlug("Ζωολογία demo"));
  EXPECT_EQ(GroupSlug("Ζέντραλ demo").rfind("demo-", 0), 0u);
  for (const std::string& slug : {greekA, greekB, GroupSlug("A+B"), GroupSlug("A&B")}) {
    EXPECT_FALSE(slug.empty());
    for (char c : slug) EXPECT_TRUE(std::isalnum(static_cast<unsigned char>(c)) || c == '-') << slug;
  }
  EXPECT_NE(GroupSlug("A+B"), GroupSlug("A&B"));

  // Two Greek groups installed one after the other keep their own menu files.
  SampleCd sample("{ group \"Μαθηματικά\" }\n{ icon \"odd.ico\" item \"\" path \"_meadow\" }\n");
  // A 20 by 20 picture is no theme size: it goes in 48x48, scaled.
  WriteBytes(sample.pc + "/odd.ico",
             test::IconFile({test::BitmapIcon(20, 20, 24, {}, [](int x, int) { return x < 10 ? 0xFF0000u : 0x00FF00u; },
                                              [](int, int) { return false; })}));
  EXPECT_TRUE(sample.Install().empty());
  const std::string icon = sample.setup.dataHome + "/icons/hicolor/48x48/apps/zendral-" + greekA + "-odd.png";
  platform::RgbaImage picture;
  std::string error;
  const std::string png = ReadFile(icon);
  ASSERT_TRUE(platform::DecodePngRgba(reinterpret_cast<const uint8_t*>(png.data()), png.size(), picture, error))
      << icon << " " << error;
  EXPECT_EQ(picture.width, 48);
  EXPECT_EQ(picture.height, 48);
  EXPECT_EQ(picture.rgba[0], 255) << "left: red";
  EXPECT_EQ(picture.rgba[(47 * 48 + 47) * 4 + 1], 255) << "right: green";
  EXPECT_TRUE(fs::exists(sample.setup.configHome + "/menus/applications-merged/zendral-" + greekA + ".menu"));
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
