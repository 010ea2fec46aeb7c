// Handlers defined by page scripts and run by the pointer and the toolbox.
#include <gtest/gtest.h>

#include "script/script_runner.h"

namespace zd {
namespace {

using test::Keys;

const char* kHandlersTitle = R"({
  "pages": [
    {"name": "Home", "objects": [
       {"name": "A", "pixels": [0, 0, 100, 100], "colour": "#FF0000"},
       {"name": "B", "pixels": [200, 0, 300, 100], "colour": "#00FF00"},
       {"name": "+Loose", "type": "text", "flags": ["triggered"], "text": "set z%, 0\ndefhandler \"Loose\", \"MouseMove\", 1\nadd z%, z%, 1\nendhandler \nadd z%, z%, 10\n"},
       {"name": "+Start", "type": "text", "text": "set log$, \"\"\nset moves%, 0\ndefhandler \"EnterA\", \"MouseEnter\", 1, \"A\"\nadd log$, log$, \" enterA\"\nendhandler\ndefhandler \"EnterA2\", \"MouseEnter\", 1, \"A\"\nadd log$, log$, \" enterA2\"\nendhandler\ndefhandler \"LeaveA\", \"MouseLeave\", 1, \"A\"\nadd log$, log$, \" leaveA\"\nendhandler\ndefhandler \"EnterB\", \"MouseEnter\", 1, \"B\"\nadd log$, log$, \" enterB\"\nendhandler\ndefhandler \"Both\", \"MouseEnterLeave\", 1, \"B\", inb%\nvaltostr t$, \" both%d\", inb%\nadd log$, log$, t$\nendhandler\ndefhandler \"Off\", \"MouseEnter\", 0, \"A\"\nadd log$, log$, \" off\"\nendhandler\ndefhandler \"Move\", \"MouseMove\", 0\nadd moves%, moves%, 1\nendhandler\ndefhandler \"Self\", \"MouseEnter\", 1, \"B\"\nadd log$, log$, \" self\"\ndelhandler \"Self\"\nadd log$, log$, \" gone\"\nendhandler\ndefhandler \"Tool\", \"ToolActivate\", 1, tool$, value%\nadd log$, log$, tool$\nendhandler\nset after%, 1\n"}],
     "events": []},
    {"name": "Other"}
  ],
  "sections": [{"name": "Root", "page": "Home", "children": [{"name": "Other", "page": "Other"}]}]})";

class Handlers : public testing::Test {
 protected:
  Handlers() : title_(kHandlersTitle, {.messagesPath = test::EnglishMessages()}) {
    title_.Start();
    // The pointer starts at the page's corner, over A; it is taken away first.
    Move(500, 400);
    ClearLog();
  }
  std::string Log() { return title_.runtime().script.ProbeVariable("log$")->text; }
  void ClearLog() { title_.runtime().script.SetStringVariable("log$", ""); }
  void Move(int x, int y) { title_.runtime().shell.pointers().TrackPointer(x, y); }
  Keys Run(std::string_view text) {
    title_.ClearTrace();
    script::ScriptSource source;
    source.name.Assign("+Start");
    source.text = text;
    title_.runtime().script.RunScript(source, 0, 1, false);
    return test::KeysOf(test::ReportsIn(title_.TraceText()));
  }

  test::PlayedTitle title_;
};

TEST_F(Handlers, DefinitionsAreSkippedAndRunLaterByThePointerInTheirOrder) {
  EXPECT_EQ(title_.runtime().script.ProbeVariable("after%")->number, 1);
  EXPECT_EQ(title_.runtime().script.ProbeVariable("t$"), std::nullopt)
      << "bodies do not run while they are defined";
  Move(50, 50);
  EXPECT_EQ(Log(), " enterA enterA2");
  // From A straight onto B: B's enter handlers before A's leave handlers, then enter-leave.
  // "Self" deletes itself while it runs and its last line still runs.
  ClearLog();
  Move(250, 50);
  EXPECT_EQ(Log(), " enterB self gone leaveA both1");
  ClearLog();
  Move(500, 400);
  EXPECT_EQ(Log(), " both0");
  ClearLog();
  Move(250, 50);
  EXPECT_EQ(Log(), " enterB both1");
  EXPECT_EQ(title_.runtime().script.ProbeVariable("moves%")->number, 0) << "disabled";
}

