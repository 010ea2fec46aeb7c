// The notepad's pages saved when the title ends: the question, the save dialog, the file as
// written, and what happens when it cannot be written.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "support/runtime_fixture.h"
#include "support/script_objects.h"
#include "support/test_support.h"
#include "support/title_builder.h"
#include "toolbox/notepad_window.h"

namespace zd {
namespace {

using test::Has;

// One page offering the calculator and the notepad: "Calc" (clicked at 100, 20) and "Note"
// (at 100, 420) open and close them through their link names.
std::string ToolsTitle() {
  using test::ScriptButton;
  using test::ScriptObject;
  return R"({"titles": [{"directory": "_calc", "pages": [
      {"name": "One", "background": "#000000", "objects": [
        {"name": "~TCalc", "type": "area", "pixels": [300, 300, 400, 350]},
        {"name": "~TNoteP", "type": "area", "pixels": [300, 400, 400, 450]},
        )" + ScriptButton("Calc", 0, "+Calc") + "," + ScriptButton("Note", 400, "+Note") + "," +
         ScriptObject("+Calc", "eventtrig \"~TCalc\", 0\n") + "," +
         ScriptObject("+Note", "eventtrig \"~TNoteP\", 0\n") + R"(],
       "toolbox": {"pixels": [560, 400, 640, 480], "tools": ["calculator", "notepad"]}}],
    "resources": [], "sections": [{"name": "One", "page": 0}]}]})";
}

// The centre of a dialog control, in page pixels, for a window first placed at (x, y): dialog
// units of "MS Sans Serif" 8 are 1.5 pixels across and 1.625 down, under an 18-pixel caption
// and inside a 3-pixel frame.
std::string ClickOn(int windowX, int windowY, int x, int y, int w, int h) {
  const auto across = [](int units) { return (units * 3 + 1) / 2; };
  const auto down = [](int units) { return (units * 13 + 4) / 8; };
  const int px = windowX + 3 + across(x) + across(w) / 2;
  const int py = windowY + 18 + 3 + down(y) + down(h) / 2;
  return "click " + std::to_string(px) + " " + std::to_string(py) + "\n";
}

class CalculatorNotepadE2e : public testing::Test {
 protected:
  void SetUp() override { test::Build(ToolsTitle(), dir_.File("titles")); }

  test::RunResult Play(const std::string& events) {
    const auto r = test::RunPlayer({"--headless", "--trace=dialog,tool,file,message", "--events",
                                    dir_.Write("events", events),
                                    dir_.File("titles/_calc/authorfi")},
                                   dir_.path());
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_FALSE(Has(r.err, "expect failed")) << r.err;
    return r;
  }

  test::TempDir dir_;
};

TEST_F(CalculatorNotepadE2e, CalculatorButtonsAndKeys) {
  // The calculator opens near the page's right edge, at (480, 48).
  const auto r = Play("wait 100\nclick 100 20\nwait 50\n" +
                      ClickOn(480, 48, 8, 51, 16, 16) +    // 7
                      ClickOn(480, 48, 68, 91, 16, 16) +   // +
                      "type 5\nkey Return\nkey F9\nwait 50\n" +
                      ClickOn(480, 48, 48, 32, 36, 15) +   // C
                      "type 8x\nkey Backspace\nwait 50\nclick 100 20\nwait 50\n");
  std::string displays;
  for (size_t at = r.err.find("tool calculator display "); at != std::string::npos;
       at = r.err.find("tool calculator display ", at + 1)) {
    displays += r.err.substr(at + 24, r.err.find('\n', at) - at - 24) + ",";
  }
  EXPECT_EQ(displays, "0,7,5,12,-12,0,8,") << r.err;
  EXPECT_TRUE(Has(r.err, "tool calculator close")) << r.err;
}

TEST_F(CalculatorNotepadE2e, NotepadPagesAreSavedWhenTheTitleEnds) {
  const std::string path = dir_.File("my notes.txt");
  // The notepad opens at (24, 48); its "next page" button is at 84, 156 in dialog units.
  const std::string next = ClickOn(24, 48, 84, 156, 38, 14);
  const auto r = Play("wait 100\nclick 100 420\nwait 50\ntype first page\n" + next + next +
                      "type third\nkey Return\ntype line\nwait 50\n"
                      "answer yes\nquit\nanswer yes\nfile " + path + "\n");
  EXPECT_TRUE(Has(r.err, "tool notepad page 3")) << r.err;
  EXPECT_EQ(test::ReadFile(path),
            "ΣΕΛΙΔΑ 1\r\n\r\nfirst page\r\n\r\n"
            "ΣΕΛΙΔΑ 3\r\n\r\nthird\r\nline\r\n\r\n")
      << r.err;
}

