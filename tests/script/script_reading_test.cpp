// Scripts run both ways: from the prepared form titles get, and with every line read afresh as
// it runs. Each case plays the same steps in four runtimes: both readings with every trace line
// kept, and both again with only the messages traced, as titles usually run (the run loop goes
// its quick way only when script lines are not traced). The title must see the same reports,
// script lines and variables every way, and the value it should see. The cases are the ones
// where a prepared form kept too long (a variable's place after the tables changed, a text after
// a write, a command table that grew) or too short would show.
#include <gtest/gtest.h>

#include <array>
#include <cstring>
#include <filesystem>
#include <functional>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "platform/headless/headless_platform.h"
#include "runtime.h"
#include "script/script_runner.h"
#include "support/both_ways.h"
#include "support/script_objects.h"
#include "support/test_support.h"
#include "support/title_builder.h"

namespace zd {
namespace {

using script::ScriptReading;
using test::Keys;
using test::MessageLines;
using test::Tracing;
using test::VariablesOf;

// One runtime with no title, reading its scripts one way; the trace of every step is kept.
class ScriptSide {
 public:
  ScriptSide(ScriptReading reading, Tracing tracing)
      : runtime_("", tracing, test::EnglishMessages()), tracing_(tracing) {
    engine().SetScriptReading(reading);
  }

  ScriptEngine& engine() { return runtime_.runtime().script; }
  bool tracesScriptLines() const { return tracing_ == Tracing::Everything; }
  // Runs `text` as a script of its own; returns the keys it reported.
  Keys Run(std::string_view text) {
    return Step([&] {
      script::ScriptSource source;
      source.name.Assign("+Test");
      source.text = text;
      engine().RunScript(source, 0, 1, false);
    });
  }
  // Runs a prepared text again.
  Keys RunPrepared(script::PreparedScript& prepared, std::string_view name = "+Kept") {
    return Step([&] { engine().RunPrepared(prepared, name, 0, 1, false); });
  }
  Keys Step(const std::function<void()>& step) {
    runtime_.ClearTrace();
    step();
    const std::string trace = runtime_.TraceText();
    log_ += trace;
    reports_ = test::ReportsIn(trace);
    return test::KeysOf(reports_);
  }
  // The line numbers the last step's reports gave.
  std::vector<int> ReportedLines() const {
    std::vector<int> lines;
    for (const auto& r : reports_) lines.push_back(r.line);
    return lines;
  }
  std::optional<double> Number(const std::string& name) {
    auto v = engine().ProbeVariable(name);
    if (!v || v->kind == platform::ProbedVariable::Kind::Text) return std::nullopt;
    return v->number;
  }
  std::optional<std::string> Text(const std::string& name) {
    auto v = engine().ProbeVariable(name);
    if (!v || v->kind != platform::ProbedVariable::Kind::Text) return std::nullopt;
    return v->text;
  }
  const std::string& log() const { return log_; }

