// The learner's saved place: the status script built at page entry, saved to a file, loaded
// back with its checks, and replayed in two halves across the title change it asks for.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "script/script_runner.h"
#include "script/status/status_writer.h"
#include "support/test_support.h"
#include "support/title_builder.h"

namespace zd {
namespace {

using test::Keys;

const char* kTitle = R"({
  "pages": [
    {"name": "Home", "objects": [
       {"name": "+Start", "type": "text", "text": "set homeVisits%, 1\n"}]},
    {"name": "Quiz", "objects": [
       {"name": "+Start", "type": "text", "text": "set seen$, Resume$\nset quizScore%, score%\n"}]}
  ],
  "sections": [
    {"name": "Root", "page": "Home", "children": [{"name": "Quiz", "page": "Quiz"}]}
  ]})";

std::vector<std::string> LinesOf(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  std::string line;
  while (std::getline(in, line)) lines.push_back(line);
  return lines;
}

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

void WriteFile(const std::string& path, const std::string& bytes) {
  std::filesystem::create_directories(std::filesystem::path(path).parent_path());
  std::ofstream(path, std::ios::binary) << bytes;
}

bool Has(const std::string& text, const std::string& part) {
  return text.find(part) != std::string::npos;
}

// A title started with "-E" naming a folder of the test's own.
class StatusFilesTest : public testing::Test {
 protected:
  // The title lives in a folder whose name begins with "_", as titles that are linked to do.
  explicit StatusFilesTest(std::string events = {}) {
    const std::string path = titles_.File("_QUIZ");
    test::Build(kTitle, path);
    title_ = std::make_unique<test::RuntimeFixture>(
        test::RuntimeOptions{.commandLine = "-E " + root_.path() + " " + path,
                             .messagesPath = test::EnglishMessages(),
                             .events = std::move(events)});
    runtime().shell.StartUp();
    runtime().shell.window().Dispatch(WindowMessage{Msg::ShowFirstPage});
    runtime().shell.PaintNow();
  }

  Runtime& runtime() { return title_->runtime(); }
  StatusFiles& status() { return runtime().status; }
  Keys Run(std::string_view text) {
    title_->ClearTrace();
    script::ScriptSource source;
    source.name.Assign("+Test");
    source.text = text;
    runtime().script.RunScript(source, 0, 1, false);
    return test::KeysOf(test::ReportsIn(title_->TraceText()));
  }
  Keys Reported() { return test::KeysOf(test::ReportsIn(title_->TraceText())); }
  std::optional<platform::ProbedVariable> Var(const std::string& name) {
    return runtime().script.ProbeVariable(name);
  }
  void GoToQuiz() {
    runtime().pages.GotoSection(1);
    ASSERT_EQ(runtime().pages.CurrentPageName(), "Quiz");
  }
  // Carries out the navigation a script asked for.
  void Tick() {
    for (int i = 0; i < 3 && runtime().pages.NavigationRequested(); ++i) {
      runtime().scheduler.Tick();
    }
  }
  std::string File(const std::string& relative) { return root_.path() + "/" + relative; }
  // A status file of this title made by hand: its header, then `body`.
  std::string HandMade(const std::string& body, const std::string& module = {}) {
    return "|Zendral Quillscript File\n|Start Module: \"" +
           (module.empty() ? runtime().shell.applicationName() : module) + "\"\n" + body;
  }

  test::TempDir root_;
  test::TempDir titles_;
  std::unique_ptr<test::RuntimeFixture> title_;
};

