// The dialogs of status and variable files as a learner meets them: the popup menu's Save
// settings and Load settings, the resume offer at start and its three answers, the dialogs the
// title's scripts open, in Greek and in English runs.
#include <gtest/gtest.h>

#include <cctype>
#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "support/script_objects.h"
#include "support/test_support.h"
#include "support/title_builder.h"

namespace zd {
namespace {

namespace fs = std::filesystem;
using test::Has;

using test::ScriptButton;
using test::ScriptObject;

// Page One: To Two (100,20), the script dialogs (100,70 to 100,220); page Two: Back (100,20).
// Both pages copy Resume$ into Why$ when entered.
const std::string kToTwo = "set Score%, 5\ntooverview \"Two\"\n";
const std::string kSaveDialog = "set Score%, 9\nsavestatusdialog \"Quiz:4\"\nset Score%, 1\n";
const std::string kVars =
    "set Level%, 7\nsavevarsdialog \"Marks:1\"\nsavevar Level%\nset Name$, \"Anna\"\n"
    "savevar Name$\nclosevarsfile\nset Level%, 0\nset Name$, \"x\"\n";

// The title in `directory` (its application name is the directory's with "!" for "_").
std::string DialogTitle(const std::string& directory) {
  return R"({"titles": [{"directory": ")" + directory + R"(", "pages": [
      {"name": "One", "objects": [)" +
         ScriptButton("Two", 0, "+ToTwo") + "," + ScriptButton("SaveDlg", 50, "+SaveDlg") + "," +
         ScriptButton("LoadDlg", 100, "+LoadDlg") + "," + ScriptButton("Vars", 150, "+Vars") + "," +
         ScriptButton("LoadVars", 200, "+LoadVars") + "," + ScriptObject("+ToTwo", kToTwo) + "," +
         ScriptObject("+SaveDlg", kSaveDialog) + "," +
         ScriptObject("+LoadDlg", "loadstatusdialog \"Quiz:4\"\n") + "," + ScriptObject("+Vars", kVars) +
         "," + ScriptObject("+LoadVars", "loadvarsdialog \"Marks:1\"\n") + "," +
         ScriptObject("+Start", "set Why$, Resume$\n", false) + R"(]},
      {"name": "Two", "objects": [)" +
         ScriptButton("Back", 0, "+Back") + "," + ScriptObject("+Back", "tooverview \"One\"\n") + "," +
         ScriptObject("+Start", "set Why$, Resume$\n", false) + R"(]}],
    "resources": [],
    "sections": [{"name": "One", "page": 0}, {"name": "Two", "page": 1, "parent": 0}]}]})";
}

std::string Events(std::initializer_list<std::string> lines) {
  std::string text;
  for (const std::string& line : lines) text += line + "\n";
  return text;
}

std::string SavesFolder(const std::string& appName) {
  return std::string(std::getenv("XDG_DATA_HOME")) + "/zendral/" + appName;
}

class SavesDialogs : public testing::Test {
 protected:
  // Each test has a title of its own, so its saves folder is its own (the application name:
  // "!" and the rest of the directory's name in capitals).
  void Use(const std::string& directory) {
    directory_ = directory;
    test::Build(DialogTitle(directory), dir_.File("titles"));
    std::string appName = "!";
    for (char c : directory.substr(1)) appName += char(std::toupper(static_cast<unsigned char>(c)));
    saves_ = SavesFolder(appName);
    fs::remove_all(saves_);
  }

  test::RunResult Play(const std::string& events, std::vector<std::string> options = {}) {
    std::vector<std::string> args = {"--headless", "--trace=page,message,dialog,file",
                                     "--events", dir_.Write("events" + std::to_string(++runs_), events)};
    args.insert(args.end(), options.begin(), options.end());
    args.push_back(dir_.File("titles/" + directory_ + "/authorfi"));
    const auto r = test::RunPlayer(args, dir_.path());
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_FALSE(Has(r.err, "expect failed")) << r.err;
    return r;
  }

  test::TempDir dir_;
  std::string directory_, saves_;
  int runs_ = 0;
};

size_t Count(const std::string& text, const std::string& part) {
  size_t n = 0;
  for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++n;
  return n;
}