 private:
  test::TracedRuntime runtime_;
  Tracing tracing_;
  std::string log_;
  std::vector<test::ScriptReport> reports_;
};

// The four ways a case runs, in the order the steps are played: each reading traced, then each
// reading with only its messages traced.
struct Way {
  ScriptReading reading;
  Tracing tracing;
  const char* name;
};
constexpr std::array<Way, 4> kWays = {{
    {ScriptReading::Prepared, Tracing::Everything, "prepared, traced"},
    {ScriptReading::Afresh, Tracing::Everything, "read afresh, traced"},
    {ScriptReading::Prepared, Tracing::MessagesOnly, "prepared, messages only"},
    {ScriptReading::Afresh, Tracing::MessagesOnly, "read afresh, messages only"},
}};

// The sides of one case (in the order of kWays) must agree: the traced ones line for line, the
// others in their messages, all four in their variables.
template <typename Side>
void ExpectTheSameEveryWay(std::array<std::unique_ptr<Side>, 4>& sides) {
  EXPECT_EQ(sides[0]->log(), sides[1]->log()) << "traced";
  EXPECT_EQ(sides[2]->log(), sides[3]->log()) << "messages only";
  EXPECT_EQ(MessageLines(sides[2]->log()), MessageLines(sides[0]->log())) << "traced or not";
  const std::string variables = VariablesOf(sides[0]->engine());
  for (size_t i = 1; i < sides.size(); ++i) {
    EXPECT_EQ(VariablesOf(sides[i]->engine()), variables) << kWays[i].name;
  }
}

// The same steps on every side; then the traces and variables must agree.
void BothWays(const std::function<void(ScriptSide&)>& steps) {
  std::array<std::unique_ptr<ScriptSide>, 4> sides;
  for (size_t i = 0; i < kWays.size(); ++i) {
    SCOPED_TRACE(kWays[i].name);
    sides[i] = std::make_unique<ScriptSide>(kWays[i].reading, kWays[i].tracing);
    steps(*sides[i]);
  }
  ExpectTheSameEveryWay(sides);
}

TEST(ScriptReading, VariablesFoundAgainAfterClearOrDeleteBetweenRunsOfTheSameLines) {
  BothWays([](ScriptSide& s) {
    const auto kept = s.engine().Prepare("add x%, x%, 1\nset z%, x%\nadd s$, s$, \"+\"\n");
    EXPECT_EQ(s.Run("set a%, 1\nset x%, 5\nset y%, 7\nset s$, \"\"\n"), Keys{});
    EXPECT_EQ(s.RunPrepared(*kept), Keys{});
    EXPECT_EQ(s.Number("x%"), 6);
    // x% moves up one place: a place remembered from before would now be y%'s.
    EXPECT_EQ(s.Run("clear a%\n"), Keys{});
    EXPECT_EQ(s.RunPrepared(*kept), Keys{});
    EXPECT_EQ(s.Number("x%"), 7);
    EXPECT_EQ(s.Number("y%"), 7);
    EXPECT_EQ(s.Number("z%"), 7);
    // All gone, then made again in another order.
    EXPECT_EQ(s.Run("clear\nset z%, 0\nset y%, 100\nset x%, 1\nset s$, \"\"\n"), Keys{});
    EXPECT_EQ(s.RunPrepared(*kept), Keys{});
    EXPECT_EQ(s.Number("x%"), 2);
    EXPECT_EQ(s.Number("y%"), 100);
    // x% deleted: the lines that read it report it missing; the other lines go on.
    EXPECT_EQ(s.Run("clear x%\n"), Keys{});
    EXPECT_FALSE(s.RunPrepared(*kept).empty());
    EXPECT_EQ(s.Number("y%"), 100);
    EXPECT_EQ(s.Text("s$"), "++");
  });
}

TEST(ScriptReading, AVariableClearedAndMadeAgainWithinOneRun) {
  BothWays([](ScriptSide& s) {
    const auto kept = s.engine().Prepare(
        "set a%, 1\nset b%, 2\nset c%, 3\nclear a%\nadd c%, c%, 10\nset a%, 4\n"
        "add b%, b%, a%\nclear\nset c%, 9\nadd c%, c%, 1\n");
    for (int run = 0; run < 2; ++run) {
      EXPECT_EQ(s.RunPrepared(*kept), Keys{});
      EXPECT_EQ(s.Number("c%"), 10);
      EXPECT_FALSE(s.Number("a%"));
      EXPECT_FALSE(s.Number("b%"));
    }
    // Float and text tables are looked after the same way.
    const auto floats = s.engine().Prepare(
        "set f, 1.5\nset g, 2.0\nset t$, \"a\"\nset u$, \"b\"\nclear f\nclear t$\n"
        "add g, g, 0.25\nadd u$, u$, \"c\"\n");
    EXPECT_EQ(s.RunPrepared(*floats), Keys{});
    EXPECT_EQ(s.RunPrepared(*floats), Keys{});
    EXPECT_EQ(s.Number("g"), 2.25);
    EXPECT_EQ(s.Text("u$"), "bc");
    EXPECT_FALSE(s.Number("f"));
  });
}

TEST(ScriptReading, SystemVariablesReadAndWrittenThroughTheSameLines) {
  BothWays([](ScriptSide& s) {
    // DateFormat% is the player's; dateformat% (another case) is the script's own.
    const auto kept = s.engine().Prepare(
        "add DateFormat%, DateFormat%, 1\nset seen%, DateFormat%\nadd dateformat%, dateformat%, "
        "DateFormat%\nset UseSelection%, seen%\n");
    EXPECT_EQ(s.Run("set dateformat%, 0\n"), Keys{});
    EXPECT_EQ(s.RunPrepared(*kept), Keys{});
    EXPECT_EQ(s.Run("clear\nset other%, 1\nset dateformat%, 1000\n"), Keys{});
    EXPECT_EQ(s.RunPrepared(*kept), Keys{});
    EXPECT_EQ(s.Number("DateFormat%"), 258);
    EXPECT_EQ(s.Number("seen%"), 258);
    EXPECT_EQ(s.Number("dateformat%"), 1258);
    EXPECT_EQ(s.Number("UseSelection%"), 258);
  });
}

TEST(ScriptReading, AssertRegisteredAfterTheTextWasPreparedRunsFromThen) {
  std::vector<std::string> failed[kWays.size()];
  int side = 0;
  BothWays([&](ScriptSide& s) {
    const auto kept = s.engine().Prepare("set x%, 3\nassert (x% == 4)\nset after%, 1\n");
    EXPECT_EQ(s.RunPrepared(*kept), Keys{"scerr2"}) << "no such command yet";
    std::vector<std::string>& mine = failed[side++];
    s.engine().EnableTestAsserts([&mine](int32_t line, std::string_view text) {
      mine.push_back(std::to_string(line) + ": " + std::string(text));
    });
    EXPECT_EQ(s.RunPrepared(*kept), Keys{});
    EXPECT_EQ(s.Number("after%"), 1);
  });
  EXPECT_EQ(failed[0], std::vector<std::string>{"2: assert (x% == 4)"});
  for (const auto& way : failed) EXPECT_EQ(way, failed[0]);
}

// Runs of lines that only change variables, open and close levels or define a handler, between
// lines that report: the reports name the lines they come from, run after run.
TEST(ScriptReading, QuietLinesBetweenReportsKeepTheLineNumbersAndValues) {
  BothWays([](ScriptSide& s) {
    const auto kept = s.engine().Prepare(
        "set a%, 0\nif (a% == 0)\nadd a%, a%, 1\nelse\nadd a%, a%, 100\nendif\n"
        "defhandler \"Q\", \"MouseMove\", 1\nnosuch1\nendhandler\nnosuch2\nset b%, a%\n"
        "if (b% == 5)\nnosuch3\nendif\nmult b%, b%, 3\nset f, 0.1\nadd f, f, 0.2\nnosuch4\n"
        "sub b%, b%, 1\n");
    for (int run = 0; run < 2; ++run) {
      EXPECT_EQ(s.RunPrepared(*kept), (Keys{"scerr2", "scerr2"}));
      EXPECT_EQ(s.ReportedLines(), (std::vector<int>{10, 18}));
      EXPECT_EQ(s.Number("a%"), 1);
      EXPECT_EQ(s.Number("b%"), 2);
      EXPECT_EQ(s.Number("f"), 0.1 + 0.2);
      s.engine().ResetHandlers();
    }
  });
}

// Texts as they come from other editors and other hands: CR LF, no last line end, over-long
// lines, dotted lines, conditions with escapes and upper-case comparisons, deep ifs, handlers
// defined while lines are skipped. Each is run twice over one prepared form.
TEST(ScriptReading, UnusualTextsReadTheSameBothWays) {
  struct Case {
    const char* what;
    std::string text;
    Keys keys;
    std::string variable;
    std::string value;  // as text: numbers as ProbeVariable gives them
  };
  const std::string longLine = "set long$, \"" + std::string(300, 'w') + "\"";
  std::string deepIfs;
  for (int i = 0; i < 12; ++i) deepIfs += "if (1 == 1)\n";
  deepIfs += "set deep%, 1\n";
  for (int i = 0; i < 12; ++i) deepIfs += "endif\n";
  deepIfs += "set after%, 2\n";
  const std::vector<Case> cases = {
      {"CR LF", "set a%, 1\r\nadd a%, a%, 2\r\nset b%, a%\r\n", {}, "b%", "3"},
      {"no last line end", "set a%, 1\nset b%, 7", {}, "b%", "7"},
      {"a one-character last line", "set b%, 8\nx", {}, "b%", "8"},
      {"a line over 255 characters", longLine + "\nset after%, 1\n", {"scerr1", "scerr42", "scerr16"},
       "after%", "1"},
      {"dotted lines", ". set d%, 4\n.\n. add d%, d%, 1\n", {}, "d%", "5"},
      {"escapes in a condition", "set q$, \"a\\\"b\"\nif (q$ == \"a\\\"b\")\nset hit%, 1\nendif\n",
       {}, "hit%", "1"},
      {"upper-case comparison words", "set x%, 8\nif (x% BIT 3)\nset hit%, 2\nendif\n"
       "IF (x% !BIT 2)\nadd hit%, hit%, 1\nENDIF\n",
       {}, "hit%", "3"},
      {"ifs nested past ten", deepIfs, {"scerr30", "scerr30", "scerr29", "scerr29"}, "after%",
       "2"},
      {"a handler defined on skipped lines",
       "set h%, 0\nif (1 == 2)\ndefhandler \"H\", \"MouseMove\", 1\nset h%, 9\nendhandler\n"
       "endif\nset after%, 3\n",
       {}, "after%", "3"},
      {"a skipped condition inside a handler",
       "defhandler \"H2\", \"MouseMove\", 1\nif (nothere% == 1)\nset h%, 9\nendif\nendhandler\n"
       "set after%, 4\n",
       {}, "after%", "4"},
      {"a comment after a command", "set c%, 5 | set c%, 6\n|set c%, 7\n", {}, "c%", "5"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    BothWays([&](ScriptSide& s) {
      const auto kept = s.engine().Prepare(c.text);
      for (int run = 0; run < 2; ++run) {
        const Keys keys = s.RunPrepared(*kept);
        if (run == 0) {
          EXPECT_EQ(keys, c.keys);
        }
        s.engine().ResetHandlers();
      }
      const auto probed = s.engine().ProbeVariable(c.variable);
      ASSERT_TRUE(probed) << c.variable;
      EXPECT_EQ(probed->kind == platform::ProbedVariable::Kind::Text
                    ? probed->text
                    : std::to_string(static_cast<long long>(probed->number)),
                c.value);
    });
  }
}

// The script files of the tree, with their asserts, and the texts that once read differently
// one way than the other.
TEST(ScriptReading, ScriptFilesAndRegressionsRunTheSameBothWays) {
  std::vector<std::filesystem::path> files;
  for (const char* folder : {"/tests/scripts", "/tests/script/regressions"}) {
    const std::filesystem::path dir = test::SourceDir() + folder;
    if (!std::filesystem::is_directory(dir)) continue;
    for (const auto& entry : std::filesystem::directory_iterator(dir)) {
      if (entry.is_regular_file()) files.push_back(entry.path());
    }
  }
  ASSERT_FALSE(files.empty());
  for (const auto& file : files) {
    SCOPED_TRACE(file.string());
    const std::string text = test::ReadFile(file.string());
    int failures[kWays.size()] = {};
    int side = 0;
    BothWays([&](ScriptSide& s) {
      int& mine = failures[side++];
      s.engine().EnableTestAsserts([&mine](int32_t, std::string_view) { ++mine; });
      const auto kept = s.engine().Prepare(text);
      s.RunPrepared(*kept, file.filename().string());
      s.RunPrepared(*kept, file.filename().string());
    });
    for (int way : failures) EXPECT_EQ(way, failures[0]);
    if (file.extension() == ".zds") {
      EXPECT_EQ(failures[0], 0) << "the files' own asserts hold";
    }
  }
}

// --- Script objects of a page -------------------------------------------------------------

// A title made with the title kit, played reading its scripts one way, with the trace of every
// step kept.
class TitleSide {
 public:
  TitleSide(const std::string& description, ScriptReading reading, Tracing tracing)
      : path_(Built(dir_, description)),
        runtime_(path_, tracing, test::EnglishMessages()),
        tracing_(tracing) {
    engine().SetScriptReading(reading);
    Runtime& r = runtime_.runtime();
    r.shell.StartUp();
    r.shell.window().Dispatch(WindowMessage{Msg::ShowFirstPage});
    r.shell.PaintNow();
    log_ = WithoutTitlePath(runtime_.TraceText());
  }

  ScriptEngine& engine() { return runtime_.runtime().script; }
  Pages& pages() { return runtime_.runtime().pages; }
  bool tracesScriptLines() const { return tracing_ == Tracing::Everything; }
  Keys Step(const std::function<void()>& step) {
    runtime_.ClearTrace();
    step();
    const std::string trace = runtime_.TraceText();
    log_ += WithoutTitlePath(trace);
    return test::KeysOf(test::ReportsIn(trace));
  }
  Keys Run(std::string_view text) {
    return Step([&] {
      script::ScriptSource source;
      source.name.Assign("+Test");
      source.text = text;
      engine().RunScript(source, 0, 1, false);
    });
  }
  // Runs the page's script object of that name.
  Keys RunObject(const std::string& name) {
    for (int i = 0;; ++i) {
      auto object = pages().Object(i);
      if (!object) break;
      if (object->name() == name) return Step([&] { engine().RunScriptObject(i); });
    }
    ADD_FAILURE() << "no object " << name;
    return {};
  }
  double Number(const std::string& name) {
    auto v = engine().ProbeVariable(name);
    return v ? v->number : -1e9;
  }
  const std::string& log() const { return log_; }

 private:
  static std::string Built(const test::TempDir& dir, const std::string& description) {
    const std::string path = dir.File("title");
    test::Build(description, path);
    return path;
  }
  // Each side's title lies in a folder of its own; the trace names it alike for all.
  std::string WithoutTitlePath(std::string trace) const {
    for (size_t at = trace.find(path_); at != std::string::npos; at = trace.find(path_, at)) {
      trace.replace(at, path_.size(), "TITLE");
    }
    return trace;
  }

  test::TempDir dir_;
  std::string path_;
  test::TracedRuntime runtime_;
  Tracing tracing_;
  std::string log_;
};

std::string OnePage(const std::string& objects) {
  return R"({"pages": [{"name": "P", "objects": [)" + objects +
         R"(]}], "sections": [{"name": "Root", "page": "P"}]})";
}

// A script object of `text` with room for `capacity` characters, run only when asked (it
// waits for a trigger that never comes).
std::string ScriptWithRoom(const std::string& name, const std::string& text, int capacity) {
  return R"({"name": ")" + name + R"(", "type": "text", "flags": ["triggered"], "capacity": )" +
         std::to_string(capacity) + R"(, "text": ")" + test::JsonEscaped(text) + R"("})";
}

void TitleBothWays(const std::string& description,
                   const std::function<void(TitleSide&)>& steps) {
  std::array<std::unique_ptr<TitleSide>, 4> sides;
  for (size_t i = 0; i < kWays.size(); ++i) {
    SCOPED_TRACE(kWays[i].name);
    sides[i] = std::make_unique<TitleSide>(description, kWays[i].reading, kWays[i].tracing);
    steps(*sides[i]);
  }
  ExpectTheSameEveryWay(sides);
}

TEST(ScriptReadingObjects, ASecondRunSeesTheTextAWriteLeft) {
  TitleBothWays(OnePage(ScriptWithRoom("+Count", "add n, n, 1\n", 40)), [](TitleSide& t) {
    EXPECT_EQ(t.Run("set n, 0\nset m, 0\n"), Keys{});
    EXPECT_EQ(t.RunObject("+Count"), Keys{});
    EXPECT_EQ(t.Number("n"), 1);
    EXPECT_EQ(t.Run("write \"+Count\", \"add n, n, 10\\nadd m, m, 1\\n\"\n"), Keys{});
    EXPECT_EQ(t.RunObject("+Count"), Keys{});
    EXPECT_EQ(t.Number("n"), 11);
    EXPECT_EQ(t.Number("m"), 1);
    // The same text written again: nothing changes, the form may be kept.
    EXPECT_EQ(t.Run("write \"+Count\", \"add n, n, 10\\nadd m, m, 1\\n\"\n"), Keys{});
    EXPECT_EQ(t.RunObject("+Count"), Keys{});
    EXPECT_EQ(t.Number("n"), 21);
  });
}

TEST(ScriptReadingObjects, AScriptWritingItsOwnTextGoesOnFromTheSamePlaceOfTheNewText) {
  // The write is the second line; the run goes on at the byte after it, in the new text.
  const std::string first = "set first, 1\n";
  const std::string writer = "write \"+Self\", \"%s\", t$\n";
  const std::string self = first + writer + "set after, 1\n";
  const size_t place = first.size() + writer.size();
  TitleBothWays(OnePage(ScriptWithRoom("+Self", self, 120)), [&](TitleSide& t) {
    // A new text with a line beginning at that place.
    t.engine().SetStringVariable("t$", "|" + std::string(place - 2, '-') +
                                           "\nset after, 2\nset more, 1\n");
    EXPECT_EQ(t.RunObject("+Self"), Keys{});
    EXPECT_EQ(t.Number("first"), 1);
    EXPECT_EQ(t.Number("after"), 2);
    EXPECT_EQ(t.Number("more"), 1);
    // Run again, the new text runs from its start: only comments before "set after, 2".
    EXPECT_EQ(t.Run("set after, 0\nset more, 0\n"), Keys{});
    EXPECT_EQ(t.RunObject("+Self"), Keys{});
    EXPECT_EQ(t.Number("after"), 2);
    EXPECT_EQ(t.Number("more"), 1);
  });
  TitleBothWays(OnePage(ScriptWithRoom("+Self", self, 120)), [&](TitleSide& t) {
    // A new text whose line "set after, 3" holds that place four characters in: the run goes
    // on with "after, 3", which is no command.
    t.engine().SetStringVariable("t$", "|" + std::string(place - 6, '-') + "\nset after, 3\n");
    EXPECT_EQ(t.RunObject("+Self"), Keys{"scerr2"});
    EXPECT_EQ(t.Number("after"), -1e9) << "not set";
  });
}

TEST(ScriptReadingObjects, AHandlerBodyRunsFromItsPlaceInTheTextAsItIsNow) {
  const std::string text =
      "defhandler \"H\", \"MouseMove\", 1\nadd hits, hits, 1\nendhandler\nset defined, 1\n";
  TitleBothWays(OnePage(ScriptWithRoom("+Def", text, 120)), [&](TitleSide& t) {
    EXPECT_EQ(t.Run("set hits, 0\n"), Keys{});
    EXPECT_EQ(t.RunObject("+Def"), Keys{});
    EXPECT_EQ(t.Number("defined"), 1);
    EXPECT_EQ(t.Step([&] { t.engine().RunMouseMoveHandlers(); }), Keys{});
    EXPECT_EQ(t.Number("hits"), 1);
    // The body's line changes in place; the handler stays defined as it was.
    EXPECT_EQ(t.Run("write \"+Def\", \"defhandler \\\"H\\\", \\\"MouseMove\\\", 1\\n"
                    "add hits, hits, 9\\nendhandler\\nset defined, 1\\n\"\n"),
              Keys{});
    EXPECT_EQ(t.Step([&] { t.engine().RunMouseMoveHandlers(); }), Keys{});
    EXPECT_EQ(t.Number("hits"), 10);
    // A body whose place now falls inside a longer first line is read from the middle of
    // it: there a comment begins, and the line after it runs.
    const size_t body = text.find('\n') + 1;
    t.engine().SetStringVariable(
        "t$", "|" + std::string(body - 1, '-') + "| more\nadd hits, hits, 100\nendhandler\n");
    EXPECT_EQ(t.Run("write \"+Def\", \"%s\", t$\n"), Keys{});
    EXPECT_EQ(t.Step([&] { t.engine().RunMouseMoveHandlers(); }), Keys{});
    EXPECT_EQ(t.Number("hits"), 110);
  });
}

TEST(ScriptReadingObjects, NestedRunsNavigationAndAnchorLinesBothWays) {
  const std::string description = R"({"pages": [{"name": "P", "objects": [)" +
                                  ScriptWithRoom("+Inner", "add inner, inner, 1\n", 40) + ", " +
                                  ScriptWithRoom("+Outer",
                                                 "set before, 1\nshowhide \"+Inner\", 1\n"
                                                 "bogus\ntooverview \"Q\"\nset never, 1\n",
                                                 120) +
                                  R"(]}, {"name": "Q"}], "sections": [{"name": "Root", "page": "P",
                                  "children": [{"name": "Q", "page": "Q"}]}]})";
  TitleBothWays(description, [](TitleSide& t) {
    EXPECT_EQ(t.Run("set inner, 0\nset a%, 1\nset k%, 0\n"), Keys{});
    // The inner run ends, the outer one goes on with its own line numbers; navigation ends it.
    const auto keys = t.RunObject("+Outer");
    EXPECT_EQ(keys, Keys{"scerr2"});
    EXPECT_EQ(t.Number("inner"), 1);
    EXPECT_EQ(t.Number("never"), -1e9);
    if (t.tracesScriptLines()) {
      EXPECT_TRUE(test::Has(t.log(), "script +Outer 3: bogus"));
    }
    EXPECT_TRUE(t.pages().TakePendingSection());
    // A QSL anchor's line, kept by its text, after the variable it names has moved.
    EXPECT_EQ(t.Step([&] { t.engine().RunAnchorLine("add k%, k%, 1"); }), Keys{});
    EXPECT_EQ(t.Run("clear a%\n"), Keys{});
    EXPECT_EQ(t.Step([&] { t.engine().RunAnchorLine("add k%, k%, 1"); }), Keys{});
    EXPECT_EQ(t.Number("k%"), 2);
  });
}


