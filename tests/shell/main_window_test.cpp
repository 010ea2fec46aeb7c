// The main window's behaviour through whole runs of the runtime over the headless platform.
#include <gtest/gtest.h>

#include "support/runtime_fixture.h"

namespace zd {
namespace {

bool Has(const std::string& text, const std::string& part) {
  return text.find(part) != std::string::npos;
}

size_t Count(const std::string& text, const std::string& part) {
  size_t n = 0;
  for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++n;
  return n;
}

TEST(MainWindow, ARefusedExitFromThePopupMenuLeavesTheCloseBoxWorkingNormally) {
  // Exit from the popup menu (code 1): the popup paused the clock, so the question does not
  // pause again; refusing resumes. The close box afterwards pauses and asks afresh.
  test::RuntimeFixture f({.events = "rclick 100 100\nmenu 118\nanswer no\n"
                                    "wait 20\nanswer yes\nquit\n"});
  EXPECT_EQ(f.runtime().Run(), 0);
  const std::string trace = f.TraceText();
  EXPECT_EQ(Count(trace, "lifecycle media pause"), 2u) << trace;
  EXPECT_EQ(Count(trace, "lifecycle media resume"), 1u) << trace;
  EXPECT_EQ(Count(trace, "[yes/no, question]"), 2u);
  EXPECT_TRUE(Has(trace, "window closed"));
}

TEST(MainWindow, ThePopupMenuGreysWhatCannotBeDoneAndResumesWhenNothingIsChosen) {
  test::RuntimeFixture plain({.events = "rclick 10 10\nmenu -\n"});
  plain.runtime().Run();
  std::string trace = plain.TraceText();
  EXPECT_TRUE(Has(trace, "112 \"Αποθήκευση αντικειμένου\" (grey)")) << "nothing to save: " << trace;
  // Without -E the player's saves folder takes the status files: the entries stay enabled.
  EXPECT_TRUE(Has(trace, "113 \"Αποθήκευση ρυθμίσεων\", "));
  EXPECT_TRUE(Has(trace, "114 \"Φόρτωση ρυθμίσεων\", "));
  EXPECT_TRUE(Has(trace, "menu none\nlifecycle media resume"));
  EXPECT_FALSE(plain.runtime().scheduler.clockPaused());

  test::RuntimeFixture saving({.commandLine = "-E /tmp/save",
                               .events = "rclick 10 10\nmenu 113\nwait 20\n"});
  saving.runtime().Run();
  trace = saving.TraceText();
  EXPECT_FALSE(Has(trace, "113 \"Αποθήκευση ρυθμίσεων\" (grey)")) << trace;
  // The chosen entry's work runs from a posted message, which resumes the clock afterwards.
  const size_t chosen = trace.find("menu 113\n");
  const size_t saved = trace.find("lifecycle save-status \"USER SAVE\"", chosen);
  ASSERT_NE(saved, std::string::npos) << trace;
  EXPECT_NE(trace.find("lifecycle media resume", saved), std::string::npos) << trace;
  EXPECT_FALSE(saving.runtime().scheduler.clockPaused());
}

TEST(MainWindow, MinimisingPausesTheClockUntilRestored) {
  test::RuntimeFixture f;
  f.runtime().shell.window().Create();
  f.ClearTrace();
  WindowMessage minimise{Msg::Size, SIZE_MINIMIZED};
  f.runtime().shell.window().Dispatch(minimise);
  f.runtime().shell.window().Dispatch(minimise);  // a second minimise does not pause twice
  EXPECT_TRUE(f.runtime().scheduler.clockPaused());
  WindowMessage restore{Msg::Size, SIZE_RESTORED};
  f.runtime().shell.window().Dispatch(restore);
  EXPECT_FALSE(f.runtime().scheduler.clockPaused());
  EXPECT_EQ(Count(f.TraceText(), "lifecycle media pause"), 1u);
}

TEST(MainWindow, ThePageOriginFollowsTheClientSize) {
  test::RuntimeFixture f({.screen = {1024, 768, 32, 0}});
  MainWindow& window = f.runtime().shell.window();
  window.Create();
  EXPECT_EQ(window.originX(), (480 - 640) / 2);  // the splash is smaller than a page
  window.Dispatch(WindowMessage{Msg::ShowFirstPage});
  EXPECT_TRUE(window.fullScreen());
  EXPECT_EQ(window.originX(), 192);
  EXPECT_EQ(window.originY(), 144);
  window.Dispatch(WindowMessage{Msg::KeyDown, 0x73});  // F4: a 640x480 window
  EXPECT_FALSE(window.fullScreen());
  EXPECT_EQ(window.originX(), 0);
  EXPECT_EQ(window.originY(), 0);
  window.Dispatch(WindowMessage{Msg::ToggleWindowMode});
  EXPECT_TRUE(window.fullScreen());
  EXPECT_TRUE(Has(f.TraceText(), "window change fullscreen 1024x768"));
  EXPECT_TRUE(Has(f.TraceText(), "window change captioned 640x480"));
}

}  // namespace
}  // namespace zd
