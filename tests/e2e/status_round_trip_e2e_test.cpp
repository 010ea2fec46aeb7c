// Saving and resuming a learner's place, end to end: a title is played, quit in the middle and
// started again; the resume offer brings back the page and every kind of state. Status files
// that are damaged, come from another title or carry commands the player never writes are
// refused with a message, run nothing and lose nothing.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>

#include "database/database_title.h"
#include "support/test_media.h"
#include "support/script_objects.h"
#include "support/test_support.h"

namespace zd {
namespace {

namespace fs = std::filesystem;
using test::Has;

using test::ScriptButton;
using test::ScriptObject;

// The longest value a text holds (255 characters): its "set" line would be longer than a script
// line.
const std::string kLong = [] {
  std::string s;
  for (int i = 0; i < 25; ++i) s += "0123456789";
  return s + "abcde";
}();

// What the first page's Go button sets up before it leads to the page "Saved": variables of the
// three kinds, the places database with two filters applied and its selection shuffled, a
// keyword search and system variables. The snapshot taken on entering "Saved" holds them.
const std::string kSetup =
    "set Count%, 42\n"
    "set Neg%, -7\n"
    "set Entries%, 0\n"
    "set Pi, 3.14159265\n"
    "set Quote$, \"line1\\nsaid \\\"hi\\\"\"\n"
    "valtostr Bar$, \"a%cb\\c\", 124\n"
    "set Dir$, \"C:\\DATA\"\n"
    "set Long$, \"" + kLong.substr(0, 100) + "\"\n"
    "add Long$, Long$, \"" + kLong.substr(100, 100) + "\"\n"
    "add Long$, Long$, \"" + kLong.substr(200) + "\"\n"
    "opendata \"PLACES\"\n"
    "addfilter \"Height\", \"high\", \"AND\", \">\", 0, 5\n"
    "addfilter \"Name\", \"pipe\", \"OR\", \"!CONTAINS\", 1, Bar$\n"
    "applyfilters\n"
    "shufflesel 7\n"
    "tokensearch \"Saved\", 6, 1\n"
    "set Sound%, 0\n"
    "set DateFormat%, 3\n"
    "set UseSelection%, 1\n"
    "getdata 0, 0, A$\n"
    "getdata 1, 0, B$\n"
    "set Order$, A$\n"
    "add Order$, Order$, \",\"\n"
    "add Order$, Order$, B$\n"
    "tooverview \"Saved\"\n";

// The saved page's "+Start": it reads the reason of the resume and copies what scripts see of
// the state into variables the event script checks.
const std::string kSavedStart =
    "set Why$, Resume$\n"
    "add Entries%, Entries%, 1\n"
    "set QuoteOk%, (Quote$ == \"line1\\nsaid \\\"hi\\\"\")\n"
    "set SoundWas%, Sound%\n"
    "set DateWas%, DateFormat%\n"
    "set UseSelWas%, UseSelection%\n"
    "getdata 0, 0, C$\n"
    "getdata 1, 0, D$\n"
    "set Now$, C$\n"
    "add Now$, Now$, \",\"\n"
    "add Now$, Now$, D$\n"
    "set SameOrder%, (Now$ == Order$)\n";

const std::string kNamedSaves =
    "savestatus \"Quiz:3\", \"QUIZ\"\n"
    "savestatus \"LongFileName\", \"LONG\"\n"
    "savestatus \"..\\\\..\\\\evil:1\", \"x\"\n";

const std::string kVariables =
    "set Learner$, \"Anna\"\n"
    "savevar Learner$\n"
    "set Learner$, \"Eleni\"\n"
    "savevar Learner$\n"
    "closevarsfile\n"
    "set Learner$, \"nobody\"\n";

// The title "_trip" (application name "!trip"): page Start with its Go button, page Saved with
// buttons for named saves, variable files and the way back; the places database beside it. The
// section of the page Saved is named `savedSection`.
std::string TripTitle(const std::string& savedSection = "Saved") {
  const std::string db = test::PlacesDatabase();
  return R"({"titles": [{"directory": "_trip", "pages": [
      {"name": "Start", "objects": [)" +
         ScriptButton("Go", 0, "+Setup") + "," + ScriptObject("+Setup", kSetup) + R"(]},
      {"name": "Saved", "objects": [)" +
         ScriptButton("Named", 0, "+Named") + "," + ScriptButton("Vars", 50, "+Vars") + "," +
         ScriptButton("LoadVars", 100, "+LoadVars") + "," + ScriptButton("Back", 150, "+Back") + "," +
         ScriptObject("+Named", kNamedSaves) + "," +
         ScriptObject("+Vars", "savevarsdialog \"Learner:2\"\n" + kVariables) + "," +
         ScriptObject("+LoadVars", "loadvarsdialog \"Learner:2\"\n") + "," +
         ScriptObject("+Back", "tooverview \"Start\"\n") + "," +
         ScriptObject("+Start", kSavedStart, false) + R"(]}],
    "resources": [],
    "sections": [{"name": "Start", "page": 0}, {"name": ")" + savedSection +
         R"(", "page": 1, "parent": 0}]}],
  "databases": [{"folder": "ravel", "name": "PLACES", )" +
         db.substr(1) + "]}";
}

std::string Lower(std::string text) {
  for (char& c : text) c = char(std::tolower(static_cast<unsigned char>(c)));
  return text;
}

// The path `relative` ("a/b/c") names below `root`, each part found without regard to letter
// case as the player finds the parts of the status tree; parts not on disk are kept as given.
std::string Resolve(const std::string& root, const std::string& relative) {
  fs::path at = root;
  std::istringstream parts(relative);
  for (std::string part; std::getline(parts, part, '/');) {
    fs::path next = at / part;
    std::error_code ignored;
    if (fs::is_directory(at, ignored)) {
      for (const auto& entry : fs::directory_iterator(at, ignored)) {
        if (Lower(entry.path().filename().string()) == Lower(part)) next = entry.path();
      }
    }
    at = next;
  }
  return at.string();
}

// Where the player keeps the saves of a title without -E, in the folders the test program gives.
std::string SavesFolder(const std::string& appName) {
  return Resolve(std::string(std::getenv("XDG_DATA_HOME")) + "/zendral", appName);
}

std::string Events(std::initializer_list<std::string> lines) {
  std::string text;
  for (const std::string& line : lines) text += line + "\n";
  return text;
}

// Plays the title with `events`; `options` come before the title's path.
test::RunResult Play(const test::BuiltTitleDirectory& built, const test::TempDir& dir,
                     const std::string& name, const std::string& events,
                     std::vector<std::string> options = {}) {
  std::vector<std::string> args = {"--headless", "--trace=page,message,dialog,file,data",
                                   "--events", dir.Write(name, events)};
  args.insert(args.end(), options.begin(), options.end());
  args.push_back(built.out() + "/_trip/authorfi");
  return test::RunPlayer(args, dir.path());
}

// Run 1 of every test: Go, then the close box and Yes to the quit question.
const std::string kGoAndQuit =
    Events({"wait 100", "click 100 20", "wait 100", "expect page Saved", "answer yes", "quit"});

// What run 2 expects after Yes (101) to the resume offer.
const std::string kResumedState = Events(
    {"expect page Saved", "expect var Entries% 1", "expect var Count% 42", "expect var Neg% -7",
     "expect var Pi 3.14159", "expect var QuoteOk% 1", "expect var Bar$ a|b\\c",
     "expect var Dir$ C:\\DATA", "expect var Long$ " + kLong, "expect var SoundWas% 0",
     "expect var DateWas% 3", "expect var UseSelWas% 1", "expect var SameOrder% 1"});

bool AnyFileNamed(const fs::path& root, const std::string& lowerPrefix, fs::path* found) {
  std::error_code ignored;
  if (!fs::exists(root, ignored)) return false;
  for (auto it = fs::recursive_directory_iterator(root, ignored);
       it != fs::recursive_directory_iterator(); it.increment(ignored)) {
    const std::string name = Lower(it->path().filename().string());
    if (name.rfind(lowerPrefix, 0) == 0) {
      if (found) *found = it->path();
      return true;
    }
  }
  return false;
}

// Every kind of state crosses a quit and a resume; each kind of resume tells the saved page why
// it was reached; named saves land where their names say and never outside the status tree.
TEST(StatusRoundTrip, EveryKindOfStateComesBackAfterQuittingAndResuming) {
  test::BuiltTitleDirectory built(TripTitle());
  test::TempDir dir;
  const std::string userSave = dir.File("mine.ZDS");

  // Run 1: the state is set up, named saves, the popup's save, then the close box.
  const auto first = Play(built, dir, "run1",
                          Events({"wait 100", "click 100 20", "wait 100", "expect page Saved",
                                  "expect var Entries% 1", "expect var SameOrder% 1",
                                  "click 100 20", "wait 100", "rclick 400 300", "menu 113",
                                  "file " + userSave, "wait 100", "answer yes", "quit"}));
  ASSERT_EQ(first.status, 0) << first.err;
  EXPECT_FALSE(Has(first.err, "expect failed")) << first.err;
  const std::string saves = SavesFolder("!trip");
  const std::string resume = test::ReadFile(Resolve(saves, "Scripts/Status0/RESUME.ZDS"));
  ASSERT_FALSE(resume.empty()) << "the close box saves the learner's place: " << first.err;
  EXPECT_EQ(resume.rfind("|Zendral Quillscript File\n", 0), 0u) << resume;
  EXPECT_TRUE(Has(resume, "\nset Pi, 3.14159\n")) << "six significant digits: " << resume;
  EXPECT_TRUE(fs::exists(userSave)) << first.err;
  // Named saves: "Quiz:3" and "LongFileName" in the saves folder's status tree.
  EXPECT_TRUE(fs::exists(saves + "/Scripts/Status3/Quiz.ZDS")) << first.err;
  EXPECT_TRUE(fs::exists(saves + "/Scripts/Status/LongFile.ZDS")) << first.err;
  // A name that tries to climb out writes nothing outside the status tree.
  fs::path evil;
  const fs::path everything = fs::path(std::getenv("XDG_DATA_HOME")).parent_path();
  if (AnyFileNamed(everything, "evil", &evil)) {
    EXPECT_EQ(evil.string().rfind(saves + "/Scripts/", 0), 0u) << evil;
  }
  EXPECT_FALSE(AnyFileNamed(built.out(), "evil", nullptr));
  EXPECT_FALSE(AnyFileNamed(dir.path(), "evil", nullptr));

  // Run 2: the resume offer at start; Yes brings back the page and everything on it.
  const auto second = Play(built, dir, "run2",
                           Events({"answer 101", "wait 300"}) + kResumedState +
                               Events({"expect var Why$ FORCE QUIT"}));
  ASSERT_EQ(second.status, 0) << second.err;
  EXPECT_FALSE(Has(second.err, "expect failed")) << second.err;
  EXPECT_TRUE(Has(second.err, "dialog IDD_Resume")) << second.err;
  EXPECT_TRUE(Has(second.err, "keyword condition 1 6 1\n")) << "the keyword search: " << second.err;
  EXPECT_FALSE(Has(second.err, "\nmessage")) << "a clean resume: " << second.err;

  // Run 3: No to the offer keeps the first page; the popup's load brings the user's save
  // ("USER SAVE"), and after going back, the file "Quiz:3" gives its own text.
  const std::string quiz = saves + "/Scripts/Status3/Quiz.ZDS";
  const auto third = Play(built, dir, "run3",
                          Events({"answer 103", "wait 300", "expect page Start", "rclick 400 300",
                                  "menu 114", "file " + userSave, "wait 300"}) +
                              kResumedState +
                              Events({"expect var Why$ USER SAVE", "click 100 170", "wait 100",
                                      "expect page Start", "rclick 400 300", "menu 114",
                                      "file " + quiz, "wait 300", "expect page Saved",
                                      "expect var Why$ QUIZ", "expect var Count% 42"}));
  ASSERT_EQ(third.status, 0) << third.err;
  EXPECT_FALSE(Has(third.err, "expect failed")) << third.err;
}

// Titles often name a section otherwise than its page (the section "Quiz 2" of the page Quiz2):
// the learner still comes back to the page, and the player does not end on a failed link.
TEST(StatusRoundTrip, APageWhoseSectionHasAnotherNameIsResumed) {
  test::BuiltTitleDirectory built(TripTitle("Saved place"));
  test::TempDir dir;
  const auto first = Play(built, dir, "run1", kGoAndQuit);
  ASSERT_EQ(first.status, 0) << first.err;
  const auto second = Play(built, dir, "run2",
                           Events({"answer 101", "wait 300"}) + kResumedState +
                               Events({"expect var Why$ FORCE QUIT"}));
  EXPECT_EQ(second.status, 0) << second.err;
  EXPECT_FALSE(Has(second.err, "expect failed")) << second.err;
  EXPECT_FALSE(Has(second.err, "\nmessage")) << second.err;
}

// With -E the status and variable files live below that folder, exactly where their names say,
// and nothing goes to the saves folder. Two savevar lines for one variable: the later one wins.
TEST(StatusRoundTrip, WithAnOverrideFolderFilesLandBelowItAndTheLaterSavevarWins) {
  test::BuiltTitleDirectory built(TripTitle());
  test::TempDir dir, e;
  const std::string vars = e.File("learner.ZDV");
  const auto r = Play(built, dir, "run",
                      Events({"wait 100", "click 100 20", "wait 100", "expect page Saved",
                              "click 100 20", "wait 100", "file " + vars, "click 100 70", "wait 100",
                              "expect var Learner$ nobody", "file " + vars, "click 100 120",
                              "wait 300", "expect var Learner$ Eleni"}),
                      {"-E", e.path()});
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_FALSE(Has(r.err, "expect failed")) << r.err;
  EXPECT_TRUE(fs::exists(e.path() + "/Scripts/Status3/Quiz.ZDS")) << r.err;
  EXPECT_TRUE(fs::exists(e.path() + "/Scripts/Status/LongFile.ZDS")) << r.err;
  const std::string saved = test::ReadFile(vars);
  EXPECT_EQ(saved.rfind("|Zendral Quillscript File\n", 0), 0u) << saved;
  EXPECT_LT(saved.find("Anna"), saved.find("Eleni")) << saved;
  EXPECT_FALSE(fs::exists(SavesFolder("!trip") + "/Scripts")) << "nothing in the saves folder";
  EXPECT_FALSE(AnyFileNamed(built.out(), "evil", nullptr));
  EXPECT_FALSE(AnyFileNamed(dir.path(), "evil", nullptr));
}

// Open sound clips come back: slot 0 playing its range, slot 1 paused at its place.
TEST(StatusRoundTrip, OpenSoundClipsComeBackPlayingOrPausedWhereTheyWere) {
  if (test::FfmpegTool().empty()) GTEST_SKIP() << "the ffmpeg tool is not installed";
  test::TempDir media, dir;
  ASSERT_TRUE(test::MakeTone(media.File("tone.wav"), 1000, 4000));
  const std::string clips =
      "closemovie -1\nopenaudio 0, \"tone.wav\"\nplaymovie 0, 50, 350, 0\n"
      "openaudio 1, \"tone.wav\"\nplaymovie 1, 100, 300, 0\npausemovie 1\nseekmovie 1, 150\n"
      "tooverview \"Saved\"\n";
  const std::string description =
      R"({"pages": [{"name": "Start", "objects": [)" + ScriptButton("Go", 0, "+Go") + "," +
      ScriptObject("+Go", clips) + R"(]},
        {"name": "Saved", "time": 3000, "objects": [)" +
      ScriptObject("+Start", "set Why$, Resume$\ngetmoviepos Paused%, 1\n", false) + R"(]}],
      "resources": [],
      "movies": [{"file": ")" + media.File("tone.wav") + R"(", "as": "movies/qtime/tone.wav"}],
      "sections": [{"name": "Start", "page": 0}, {"name": "Saved", "page": 1, "parent": 0}]})";
  test::TempDir build;
  const std::string json = build.Write("title.json", description);
  const auto made = test::RunTool("zdbuild", {json, build.File("_clip")});
  ASSERT_EQ(made.status, 0) << made.err;
  const auto play = [&](const std::string& name, const std::string& events) {
    return test::RunPlayer({"--headless", "--trace=page,message,dialog,media", "--events",
                            dir.Write(name, events), build.File("_clip/authorfi")},
                           dir.path());
  };
  const auto first = play("run1", kGoAndQuit);
  ASSERT_EQ(first.status, 0) << first.err;
  EXPECT_TRUE(Has(first.err, "clip play 0 50 350")) << first.err;
  const auto second = play("run2", Events({"answer 101", "wait 300", "expect page Saved",
                                           "expect var Why$ FORCE QUIT",
                                           "expect var Paused% 150"}));
  ASSERT_EQ(second.status, 0) << second.err;
  EXPECT_FALSE(Has(second.err, "expect failed")) << second.err;
  const size_t resumed = second.err.find("dialog IDD_Resume");
  ASSERT_NE(resumed, std::string::npos) << second.err;
  EXPECT_TRUE(Has(second.err.substr(resumed), "clip play 0 50 350")) << second.err;
  EXPECT_TRUE(Has(second.err.substr(resumed), "clip pause 1")) << second.err;
}

// A message was shown after the resume offer was answered.
bool MessageAfterTheOffer(const std::string& trace) {
  const size_t offer = trace.find("dialog IDD_Resume");
  return offer != std::string::npos && trace.find("\nmessage", offer) != std::string::npos;
}

// --- Bad input ----------------------------------------------------------------------------

class BadStatusFile : public testing::Test {
 protected:
  void SetUp() override {
    // A genuine resume file, saved by the close box below the -E folder.
    const auto r = Play(built_, dir_, "genuine", kGoAndQuit, {"-E", e_.path()});
    ASSERT_EQ(r.status, 0) << r.err;
    genuine_ = test::ReadFile(ResumePath());
    ASSERT_EQ(genuine_.rfind("|Zendral Quillscript File\n", 0), 0u) << genuine_ << r.err;
    // A program the title holds, which runexe would start (after asking).
    std::ofstream(built_.out() + "/_trip/prog.exe") << "MZ a Windows program";
  }
  std::string ResumePath() const { return Resolve(e_.path(), "Scripts/Status0/RESUME.ZDS"); }