TEST_F(Handlers, ActionsEnableDisableAndToggle) {
  EXPECT_EQ(Run("handler \"Off\", 1\nhandler \"Move\", FLIP%\n"), Keys{});
  Move(50, 50);
  EXPECT_EQ(Log(), " enterA enterA2 off");
  EXPECT_EQ(title_.runtime().script.ProbeVariable("moves%")->number, 1);
  // -2: every other handler off, this one as it was.
  ClearLog();
  EXPECT_EQ(Run("handler \"EnterA\", -2\n"), Keys{});
  Move(500, 400);
  Move(50, 50);
  EXPECT_EQ(Log(), " enterA");
  ClearLog();
  // -3: every other handler on, this one as it was (off).
  EXPECT_EQ(Run("handler \"Off\", -3\n"), Keys{});
  Move(500, 400);
  EXPECT_EQ(Log(), " leaveA");
  title_.runtime().script.RunToolActivateHandlers("Notepad", 0);
  EXPECT_EQ(Log(), " leaveANotepad");
  EXPECT_EQ(title_.runtime().script.ProbeVariable("value%")->number, 0);
  // After a page change no handler of the old page runs.
  title_.pages().GotoSection(1);
  ClearLog();
  Move(50, 50);
  title_.runtime().script.RunToolActivateHandlers("Notepad", 0);
  EXPECT_EQ(Log(), "");
  EXPECT_EQ(title_.runtime().script.handlers().Count(), 0u);
}

TEST_F(Handlers, DefinitionErrorsAndTheirKeys) {
  EXPECT_EQ(Run("defhandler \"X\", \"Nope\", 1\nset ran%, 1\nendhandler\n"),
            (Keys{"hnderr2", "hnderr7"}));
  EXPECT_EQ(title_.runtime().script.ProbeVariable("ran%")->number, 1)
      << "the body of a failed definition runs as ordinary lines";
  EXPECT_EQ(Run("defhandler \"ThirteenChars\", \"MouseMove\", 1\n"), (Keys{"hnderr1"}));
  EXPECT_EQ(Run("defhandler \"EnterA\", \"MouseMove\", 1\n"), (Keys{"hnderr3"}));
  EXPECT_EQ(Run("defhandler \"Y\", \"MouseEnter\", 1, \"ThirteenChars\"\nendhandler\n"),
            (Keys{"hnderr6", "hnderr7"}));
  EXPECT_EQ(Run("defhandler \"Z\", \"MouseEnterLeave\", 1, \"A\", f\nendhandler\n"),
            (Keys{"scerr44", "hnderr7"}));
  EXPECT_EQ(Run("delhandler \"Nobody\"\nhandler \"Nobody\", 1\nendhandler\n"),
            (Keys{"hnderr4", "hnderr4", "hnderr7"}));
  EXPECT_EQ(Run("defhandler \"Open\", \"MouseMove\", 1\nset never%, 1\n"), (Keys{"hnderr9"}));
  EXPECT_FALSE(title_.runtime().script.ProbeVariable("never%"));
  EXPECT_FALSE(title_.runtime().script.definingHandler());
  EXPECT_EQ(Run("delhandler \"Open\"\ndelhandler \"Open\"\n"), (Keys{"hnderr4"}));
}

TEST_F(Handlers, ABodyEndsOnlyAtALineThatIsExactlyEndhandler) {
  // "endhandler " with a blank closes the definition, but does not end the body when it runs:
  // the run goes on into the following lines, and that line reports hnderr7 at its line.
  title_.ClearTrace();
  title_.runtime().script.RunScriptObject(2);
  EXPECT_EQ(test::KeysOf(test::ReportsIn(title_.TraceText())), Keys{});
  EXPECT_EQ(title_.runtime().script.ProbeVariable("z%")->number, 10);
  title_.ClearTrace();
  Move(7, 300);
  const auto reports = test::ReportsIn(title_.TraceText());
  ASSERT_EQ(test::KeysOf(reports), (Keys{"hnderr7"}));
  EXPECT_EQ(reports[0].line, 4);
  EXPECT_EQ(title_.runtime().script.ProbeVariable("z%")->number, 21);
}

}  // namespace
}  // namespace zd
