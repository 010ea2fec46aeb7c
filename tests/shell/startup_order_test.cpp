// The order in which the player starts its subsystems and releases them, and what the close
// request does for each way of ending a run.
#include <gtest/gtest.h>

#include <sstream>

#include "shell/pointers.h"
#include "support/runtime_fixture.h"

namespace zd {
namespace {

// The "seam" lines of a trace, in order, without their arguments.
std::vector<std::string> Seams(const std::string& trace) {
  std::vector<std::string> seams;
  std::istringstream lines(trace);
  for (std::string line; std::getline(lines, line);) {
    if (line.rfind("seam ", 0) != 0) continue;
    line = line.substr(5);
    seams.push_back(line.substr(0, line.find(' ')));
  }
  return seams;
}

std::vector<std::string> Between(const std::vector<std::string>& seams, const std::string& first,
                                 const std::string& last) {
  const auto a = std::find(seams.begin(), seams.end(), first);
  const auto b = std::find(a, seams.end(), last);
  if (a == seams.end() || b == seams.end()) return {};
  return {a, b + 1};
}

TEST(StartupOrder, SubsystemsStartAndStopInTheirOrder) {
  test::RuntimeFixture f({.events = "answer yes\nquit\n"});
  f.runtime().Run();
  const auto seams = Seams(f.TraceText());
  EXPECT_EQ(Between(seams, "toolbox.calculator-accelerators", "toolbox.clear-tables"),
            (std::vector<std::string>{
                "toolbox.calculator-accelerators",
                "script.movie-slots",
                "database.date-names", "database.tables", "script.clear-status",
                "weblinks.clear-browsers", "toolbox.clear-tables"}));
  // (Steps that are built no longer leave a seam line; the order of the rest still shows.)
  EXPECT_EQ(Between(seams, "movies.release-port", "movies.shutdown"),
            (std::vector<std::string>{
                "movies.release-port", "movies.release", "toolbox.offer-notepad-save",
                "database.release-keyword-conditions",
                "script.release-movie-slots", "script.release-status",
                "weblinks.release-browsers", "pointers.release-capture", "printing.release",
                "movies.shutdown"}));
  // The movie system starts before the window and ends after everything else.
  EXPECT_LT(f.TraceText().find("seam movies.initialise"), f.TraceText().find("window open"));
}

TEST(StartupOrder, TheCloseRequestSavesAndAsksOnlyForTheUsersOwnClose) {
  for (int code = 0; code <= 4; ++code) {
    test::RuntimeFixture f({.events = "answer yes\n"});
    f.runtime().shell.window().Create();
    f.runtime().shell.SetTitleRunning(true);
    f.ClearTrace();
    f.runtime().shell.QuitTitle(code);
    const std::string trace = f.TraceText();
    const bool users = code == 0 || code == 1;
    EXPECT_EQ(trace.find("seam script.save-status RESUME:0 \"FORCE QUIT\"") != std::string::npos,
              users)
        << code;
    EXPECT_EQ(trace.find("[yes/no, question]") != std::string::npos, users) << code;
    // The popup menu's Exit (1) finds the clock and the movies paused already.
    EXPECT_EQ(trace.find("seam movies.pause") != std::string::npos, code == 0) << code;
    EXPECT_NE(trace.find("window closed"), std::string::npos) << code;
  }
}

TEST(StartupOrder, EveryPointerNameShowsItsOwnImage) {
  const std::pair<const char*, const char*> table[] = {
      {"FWDARROW", "IDC_ARROWFORWARD"},   {"UPARROW", "IDC_ARROWUP"},
      {"DOWNARROW", "IDC_ARROWDOWN"},     {"", "IDC_TRANS2"},
      {"HAND", "IDC_HANDPOINT"},          {"QUESTION", "IDC_QUESTION2"},
      {"LEFTARROW", "IDC_ARROWLEFT"},     {"RIGHTARROW", "IDC_ARROWRIGHT"},
      {"NO", "IDC_NOWAY3"},               {"CROSSHAIR", "IDC_CROSSHAIR"},
      {"GRABOPEN", "IDC_HANDGRABOPEN"},   {"GRABCLOSE", "IDC_HANDGRABCLOSE"},
      {"ERASER", "IDC_ERASER"},           {"THUMBUP", "IDC_HANDTHUMBUP"},
      {"THUMBDOWN", "IDC_HANDTHUMBDOWN"}, {"ZOOMIN", "IDC_ZOOMIN"},
      {"ZOOMOUT", "IDC_ZOOMOUT"},         {"ZOOMAREA", "IDC_ZOOMAREA"},
      {"MOVE", "IDC_MOVE"},               {"CENTRE", "IDC_CENTRE"},
      {"POINT", "IDC_POINT"},             {"POINTADD", "IDC_POINTADD"},
      {"POINTMINUS", "IDC_POINTMINUS"},   {"GROUP", "IDC_GROUP"},
      {"GROUPADD", "IDC_GROUPADD"},       {"GROUPMINUS", "IDC_GROUPMINUS"},
      {"MEASURE", "IDC_MEASURE"},         {"ARROWQUEST", "IDC_ARROWQUESTION"},
      {"MOVE2", "IDC_MOVE2"},             {"WALK", "IDC_WALK"},
      {"TILT", "IDC_TILT"},               {"DEFAULT", "system arrow"},
  };
  test::RuntimeFixture f;
  Pointers& pointers = f.runtime().shell.pointers();
  pointers.BuildTable();
  for (const auto& [name, image] : table) {
    f.ClearTrace();
    pointers.SelectPointer(name);
    EXPECT_EQ(f.TraceText(), std::string("cursor ") + image + "\n") << name;
  }
}

TEST(StartupOrder, TimersKeepTheirPaceWhenTheTickCountWraps) {
  // Ticks from 2^32 - 50: the scheduler's 10 ms timer falls due at the last tick before the
  // wrap and after it, never stopping.
  test::RuntimeFixture f({.events = "wait 105\n", .startTicks = 0xFFFFFFCEu});
  MessageQueue& queue = f.runtime().shell.queue();
  queue.SetTimer(1, 10);
  int ticks = 0;
  bool over = false;
  while (!over) {
    queue.Wait();
    WindowMessage m;
    while (!over && queue.Peek(m)) {
      ticks += m.id == Msg::Timer;
      over = m.id == Msg::EventsEnded;
    }
  }
  EXPECT_EQ(ticks, 10);
}

}  // namespace
}  // namespace zd
