// The order in which the player starts its subsystems and releases them, and what the close
// request does for each way of ending a run.
#include <gtest/gtest.h>

#include <sstream>

#include "shell/pointers.h"
#include "support/runtime_fixture.h"

namespace zd {
namespace {

// The "lifecycle" steps of a trace, in order ("movies initialise", "save-status ...").
std::vector<std::string> Steps(const std::string& trace) {
  std::vector<std::string> steps;
  std::istringstream lines(trace);
  for (std::string line; std::getline(lines, line);) {
    if (line.rfind("lifecycle ", 0) == 0) steps.push_back(line.substr(10));
  }
  return steps;
}

std::vector<std::string> Between(const std::vector<std::string>& steps, const std::string& first,
                                 const std::string& last) {
  const auto a = std::find(steps.begin(), steps.end(), first);
  const auto b = std::find(a, steps.end(), last);
  if (a == steps.end() || b == steps.end()) return {};
  return {a, b + 1};
}

TEST(StartupOrder, SubsystemsStartAndStopInTheirOrder) {
  test::RuntimeFixture f({.events = "answer yes\nquit\n"});
  f.runtime().Run();
  const auto steps = Steps(f.TraceText());
  // The movie system starts before the window, the rest after it.
  EXPECT_EQ(Between(steps, "movies initialise", "toolbox clear-tables"),
            (std::vector<std::string>{
                "movies initialise", "window create",
                "resource-cache clear", "calculator load-accelerators", "fonts add-title-fonts",
                "timed-events clear", "script system-variables", "database date-names",
                "database tables", "status clear", "mouse-handlers register", "browsers clear",
                "toolbox clear-tables"}))
      << f.TraceText();
  EXPECT_LT(f.TraceText().find("lifecycle movies initialise"), f.TraceText().find("window open"));
  EXPECT_LT(f.TraceText().find("window open"), f.TraceText().find("lifecycle resource-cache"));
  // Everything goes in the order that keeps each subsystem's users alive; the movie system
  // ends after everything else.
  EXPECT_EQ(Between(steps, "media pause", "movies shutdown"),
            (std::vector<std::string>{
                "media pause", "movies release-port", "pages close-all", "movies release",
                "scheduler stop-timer", "title free", "notepad offer-save",
                "database close", "database release-keyword-conditions", "mouse-handlers release",
                "script release-movie-slots", "status release", "browsers release",
                "pointers release-capture", "printing release", "fonts remove-title-fonts",
                "palette release", "movies shutdown"}))
      << f.TraceText();
  EXPECT_LT(f.TraceText().find("lifecycle palette release"), f.TraceText().find("window closed"));
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
    EXPECT_EQ(trace.find("lifecycle save-status RESUME:0 \"FORCE QUIT\"") != std::string::npos,
              users)
        << code;
    EXPECT_EQ(trace.find("[yes/no, question]") != std::string::npos, users) << code;
    // The popup menu's Exit (1) finds the clock and the movies paused already.
    EXPECT_EQ(trace.find("lifecycle media pause") != std::string::npos, code == 0) << code;
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