// A comment line that fills the text up to `length` characters, its line end included.
std::string CommentLine(size_t length) { return "|" + std::string(length - 2, '-') + "\n"; }

TEST(ScriptReadingObjects, AHandlerFollowsItsObjectNameOntoAPageShownOverAndEndsWhenThePageIsLeft) {
  const std::string defines =
      "defhandler \"H\", \"MouseMove\", 1\nadd hits, hits, 1\nendhandler\nset defined, 1\n";
  const size_t body = defines.find('\n') + 1;
  // The page shown over has an object of the same name at another index, whose text has another
  // line where the body began.
  const std::string over =
      CommentLine(body) + "add hits, hits, 100\nendhandler\nset wrong, 1\n";
  const std::string description =
      R"({"pages": [{"name": "P", "objects": [)" + ScriptWithRoom("+Def", defines, 120) +
      R"(]}, {"name": "Q", "flags": [], "objects": [{"name": "Box", "type": "rectangle"}, )" +
      ScriptWithRoom("+Def", over, 120) +
      R"(]}, {"name": "R"}], "sections": [{"name": "Root", "page": "P", "children": [
         {"name": "Q", "page": "Q"}, {"name": "R", "page": "R"}]}]})";
  TitleBothWays(description, [&](TitleSide& t) {
    EXPECT_EQ(t.Run("set hits, 0\n"), Keys{});
    EXPECT_EQ(t.RunObject("+Def"), Keys{});
    EXPECT_EQ(t.Step([&] { t.engine().RunMouseMoveHandlers(); }), Keys{});
    EXPECT_EQ(t.Number("hits"), 1);
    // Shown over P, Q leaves P open: the handler stays, and its body is read from the object
    // of its name on Q, at the place the body had.
    EXPECT_EQ(t.Step([&] { t.pages().GotoPageWithHistory(1); }), Keys{});
    EXPECT_EQ(t.pages().CurrentPageName(), "Q");
    EXPECT_EQ(t.Step([&] { t.engine().RunMouseMoveHandlers(); }), Keys{});
    EXPECT_EQ(t.Number("hits"), 101);
    EXPECT_EQ(t.Step([&] { t.engine().RunMouseMoveHandlers(); }), Keys{});
    EXPECT_EQ(t.Number("hits"), 201);
    EXPECT_EQ(t.Number("wrong"), -1e9) << "the body stops at its endhandler";
    // A full page closes the open pages: the handler is gone with them.
    EXPECT_EQ(t.Step([&] { t.pages().GotoPageWithHistory(2); }), Keys{});
    EXPECT_EQ(t.pages().CurrentPageName(), "R");
    EXPECT_EQ(t.Step([&] { t.engine().RunMouseMoveHandlers(); }), Keys{});
    EXPECT_EQ(t.Number("hits"), 201);
  });
}