TEST_F(StatusFilesTest, EveryPageEntryWritesTheStateAsAScriptInItsOrder) {
  EXPECT_EQ(Run("set score%, 42\nset pi, 3.14159265\nset big, 100000000000000000000\n"
                "set name$, \"Ann\"\n"),
            Keys{});
  GoToQuiz();
  const auto lines = LinesOf(status().snapshot().text);
  ASSERT_GT(lines.size(), 20u);
  EXPECT_EQ(lines[0], "|Zendral Quillscript File");
  EXPECT_EQ(lines[1], "|Start Module: \"!QUIZ\"    ") << "the name and blanks make 9";
  EXPECT_EQ(lines[2].front(), '|');
  EXPECT_EQ(lines[3], "");
  EXPECT_EQ(lines[4], "|Version 1.00");
  EXPECT_EQ(lines[5].rfind("|Created ", 0), 0u);
  EXPECT_EQ(lines[5].size(), std::string("|Created Thu Dec 06 10:15:00 2001").size());
  EXPECT_EQ(lines[6], "");
  EXPECT_EQ(lines[7], "|Module \"" + runtime().titleFiles.titleDirectory() + "\"");
  // From the page on, every line and blank line as a resumed run reads it (the virtual clock
  // makes the times 0).
  const std::string& text = status().snapshot().text;
  const size_t page = text.find("\ntofilepage ");
  ASSERT_NE(page, std::string::npos) << text;
  EXPECT_EQ(text.substr(page + 1),
            "tofilepage \"!QUIZ\", \"Quiz\"\n\n"
            "|Status prior to  running +Start script\n\n"
            "clear\nclosedata\ndelfilter\nclearselection\n\n"
            "|Integer variables\nset homeVisits%, 1\nset score%, 42\n\n"
            "|Floating point variables\nset pi, 3.14159\nset big, 1e+20\n\n"
            "|String variables\nset name$, \"Ann\"\n\n"
            "|System Variables\n|set PageTime%, 0\nset TotalTime%, 0\nset Sound%, 1\n"
            "|set Platform%, 2\n|set PageName$, \"Quiz\"\nset PtrShape$, \"DEFAULT\"\n"
            "set UseSelection%, 0\nset DateFormat%, 256\n\n"
            "|Script Movies\nclosemovie -1\n\n"
            "|Time to build this script : 0 cs\n\n"
            "|Set the Resume$ system variable\n");
  EXPECT_FALSE(Has(text, "Resume$, ")) << "the resume line is the file's";
}

TEST_F(StatusFilesTest, FloatsAreWrittenWithSixDigitsInFormsTheReaderTakesBack) {
  EXPECT_EQ(script::StatusFloat(3.14159265), "3.14159");
  EXPECT_EQ(script::StatusFloat(-1.5e-7), "-1.5e-07");
  EXPECT_EQ(script::StatusFloat(1e20), "1e+20");
  EXPECT_EQ(script::StatusFloat(100000), "100000");
  EXPECT_EQ(script::StatusFloat(1.0 / 0.0), "1e+999");
  EXPECT_EQ(script::StatusFloat(-1.0 / 0.0), "-1e+999");
  EXPECT_EQ(script::StatusFloat(0.0 / 0.0), "0");
  const std::string script = "set a, " + script::StatusFloat(-1.5e-7) + "\nset b, " +
                             script::StatusFloat(1e20) + "\nset c, " +
                             script::StatusFloat(1.0 / 0.0) + "\nset d, " +
                             script::StatusFloat(100000) + "\n";
  EXPECT_EQ(Run(script), Keys{});
  EXPECT_DOUBLE_EQ(Var("a")->number, -1.5e-7);
  EXPECT_DOUBLE_EQ(Var("b")->number, 1e20);
  EXPECT_TRUE(std::isinf(Var("c")->number));
  EXPECT_DOUBLE_EQ(Var("d")->number, 100000);
}

TEST_F(StatusFilesTest, ASavedPlaceComesBackWithEveryValueAndItsResumeText) {
  const std::string awkward = "line one\nsays \"hi\" | C:\\DATA\\x \\n not a line end\\";
  runtime().script.SetStringVariable("tricky$", awkward);
  EXPECT_EQ(Run("set score%, 17\nset pi, 3.14159265\n"), Keys{});
  GoToQuiz();
  const std::string before = status().snapshot().text;
  const std::string resumeText = "teacher's \"mark\" | done";
  title_->ClearTrace();
  ASSERT_TRUE(status().SaveStatusFile("Quiz:3", false, resumeText));
  EXPECT_EQ(status().snapshot().text, before) << "saving leaves the snapshot as it was";
  const std::string path = File("Scripts/Status3/Quiz.ZDS");
  ASSERT_TRUE(std::filesystem::exists(path));
  EXPECT_TRUE(Has(title_->TraceText(), "file written " + path));
  EXPECT_EQ(ReadFile(path).rfind(before, 0), 0u);
  EXPECT_TRUE(Has(ReadFile(path), "set pi, 3.14159\n"));

  // Elsewhere, with other values: the file brings the learner back.
  runtime().pages.GotoSection(0);
  EXPECT_EQ(Run("set score%, 0\nset pi, 0\nset tricky$, \"\"\n"), Keys{});
  title_->ClearTrace();
  ASSERT_TRUE(status().LoadStatusFile("Quiz:3", false));
  status().RunStatusScript();
  EXPECT_TRUE(status().ResumeWaiting()) << "the rest waits for the saved page";
  Tick();
  EXPECT_EQ(runtime().pages.CurrentPageName(), "Quiz");
  EXPECT_FALSE(status().ResumeWaiting());
  EXPECT_EQ(Reported(), Keys{});
  EXPECT_EQ(Var("score%")->number, 17);
  EXPECT_EQ(Var("quizScore%")->number, 17) << "the page's +Start ran after the replay";
  EXPECT_DOUBLE_EQ(Var("pi")->number, 3.14159);
  EXPECT_EQ(Var("tricky$")->text, awkward);
  EXPECT_EQ(Var("seen$")->text, resumeText);
  EXPECT_FALSE(Var("ZdCarryB$")) << "the carrier variables are gone";
}

