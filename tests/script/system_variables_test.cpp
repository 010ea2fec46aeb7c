// System variables: times, the pointer, read-once texts, read-only values.
#include <gtest/gtest.h>

#include "script/script_runner.h"
#include "script/system_variables.h"

namespace zd {
namespace {

using test::Keys;
using test::ScriptRunner;

TEST(SystemVariables, ReadOnlyValuesRefuseWritesAndWritableOnesStore) {
  ScriptRunner r;
  EXPECT_EQ(r.Run("set f%, FLIP%\nset t%, TRUE%\nset o%, OFF%\nset p%, Platform%\n"
                  "set n%, NFields%\nset k%, NRecords%\nset d%, DateFormat%\n"),
            Keys{});
  EXPECT_EQ(r.Number("f%"), -1);
  EXPECT_EQ(r.Number("t%"), 1);
  EXPECT_EQ(r.Number("o%"), 0);
  EXPECT_EQ(r.Number("p%"), 2);
  EXPECT_EQ(r.Number("n%"), -1) << "no database is open";
  EXPECT_EQ(r.Number("k%"), -1);
  EXPECT_EQ(r.Number("d%"), 256);
  EXPECT_EQ(r.Run("set FLIP%, 1\nset PageName$, \"x\"\nset MouseX%, 3\n"),
            (Keys{"scerr22", "scerr22", "scerr22"}));
  EXPECT_EQ(r.Number("FLIP%"), -1);
  EXPECT_EQ(r.Run("set Sound%, 5\nset s%, Sound%\nset Sound%, 0\nset z%, Sound%\n"), Keys{});
  EXPECT_EQ(r.Number("s%"), 1);
  EXPECT_EQ(r.Number("z%"), 0);
  EXPECT_EQ(r.Run("set Resume$, \"USER SAVE\"\nset why$, Resume$\n"), Keys{});
  EXPECT_EQ(r.Text("why$"), "USER SAVE");
  // The tables hold 25 integer and 7 string variables, in their fixed order.
  EXPECT_EQ(r.engine().commands().size(), 73);
  EXPECT_EQ(r.engine().commands().at(0).name.view(), "set");
  EXPECT_EQ(r.engine().commands().at(17).name.view(), "runexe");
  EXPECT_EQ(r.engine().commands().at(72).name.view(), "print");
}

TEST(SystemVariables, ExitConditionIsReadOnceAndTheProbeDoesNotReadIt) {
  ScriptRunner r;
  r.engine().SetExitCondition("Go");
  EXPECT_EQ(r.Text("ExitCondition$"), "Go");
  r.Run("set a$, ExitCondition$\nset b$, ExitCondition$\n");
  EXPECT_EQ(r.Text("a$"), "Go");
  EXPECT_EQ(r.Text("b$"), "");
  r.Run("set ExitCondition$, \"again\"\nset c$, ExitCondition$\n");
  EXPECT_EQ(r.Text("c$"), "again");
}

TEST(SystemVariables, TotalTimeCountsFromTheTickCountOrFromWhatWasSet) {
  ScriptRunner r({.events = "wait 2000000000\n", .startTicks = 123450});
  r.Run("set t%, TotalTime%\n");
  EXPECT_EQ(r.Number("t%"), 12345);
  // A second after setting it to 0 it reads 100.
  r.Run("set TotalTime%, 0\n");
  platform::Event ignored;
  r.runtime().platform.WaitEvent(ignored, r.runtime().platform.TickCount() + 1000);
  r.Run("set t%, TotalTime%\n");
  EXPECT_EQ(r.Number("t%"), 100);
}

TEST(SystemVariables, ThePageIsNamedByItsSectionAndNumberedFromZero) {
  test::PlayedTitle t(R"({"pages": [{"name": "P"}], "sections": [{"name": "Root", "page": "P"}]})",
                      {.events = "wait 100\nexpect var PageNumber% 0\nexpect var PageName$ Root\nquit\n"});
  EXPECT_EQ(t.Run(), 0) << t.TraceText();
}

TEST(SystemVariables, ThePointerIsGivenInTitleUnitsUpwardFromThePageBottom) {
  ScriptRunner r;
  r.runtime().shell.pointers().TrackPointer(0, 0);
  r.Run("set x%, MouseX%\nset y%, MouseY%\n");
  EXPECT_EQ(r.Number("x%"), 0);
  EXPECT_EQ(r.Number("y%"), 960);
  r.runtime().shell.pointers().TrackPointer(100, 479);
  r.Run("set x%, MouseX%\nset y%, MouseY%\n");
  EXPECT_EQ(r.Number("x%"), 200);
  EXPECT_EQ(r.Number("y%"), 2);
}

TEST(SystemVariables, DateAndTimeComeFromTheLocalClock) {
  ScriptRunner r;
  const platform::LocalTime now = r.runtime().platform.Now();
  r.Run("set y%, Year%\nset m%, Month%\nset d%, DayOfMonth%\nset w%, DayOfWeek%\n"
        "set j%, DayOfYear%\nset h%, Hour%\nset n%, Min%\nset s%, Sec%\n");
  EXPECT_EQ(r.Number("y%"), now.year);
  EXPECT_EQ(r.Number("m%"), now.month);
  EXPECT_EQ(r.Number("d%"), now.day);
  EXPECT_EQ(r.Number("w%"), now.dayOfWeek + 1) << "1 is Sunday";
  EXPECT_EQ(r.Number("j%"), now.dayOfYear + 1) << "1 is the first of January";
  EXPECT_GE(*r.Number("h%"), 0);
  EXPECT_LE(*r.Number("n%"), 59);
  EXPECT_LE(*r.Number("s%"), 59);
}

TEST(SystemVariables, OnlyRegisteredNamesAreFoundNotTheTablesFreeEntries) {
  script::SystemVariables table;
  ASSERT_TRUE(table.RegisterString({"Only$", nullptr, nullptr}));
  ASSERT_TRUE(table.RegisterInt({"Only%", nullptr, nullptr}));
  EXPECT_NE(table.FindString("Only$"), nullptr);
  EXPECT_NE(table.FindInt("Only%"), nullptr);
  EXPECT_EQ(table.FindString(""), nullptr) << "a free entry has an empty name";
  EXPECT_EQ(table.FindInt(""), nullptr);
}

}  // namespace
}  // namespace zd