// Without -E the popup's entries work in the saves folder: Save settings proposes the first
// user's file in Status0, adds ".ZDS" to a bare name, asks before replacing a file (No: the
// dialog again), keeps a name as typed under "all files"; Load settings finds a bare name's
// ".ZDS" file and brings the learner back to its page.
TEST_F(SavesDialogs, TheMenuSavesAndLoadsInTheUsersFolderAndAsksBeforeReplacing) {
  Use("_dlgmenu");
  const std::string mine = dir_.File("mine"), other = dir_.File("other");
  const auto r = Play(Events({"wait 100", "click 100 20", "wait 100", "expect page Two",
                              "rclick 400 300", "menu 113", "file " + mine, "wait 50",
                              "rclick 400 300", "menu 113", "file " + mine, "answer no",
                              "filetype 2", "file " + other, "wait 50", "click 100 20", "wait 100",
                              "expect page One", "expect var Why$ ", "rclick 400 300",
                              "menu 114", "file " + mine, "wait 300", "expect page Two",
                              "expect var Why$ USER SAVE", "expect var Score% 5"}));
  // Without -E the entries are not greyed: the saves folder takes the files.
  EXPECT_TRUE(Has(r.err, "113 \"Αποθήκευση ρυθμίσεων\", ")) << r.err;
  EXPECT_TRUE(Has(r.err, "114 \"Φόρτωση ρυθμίσεων\", ")) << r.err;
  EXPECT_TRUE(Has(r.err, "dialog save-file \"Αποθήκευση Ρυθμίσεων\" [Αρχεία ρυθμίσεων (*.ZDS)] "
                         "[Όλα τα αρχεία (*.*)] name Χρήστης1.ZDS\n"))
      << r.err;
  EXPECT_TRUE(Has(r.err, "dialog open-file \"Φόρτωση Ρυθμίσεων\" [Αρχεία ρυθμίσεων (*.ZDS)] "
                         "[Όλα τα αρχεία (*.*)] name Χρήστης1.ZDS\n"))
      << r.err;
  EXPECT_TRUE(fs::is_directory(saves_ + "/Scripts/Status0"))
      << "the dialogs start in the user's folder, made for them";
  EXPECT_TRUE(fs::exists(mine + ".ZDS")) << r.err;
  EXPECT_FALSE(fs::exists(mine)) << "the first type adds its extension";
  // The question came once, for the bare name whose ".ZDS" file existed; No showed the dialog a
  // third time.
  EXPECT_EQ(Count(r.err, "υπάρχει ήδη"), 1u) << r.err;
  EXPECT_EQ(Count(r.err, "dialog save-file"), 3u) << r.err;
  EXPECT_TRUE(Has(r.err, "file " + other + " (type 2)\n")) << r.err;
  EXPECT_TRUE(fs::exists(other)) << "all files: the name as typed";
  EXPECT_FALSE(fs::exists(other + ".ZDS"));
  EXPECT_EQ(test::ReadFile(other).rfind("|Zendral Quillscript File\n", 0), 0u);
  // Yes replaces: the same file saved again from page One.
  const auto again = Play(Events({"wait 100", "rclick 400 300", "menu 113",
                                  "file " + mine + ".ZDS", "answer yes", "wait 50"}));
  EXPECT_TRUE(Has(test::ReadFile(mine + ".ZDS"), "tofilepage \"!dlgmenu\", \"One\"\n"))
      << test::ReadFile(mine + ".ZDS") << again.err;
}

// After a quit without -E the next start offers to resume from the saves folder. Choose a
// Section cancelled shows the offer again; with a file it resumes from that file. Closing the
// offer resumes as Yes does; No starts at the beginning.
TEST_F(SavesDialogs, TheResumeOfferTakesEachOfItsAnswers) {
  Use("_dlgoffr");
  const std::string start = dir_.File("start.ZDS");
  Play(Events({"wait 100", "rclick 400 300", "menu 113", "file " + start, "wait 50",
               "click 100 20", "wait 100", "expect page Two", "answer yes", "quit"}));
  ASSERT_TRUE(fs::exists(saves_ + "/Scripts/Status0/RESUME.ZDS"));

  const auto chosen = Play(Events({"answer 102", "file -", "answer 102", "file " + start,
                                   "wait 300", "expect page One", "expect var Why$ USER SAVE"}));
  EXPECT_EQ(Count(chosen.err, "dialog IDD_Resume: Συνέχεια από τη προηγούμενη φορά; "
                              "[101 \"Ναι\", 102 \"&Επιλέξτε Ενότητα\", 103 \"&Όχι\"] "
                              "captioned \"Συνέχεια\""),
            2u)
      << chosen.err;
  EXPECT_TRUE(Has(chosen.err, "dialog open-file \"Φόρτωση Ρυθμίσεων\"")) << chosen.err;
  EXPECT_FALSE(Has(chosen.err, "page 1 Two")) << "the resume file was not run: " << chosen.err;

  const auto closed =
      Play(Events({"key Escape", "wait 300", "expect page Two", "expect var Why$ FORCE QUIT",
                   "expect var Score% 5"}));
  EXPECT_TRUE(Has(closed.err, "dialog IDD_Resume")) << closed.err;

  const auto no = Play(Events({"answer 103", "wait 300", "expect page One", "expect var Why$ "}));
  EXPECT_TRUE(Has(no.err, "dialog IDD_Resume")) << "a refused offer keeps the file: " << no.err;
  EXPECT_FALSE(Has(no.err, "page 1 Two")) << no.err;
}