// The variables that carry texts a literal cannot hold never take a title's own variables of
// the same names: those come back too, whatever needed carrying.
TEST_F(StatusFilesTest, ATitlesOwnVariablesSurviveTheTextCarriers) {
  runtime().script.SetStringVariable("ZdCarryB$", "a|b");
  runtime().script.SetStringVariable("ZdCarryChar$", "mine");
  runtime().script.SetStringVariable("ZdCarryXA$", "also mine");
  runtime().script.SetStringVariable("pipe$", "x|y\\z");
  EXPECT_EQ(Run("set score%, 1\n"), Keys{});  // the quiz page's +Start reads it
  GoToQuiz();
  ASSERT_TRUE(status().SaveStatusFile("Carry:1", false, "a | b"));
  runtime().pages.GotoSection(0);
  EXPECT_EQ(Run("clear\n"), Keys{});
  ASSERT_TRUE(status().LoadStatusFile("Carry:1", false));
  status().RunStatusScript();
  Tick();
  EXPECT_EQ(Reported(), Keys{});
  EXPECT_EQ(Var("ZdCarryB$")->text, "a|b");
  EXPECT_EQ(Var("ZdCarryChar$")->text, "mine");
  EXPECT_EQ(Var("ZdCarryXA$")->text, "also mine");
  EXPECT_EQ(Var("pipe$")->text, "x|y\\z");
  EXPECT_EQ(Var("seen$")->text, "a | b");
}

TEST_F(StatusFilesTest, AFailedOrEmptySnapshotNeverReplacesAGoodFile) {
  ASSERT_TRUE(status().SaveStatusFile("Keep:1", false, "GOOD"));
  const std::string path = File("Scripts/Status1/Keep.ZDS");
  const std::string good = ReadFile(path);

  // A folder that cannot be made: the loss is told.
  WriteFile(File("Scripts/Status2"), "a file where the folder should be");
  title_->ClearTrace();
  EXPECT_FALSE(status().SaveStatusFile("Keep:2", false, "NEW"));
  EXPECT_EQ(Reported(), Keys{"error137"});

  // A snapshot too large to be built is failed: it is told, and never written over a file.
  const std::string text(250, 'x');
  for (int i = 0; i < 6000; ++i) {
    runtime().script.SetStringVariable("h" + std::to_string(i) + "$", text);
  }
  title_->ClearTrace();
  EXPECT_FALSE(status().BuildStatusScript());
  EXPECT_EQ(Reported(), Keys{"error138"});
  EXPECT_TRUE(status().snapshot().failed);
  EXPECT_LE(status().snapshot().text.size(), script::kMaxStatusFileBytes);
  title_->ClearTrace();
  EXPECT_FALSE(status().SaveStatusFile("Keep:1", false, "NEW"));
  EXPECT_EQ(Reported(), Keys{"error137"});
  EXPECT_EQ(ReadFile(path), good);

  status().ClearStatusState();
  title_->ClearTrace();
  EXPECT_FALSE(status().SaveStatusFile("Keep:1", false, "NEW")) << "nothing built: no file";
  EXPECT_EQ(Reported(), Keys{});
}