  // Plants `bytes` as the resume file and says Yes to the offer; `then` follows.
  test::RunResult Resume(const std::string& bytes, const std::string& then) {
    std::ofstream(ResumePath(), std::ios::binary | std::ios::trunc) << bytes;
    const auto r = Play(built_, dir_, "resume", Events({"answer 101", "wait 300"}) + then,
                        {"-E", e_.path()});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_FALSE(Has(r.err, "expect failed")) << r.err;
    EXPECT_EQ(test::ReadFile(ResumePath()), bytes) << "nothing lost";
    return r;
  }

  // The genuine file with `from` (its first occurrence) replaced by `to`.
  std::string Changed(const std::string& from, const std::string& to) const {
    std::string text = genuine_;
    const size_t at = text.find(from);
    EXPECT_NE(at, std::string::npos) << from;
    if (at != std::string::npos) text.replace(at, from.size(), to);
    return text;
  }

  test::BuiltTitleDirectory built_{TripTitle()};
  test::TempDir dir_, e_;
  std::string genuine_;
};

// Files that are not whole status files: a message, and the learner stays where they are.
TEST_F(BadStatusFile, DamagedFilesAreRefusedWithAMessageAndRunNothing) {
  // The message comes before the first page is shown.
  const std::string stays = Events({"answer ok", "wait 200", "expect page Start"});
  struct Case {
    const char* what;
    std::string bytes;
    std::string then;
  };
  std::string binary;
  for (int i = 0; i < 4096; ++i) binary += char((i * 131 + 7) & 0xFF);
  std::string huge = genuine_;
  huge.insert(huge.find("\nclear\n"), "\n|" + std::string(1100000, 'x'));
  const Case cases[] = {
      {"empty", "", stays},
      {"binary", binary, stays},
      {"over 1 MB", huge, stays},
      {"first line one character off", Changed("Quillscript", "Quillscripu"),
       Events({"answer ok", "wait 200", "expect page Start", "expect message error142"})},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const auto r = Resume(c.bytes, c.then);
    EXPECT_TRUE(MessageAfterTheOffer(r.err)) << r.err;
    EXPECT_FALSE(Has(r.err, "page 1 Saved")) << r.err;
  }
  // Cut short, in the middle of a line or at a line's end: the file is not the whole place the
  // player saved, so it is refused as a whole, with a message, and the learner stays where they
  // are rather than landing on a half-restored page.
  const size_t cut = genuine_.find("set Dir$");
  ASSERT_NE(cut, std::string::npos) << genuine_;
  for (const std::string& cutShort : {genuine_.substr(0, cut + 14), genuine_.substr(0, cut)}) {
    const auto r = Resume(cutShort, stays);
    EXPECT_TRUE(MessageAfterTheOffer(r.err)) << r.err;
    EXPECT_FALSE(Has(r.err, "page 1 Saved")) << r.err;
  }
}

// A file without the line end of its last line still runs that line; a file of another title
// asks first, whole names compared ("!trip" is not "!tripod"), and No keeps the learner where
// they are.
TEST_F(BadStatusFile, ALastLineWithoutItsEndRunsAndAnotherTitlesFileAsksFirst) {
  ASSERT_EQ(genuine_.back(), '\n');
  Resume(genuine_.substr(0, genuine_.size() - 1),
         Events({"expect page Saved", "expect var Why$ FORCE QUIT", "expect var Count% 42"}));

  const size_t module = genuine_.find("|Start Module: \"");
  ASSERT_NE(module, std::string::npos) << genuine_;
  std::string other = genuine_;
  other.insert(other.find('"', module + 16), "OD");
  const auto r = Resume(other,
                        Events({"answer no", "wait 200", "expect message error143",
                                "expect page Start"}));
  EXPECT_FALSE(Has(r.err, "page 1 Saved")) << r.err;
}

// A file handed to the learner with commands the player never writes after a genuine header is
// refused whole with one message naming the first of them: none of its lines runs, the learner
// stays where they are, and nothing is started, printed, asked or saved.
TEST_F(BadStatusFile, AFileWithCommandsThePlayerNeverWritesIsRefusedWhole) {
  const size_t half = genuine_.find("\nclear\n");
  ASSERT_NE(half, std::string::npos) << genuine_;
  std::string planted = genuine_;
  planted.insert(half + 1,
                 "runexe \"prog.exe\"\nwebbrowse \"http://example.com/\"\nprint \"x\"\n"
                 "savestatus \"Planted:5\", \"x\"\n");
  const auto r = Resume(planted, Events({"answer ok", "wait 200", "expect page Start",
                                         "expect message error145"}));
  EXPECT_TRUE(Has(r.err, "message error145: ")) << r.err;
  EXPECT_TRUE(Has(r.err, "runexe")) << "the message names the command: " << r.err;
  EXPECT_FALSE(Has(r.err, "page 1 Saved")) << r.err;
  std::istringstream lines(r.err);
  for (std::string line; std::getline(lines, line);) {
    EXPECT_FALSE(line.rfind("start ", 0) == 0 && line.rfind("start \"", 0) != 0)
        << "nothing started: " << r.err;
    EXPECT_FALSE(Has(line, "scask1")) << "not even asked: " << r.err;
    EXPECT_FALSE(Has(line, "dialog print")) << r.err;
  }
  EXPECT_FALSE(AnyFileNamed(e_.path(), "planted", nullptr)) << r.err;
}

}  // namespace
}  // namespace zd