void Type(NotepadWindow& notepad, const std::string& text) {
  for (const char c : text) notepad.Character(static_cast<uint8_t>(c));
}

TEST(NotepadSave, EmptyPagesAskNothingAndNoSavesNothing) {
  test::RuntimeFixture fixture;
  NotepadWindow notepad(fixture.runtime());
  notepad.ResetNotepad();
  notepad.Open();
  notepad.Clicked(105);
  Type(notepad, "x\b");
  notepad.OfferNotepadSave();
  EXPECT_FALSE(test::Has(fixture.TraceText(), "message")) << fixture.TraceText();
  EXPECT_FALSE(test::Has(fixture.TraceText(), "dialog")) << fixture.TraceText();

  test::TempDir dir;
  test::RuntimeFixture declined({.events = "answer no\n"});
  NotepadWindow kept(declined.runtime());
  kept.ResetNotepad();
  kept.Open();
  Type(kept, "text");
  kept.OfferNotepadSave();
  EXPECT_TRUE(test::Has(declined.TraceText(), "message")) << declined.TraceText();
  EXPECT_FALSE(test::Has(declined.TraceText(), "file written"));
  EXPECT_TRUE(std::filesystem::is_empty(dir.path()));
}

TEST(NotepadSave, AFileThatCannotBeWrittenIsReportedAndOfferedAgain) {
  test::TempDir dir;
  const std::string unwritable = dir.File("missing-folder/notes.txt");
  const std::string good = dir.File("notes.txt");
  test::RuntimeFixture fixture({.events = "answer yes\nfile " + unwritable + "\nanswer ok\nfile " +
                                          good + "\n"});
  NotepadWindow notepad(fixture.runtime());
  notepad.ResetNotepad();
  notepad.Open();
  Type(notepad, "kept");
  notepad.OfferNotepadSave();
  const std::string trace = fixture.TraceText();
  EXPECT_TRUE(test::Has(trace, "missing-folder/notes.txt")) << trace;
  EXPECT_TRUE(test::Has(trace, "δεν αποθηκεύτηκε στο \"" + unwritable)) << trace;
  const size_t firstDialog = trace.find("dialog save-file");
  ASSERT_NE(firstDialog, std::string::npos);
  EXPECT_NE(trace.find("dialog save-file", firstDialog + 1), std::string::npos) << trace;
  EXPECT_FALSE(test::Has(trace, "file written " + unwritable)) << trace;
  EXPECT_EQ(test::ReadFile(good), "ΣΕΛΙΔΑ 1\r\n\r\nkept\r\n\r\n");
  EXPECT_FALSE(fixture.ScriptFailed());

  // Cancelled after a failure: nothing is written and the run goes on.
  test::RuntimeFixture cancelled(
      {.events = "answer yes\nfile " + unwritable + "\nanswer ok\nfile -\n"});
  NotepadWindow second(cancelled.runtime());
  second.ResetNotepad();
  second.Open();
  Type(second, "lost on purpose");
  second.OfferNotepadSave();
  EXPECT_FALSE(cancelled.ScriptFailed());
  EXPECT_FALSE(std::filesystem::exists(unwritable));

  // A name the title's code page cannot hold is refused, not written under "?"s.
  test::TempDir foreign;
  const std::string chosen = foreign.File("café日本.txt");
  const std::string other = foreign.File("notes.txt");
  test::RuntimeFixture named({.events = "answer yes\nfile " + chosen + "\nanswer ok\nfile " +
                                        other + "\n"});
  NotepadWindow third(named.runtime());
  third.ResetNotepad();
  third.Open();
  Type(third, "kept");
  third.OfferNotepadSave();
  const std::string namedTrace = named.TraceText();
  EXPECT_TRUE(test::Has(namedTrace, "δεν μπορούν να γραφτούν")) << namedTrace;
  EXPECT_EQ(test::ReadFile(other), "ΣΕΛΙΔΑ 1\r\n\r\nkept\r\n\r\n");
  size_t files = 0;
  for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(foreign.path())) {
    ++files;
  }
  EXPECT_EQ(files, 1u) << namedTrace;
}

}  // namespace
}  // namespace zd