// The dialogs of scripts start in the folder their "NAME:N" argument gives and propose NAME;
// savestatusdialog saves the state of its moment; a variable file chosen under "all files"
// keeps its bare name and loads back; a cancelled variables dialog writes nothing.
TEST_F(SavesDialogs, ScriptDialogsStartInTheirFoldersAndSaveWhatTheyAreGiven) {
  Use("_dlgscrp");
  test::TempDir e;
  const std::string quiz = e.File("q"), marks = e.File("marks");
  const auto r = Play(Events({"wait 100", "click 100 70", "file " + quiz, "wait 50",
                              "expect var Score% 1", "click 100 120", "file " + quiz, "wait 300",
                              "expect page One", "expect var Score% 9", "expect var Why$ USER SAVE",
                              "click 100 70", "file " + quiz, "answer no", "file -", "wait 50",
                              "click 100 170", "filetype 2", "file " + marks, "wait 50",
                              "expect var Level% 0", "expect var Name$ x", "click 100 220",
                              "filetype 2", "file " + marks, "wait 100", "expect var Level% 7",
                              "expect var Name$ Anna", "expect page One"}),
                      {"-E", e.path()});
  EXPECT_TRUE(Has(r.err, "dialog save-file \"Αποθήκευση Ρυθμίσεων\" [Αρχεία ρυθμίσεων (*.ZDS)] "
                         "[Όλα τα αρχεία (*.*)] name Quiz.ZDS\n"))
      << r.err;
  EXPECT_TRUE(Has(r.err, "dialog save-file \"Αποθήκευση Ρυθμίσεων\" [Αρχεία μεταβλητών (*.ZDV)] "
                         "[Όλα τα αρχεία (*.*)] name Marks.ZDV\n"))
      << r.err;
  EXPECT_TRUE(Has(r.err, "dialog open-file \"Φόρτωση Ρυθμίσεων\" [Αρχεία μεταβλητών (*.ZDV)] "
                         "[Όλα τα αρχεία (*.*)] name Marks.ZDV\n"))
      << r.err;
  EXPECT_TRUE(fs::is_directory(e.File("Scripts/Status4"))) << "made for the dialog";
  EXPECT_TRUE(fs::is_directory(e.File("Scripts/Vars1"))) << "made for the dialog";
  EXPECT_TRUE(fs::exists(quiz + ".ZDS")) << r.err;
  EXPECT_EQ(Count(r.err, "υπάρχει ήδη"), 1u) << "asked before replacing: " << r.err;
  const std::string vars = test::ReadFile(marks);
  EXPECT_TRUE(Has(vars, "set Level%, 7\n")) << vars;
  EXPECT_FALSE(fs::exists(marks + ".ZDV"));
  EXPECT_FALSE(fs::exists(saves_)) << "with -E nothing goes to the saves folder";

  // Cancelled: no file, and the file chosen before is left as it was.
  const auto cancelled = Play(Events({"wait 100", "click 100 170", "file -", "wait 50"}),
                              {"-E", e.path()});
  EXPECT_TRUE(Has(cancelled.err, "file cancelled")) << cancelled.err;
  EXPECT_EQ(test::ReadFile(marks), vars);
  EXPECT_TRUE(fs::is_empty(e.File("Scripts/Vars1")));
}

// English runs: the popup's dialogs and the resume offer speak English, and the proposed name
// is the English user's; with -E the resume file is below that folder.
TEST_F(SavesDialogs, EnglishRunsShowEnglishDialogsAndTheOfferFindsTheResumeFileBelowE) {
  Use("_dlgengl");
  test::TempDir e;
  const std::vector<std::string> options = {"--lang", "en", "-E", e.path()};
  const auto first =
      Play(Events({"wait 100", "rclick 400 300", "menu 113", "file -", "click 100 20",
                   "wait 100", "expect page Two", "answer yes", "quit"}),
           options);
  EXPECT_TRUE(Has(first.err, "dialog save-file \"Save Settings\" [Settings files (*.ZDS)] "
                             "[All files (*.*)] name User1.ZDS\n"))
      << first.err;
  ASSERT_TRUE(fs::exists(e.File("Scripts/Status0/RESUME.ZDS"))) << first.err;
  EXPECT_FALSE(fs::exists(saves_));

  const auto second = Play(Events({"answer 101", "wait 300", "expect page Two",
                                   "expect var Why$ FORCE QUIT"}),
                           options);
  EXPECT_TRUE(Has(second.err, "dialog IDD_Resume: Continue from where you left off last time? "
                              "[101 \"Yes\", 102 \"&Choose a Section\", 103 \"&No\"] "
                              "captioned \"Continue\""))
      << second.err;
}