TEST(ScriptReadingObjects, AScriptShowingItselfWhoseInnerRunWritesItsTextGoesOnInTheNewText) {
  const std::string upToShow = "add depth, depth, 1\nif (depth == 1)\nshowhide \"+Self\", 1\n";
  const std::string upToWrite = upToShow + "endif\nif (depth == 2)\nwrite \"+Self\", \"%s\", t$\n";
  const std::string self = upToWrite + "endif\nset old, depth\n";
  // The new text: where the outer run goes on (after its showhide) a line of its own, where
  // the inner run goes on (after its write) the last line.
  const std::string outerLine = "add fromOuter, fromOuter, 1\n";
  const std::string fresh = CommentLine(upToShow.size()) + outerLine +
                            CommentLine(upToWrite.size() - upToShow.size() - outerLine.size()) +
                            "add tail, tail, 1\n";
  ASSERT_EQ(fresh.find("add tail"), upToWrite.size());
  TitleBothWays(OnePage(ScriptWithRoom("+Self", self, 300)), [&](TitleSide& t) {
    t.engine().SetStringVariable("t$", fresh);
    EXPECT_EQ(t.Run("set depth, 0\nset fromOuter, 0\nset tail, 0\n"), Keys{});
    EXPECT_EQ(t.RunObject("+Self"), Keys{});
    EXPECT_EQ(t.Number("depth"), 2) << "the object ran inside its own run";
    EXPECT_EQ(t.Number("tail"), 2) << "both runs went on in the new text";
    EXPECT_EQ(t.Number("fromOuter"), 1);
    EXPECT_EQ(t.Number("old"), -1e9) << "no line of the old text ran after the write";
  });
}