TEST_F(StatusFilesTest, TheLoaderRefusesWhatIsNoStatusFileOfThisTitle) {
  const std::string path = File("Scripts/Status/Bad.ZDS");
  auto load = [&](const std::string& bytes) {
    WriteFile(path, bytes);
    title_->ClearTrace();
    const bool loaded = status().LoadStatusFile("Bad", false);
    if (loaded) status().ReleaseResumeScript();
    return std::make_pair(loaded, Reported());
  };
  // (Damaged files, as a learner meets them, are the end-to-end tests'.)
  const std::string app = runtime().shell.applicationName();
  EXPECT_EQ(load(HandMade("set a%, 1\n")), std::make_pair(true, Keys{}));
  EXPECT_EQ(load(HandMade("", "!generic")), std::make_pair(true, Keys{}));
  // Another title's file asks first, and the answer is no unless given: a name that merely
  // begins like this title's, or that this title's begins like, is another title's.
  EXPECT_EQ(load(HandMade("", app + "ology")), std::make_pair(false, Keys{"error143"}));
  EXPECT_EQ(load(HandMade("", app.substr(0, app.size() - 1))),
            std::make_pair(false, Keys{"error143"}));
  EXPECT_EQ(load("|Zendral Quillscript File\n|no module line\n"),
            std::make_pair(false, Keys{"error143"}));
  title_->ClearTrace();
  EXPECT_FALSE(status().LoadStatusFile("Missing", false));
  EXPECT_EQ(Reported(), Keys{}) << "a missing file is no error";
}

// A file holding a command the status writer never writes is refused whole, before any of its
// lines has run, with one message naming the first such command; junk bytes are refused too.
TEST_F(StatusFilesTest, AStatusFileRunsOnlyWhatAStatusFileIsMadeOf) {
  const std::string path = File("Scripts/Status/Planted.ZDS");
  WriteFile(path, HandMade("set before%, 1\nrunexe \"rm -rf /\"\nif (1)\nsavestatus \"x\", \"y\"\n"
                           "defhandler \"a\"\nset after%, 2\nset last%, 3"));
  title_->ClearTrace();
  EXPECT_FALSE(status().LoadStatusFile("Planted", false));
  const auto reports = test::ReportsIn(title_->TraceText());
  EXPECT_EQ(test::KeysOf(reports), (Keys{"error145"}));
  ASSERT_FALSE(reports.empty());
  EXPECT_TRUE(Has(reports[0].text, "runexe")) << reports[0].text;
  EXPECT_FALSE(Var("before%").has_value()) << "no line of it ran";
  EXPECT_FALSE(status().ResumeWaiting());

  // The writer's commands only, in any letter case and after a ".": loaded and run.
  WriteFile(path, HandMade("SET before%, 1\n. set after%, 2\n\n|runexe in a comment\nset last%, 3"));
  ASSERT_TRUE(status().LoadStatusFile("Planted", false));
  status().RunStatusScript();
  EXPECT_EQ(Var("before%")->number, 1);
  EXPECT_EQ(Var("after%")->number, 2);
  EXPECT_EQ(Var("last%")->number, 3) << "a last line without its line end still runs";
  EXPECT_FALSE(status().RunningStatusScript());

  WriteFile(path, HandMade(std::string("set a%, 1\n\0\0runexe \"x\"\n\xff\xfe\x01set b%, 2\n", 31)));
  title_->ClearTrace();
  EXPECT_FALSE(status().LoadStatusFile("Planted", false));
  EXPECT_FALSE(Has(title_->TraceText(), "program"));
  EXPECT_FALSE(status().RunningStatusScript());
}

class StatusQuestionTest : public StatusFilesTest {
 protected:
  StatusQuestionTest() : StatusFilesTest("answer yes\n") {}
};

TEST_F(StatusQuestionTest, AnotherTitlesFileLoadsWhenTheLearnerSaysYes) {
  WriteFile(File("Scripts/Status/Other.ZDS"), HandMade("set a%, 1\n", "!Elsewhere"));
  title_->ClearTrace();
  EXPECT_TRUE(status().LoadStatusFile("Other", false));
  EXPECT_TRUE(Has(title_->TraceText(), "message error143: "));
  EXPECT_TRUE(Has(title_->TraceText(), "[yes/no, warning]"));
}

}  // namespace
}  // namespace zd