// A title opened on the splash (here dropped on it) keeps its saves in its own folder, as one
// named on the command line does, and is offered its place when it is opened again.
TEST_F(SavesDialogs, ATitleOpenedOnTheSplashIsOfferedItsOwnResume) {
  Use("_dlgdrop");
  const std::string title = dir_.File("titles/" + directory_);
  const auto play = [&](const std::string& events) {
    const auto r = test::RunPlayer({"--headless", "--trace=page,message,dialog,file", "--events",
                                    dir_.Write("drop" + std::to_string(++runs_), events)},
                                   dir_.path());
    EXPECT_FALSE(Has(r.err, "expect failed")) << r.err;
    return r;
  };
  play(Events({"drop " + title, "wait 100", "click 100 20", "wait 100", "expect page Two",
               "quit", "answer yes"}));
  ASSERT_TRUE(fs::exists(saves_ + "/Scripts/Status0/RESUME.ZDS"));
  EXPECT_FALSE(fs::exists(SavesFolder("!generic"))) << "not the folder of no title";

  const auto again = play(Events({"drop " + title, "answer 101", "wait 300", "expect page Two",
                                  "expect var Why$ FORCE QUIT"}));
  EXPECT_TRUE(Has(again.err, "dialog IDD_Resume")) << again.err;
}

// A title kept in a folder whose name begins with neither "_" nor "!" is resumed too, also from a
// file whose lines end "\r\n"; a loaded file cannot open a title anywhere but beside this one.
TEST_F(SavesDialogs, ATitleInAPlainFolderResumesAndAFileOpensNoTitleElsewhere) {
  Use("plain");
  Play(Events({"wait 100", "click 100 20", "wait 100", "expect page Two", "answer yes", "quit"}));
  const std::string resume = saves_ + "/Scripts/Status0/RESUME.ZDS";
  ASSERT_TRUE(fs::exists(resume));
  Play(Events({"answer 101", "wait 300", "expect page Two", "expect var Why$ FORCE QUIT"}));

  std::string crlf;
  for (char c : test::ReadFile(resume)) crlf += c == '\n' ? std::string("\r\n") : std::string(1, c);
  std::ofstream(resume, std::ios::binary | std::ios::trunc) << crlf;
  Play(Events({"answer 101", "wait 300", "expect page Two", "expect var Why$ FORCE QUIT"}));

  test::Build(DialogTitle("_evil"), dir_.path());  // beside the titles' folder, not beside this one
  std::string planted = test::ReadFile(resume);
  const size_t link = planted.find("tofilepage \"plain\"");
  ASSERT_NE(link, std::string::npos) << planted;
  planted.replace(link, 19, "tofilepage \"_\\..\\_evil\"");
  std::ofstream(resume, std::ios::binary | std::ios::trunc) << planted;
  const auto r = test::RunPlayer({"--headless", "--trace=page,message,dialog,file", "--events",
                                  dir_.Write("evil", Events({"answer 101", "wait 300"})),
                                  dir_.File("titles/plain/authorfi")},
                                 dir_.path());
  EXPECT_TRUE(Has(r.err, "crierr8")) << r.err;
  EXPECT_FALSE(Has(r.err, "_evil\" version")) << "no title outside its neighbours: " << r.err;
  // A place that cannot be reached is said, and the learner goes on where they are.
  EXPECT_TRUE(Has(r.err, "message error146")) << r.err;
  EXPECT_EQ(r.status, 0) << r.err;

  // The saved page is gone from the title: the title goes on at its first page, without the
  // saved place's variables.
  planted.replace(link, planted.find('\n', link) - link, "tofilepage \"plain\", \"Gone\"");
  std::ofstream(resume, std::ios::binary | std::ios::trunc) << planted;
  const auto gone = Play(Events({"answer 101", "wait 300", "answer ok", "wait 100",
                                 "expect page One", "expect message error146"}));
  EXPECT_FALSE(Has(gone.err, "FATAL")) << gone.err;
}

}  // namespace
}  // namespace zd