// A script whose line shows another script object that writes nine times into other texts; the
// script's own text is written after those writes in one case, before them in the other.
TEST(ScriptReadingObjects, ManyWritesIntoOtherTextsDoNotHideAWriteIntoTheRunningText) {
  std::string nineWrites;
  for (int i = 1; i <= 9; ++i) {
    nineWrites += i % 2 ? "write \"+A\", \"add a, a, " : "write \"+B\", \"add b, b, ";
    nineWrites += std::to_string(i) + "\\n\"\n";
  }
  const std::string mainUpToOwnWrite =
      "set first, 1\nshowhide \"+Others\", 1\nwrite \"+Main\", \"%s\", t$\n";
  const std::string main = mainUpToOwnWrite + "set old, 1\n";
  const std::string lateUpToShow = "set first, 1\nshowhide \"+Both\", 1\n";
  const std::string late = lateUpToShow + "set oldLate, 1\n";
  const std::string description = OnePage(
      ScriptWithRoom("+Main", main, 200) + ", " + ScriptWithRoom("+Others", nineWrites, 400) +
      ", " + ScriptWithRoom("+Late", late, 200) + ", " +
      ScriptWithRoom("+Both", "write \"+Late\", \"%s\", u$\n" + nineWrites, 400) + ", " +
      ScriptWithRoom("+A", "", 40) + ", " + ScriptWithRoom("+B", "", 40));
  TitleBothWays(description, [&](TitleSide& t) {
    t.engine().SetStringVariable("t$", CommentLine(mainUpToOwnWrite.size()) + "add after, after, 1\n");
    t.engine().SetStringVariable("u$", CommentLine(lateUpToShow.size()) + "add afterLate, afterLate, 1\n");
    EXPECT_EQ(t.Run("set a, 0\nset b, 0\nset after, 0\nset afterLate, 0\n"), Keys{});
    EXPECT_EQ(t.RunObject("+Main"), Keys{});
    EXPECT_EQ(t.Number("first"), 1);
    EXPECT_EQ(t.Number("after"), 1);
    EXPECT_EQ(t.Number("old"), -1e9);
    EXPECT_EQ(t.RunObject("+Late"), Keys{});
    EXPECT_EQ(t.Number("afterLate"), 1);
    EXPECT_EQ(t.Number("oldLate"), -1e9);
    // The other texts hold what was written last into them.
    EXPECT_EQ(t.RunObject("+A"), Keys{});
    EXPECT_EQ(t.RunObject("+B"), Keys{});
    EXPECT_EQ(t.Number("a"), 9);
    EXPECT_EQ(t.Number("b"), 8);
    // Run again, both scripts run their new texts from the start.
    EXPECT_EQ(t.RunObject("+Main"), Keys{});
    EXPECT_EQ(t.RunObject("+Late"), Keys{});
    EXPECT_EQ(t.Number("after"), 2);
    EXPECT_EQ(t.Number("afterLate"), 2);
  });
}

}  // namespace
}  // namespace zd
