// The demo titles' scripts run both ways: from the prepared form titles get, and with every line
// read afresh as it runs. Every page is visited in order and every script object on it run; then
// the demo tour is played. Both ways must leave the same trace (script lines, messages, pages,
// dialogs) and the same variables; and again with only the messages traced, as titles usually
// run (the run loop goes its quick way only when script lines are not traced): the same
// messages and variables both ways, and as when everything is traced.
#include <gtest/gtest.h>

#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <memory>
#include <sstream>
#include <string>
#include <variant>

#include "platform/automation/event_script_driver.h"
#include "platform/headless/headless_platform.h"
#include "runtime.h"
#include "support/both_ways.h"
#include "support/test_support.h"
#include "title/authorfile.h"

namespace zd {
namespace {

using script::ScriptReading;
using test::MessageLines;
using test::Tracing;
using test::VariablesOf;

// Reports show their bare keys.
const char* const kNoMessages = "/nonexistent/MESSAGES.TXT";

const char* ReadingName(ScriptReading reading) {
  return reading == ScriptReading::Prepared ? "prepared" : "afresh";
}

// Each side saves and reads its settings and saves in folders of its own, so that the second
// run finds nothing the first one left (a resume offer, a recent title).
class OwnFolders {
 public:
  OwnFolders(const test::TempDir& dir, ScriptReading reading) {
    for (const char* name : {"XDG_CONFIG_HOME", "XDG_DATA_HOME"}) {
      const char* was = std::getenv(name);
      saved_.push_back({name, was ? was : ""});
      const std::string folder = dir.File(std::string(ReadingName(reading)) + "-" + name);
      std::filesystem::create_directories(folder);
      ::setenv(name, folder.c_str(), 1);
    }
  }
  ~OwnFolders() {
    for (const auto& [name, value] : saved_) ::setenv(name.c_str(), value.c_str(), 1);
  }

 private:
  std::vector<std::pair<std::string, std::string>> saved_;
};

// The trace with the run's own folder named alike for both sides.
std::string WithoutFolder(std::string trace, const std::string& folder) {
  for (size_t at = trace.find(folder); at != std::string::npos; at = trace.find(folder, at)) {
    trace.replace(at, folder.size(), "RUN");
  }
  for (const char* reading : {"/prepared-", "/afresh-"}) {
    for (size_t at = trace.find(reading); at != std::string::npos; at = trace.find(reading, at)) {
      trace.replace(at, std::strlen(reading), "/SIDE-");
    }
  }
  return trace;
}

struct Outcome {
  std::string trace;
  std::string variables;
  int scriptObjectsRun = 0;
};

// Visits every page of the title in order and runs each script object on it.
Outcome EveryScriptOf(const std::string& title, ScriptReading reading, Tracing tracing) {
  test::TempDir dir;
  OwnFolders folders(dir, reading);
  test::TracedRuntime fixture(title, tracing, kNoMessages);
  Runtime& runtime = fixture.runtime();
  runtime.script.SetScriptReading(reading);
  runtime.shell.StartUp();
  runtime.shell.window().Dispatch(WindowMessage{Msg::ShowFirstPage});
  Outcome outcome;
  const uint32_t pages = runtime.titleFiles.image().PageCount();
  for (uint32_t page = 0; page < pages; ++page) {
    runtime.pages.GotoPageWithHistory(page);
    for (int i = 0;; ++i) {
      const auto object = runtime.pages.Object(i);
      if (!object) break;
      if (!object->IsScript()) continue;
      runtime.script.RunScriptObject(i);
      ++outcome.scriptObjectsRun;
      // A script that leads elsewhere would stop the later ones: the visit goes on here.
      runtime.pages.TakePendingSection();
      runtime.pages.TakePendingHotspot();
      runtime.pages.TakePendingExternalTitle();
    }
  }
  outcome.trace = WithoutFolder(fixture.TraceText(), dir.path());
  outcome.variables = VariablesOf(runtime.script);
  return outcome;
}

// Both readings again with only the messages traced: the same messages and variables both ways,
// and as the fully traced run `traced` (read from the prepared form) had them.
template <typename Play>
void ExpectTheSameUntraced(const Outcome& traced, Play play) {
  SCOPED_TRACE("messages only");
  const Outcome prepared = play(ScriptReading::Prepared);
  const Outcome afresh = play(ScriptReading::Afresh);
  EXPECT_EQ(prepared.trace, afresh.trace);
  EXPECT_EQ(prepared.variables, afresh.variables);
  EXPECT_EQ(MessageLines(prepared.trace), MessageLines(traced.trace));
  EXPECT_EQ(prepared.variables, traced.variables);
}

std::string DemoTitle(const std::string& name) { return test::BuildDir() + "/demo/" + name; }

bool Built(const std::string& title) {
  return std::filesystem::exists(title + "/authorfi") || std::filesystem::exists(title + "/AUTHORFI");
}

TEST(DemoScriptsBothWays, EveryScriptObjectOfEveryPageLeavesTheSameTraceAndVariables) {
  for (const char* name : {"_meadow", "!pond"}) {
    SCOPED_TRACE(name);
    const std::string title = DemoTitle(name);
    if (!Built(title)) GTEST_SKIP() << "the demo titles are not built: " << title;
    const Outcome prepared = EveryScriptOf(title, ScriptReading::Prepared, Tracing::Everything);
    const Outcome afresh = EveryScriptOf(title, ScriptReading::Afresh, Tracing::Everything);
    EXPECT_EQ(prepared.scriptObjectsRun, afresh.scriptObjectsRun);
    EXPECT_TRUE(test::Has(prepared.trace, "\npage 1 ")) << "the pages were shown";
    if (std::string(name) == "_meadow") {
      // The meadow is the title with scripts (the pond has none).
      EXPECT_GT(prepared.scriptObjectsRun, 20);
      EXPECT_TRUE(test::Has(prepared.trace, "script +Start 1: ")) << "script lines are traced";
      EXPECT_FALSE(prepared.variables.empty());
    }
    EXPECT_EQ(prepared.trace, afresh.trace);
    EXPECT_EQ(prepared.variables, afresh.variables);
    ExpectTheSameUntraced(prepared, [&](ScriptReading reading) {
      return EveryScriptOf(title, reading, Tracing::MessagesOnly);
    });
  }
}

// The tour played whole in this process, in a folder of its own (it writes screenshots, a PDF
// and a note where it runs).
Outcome Tour(ScriptReading reading, Tracing tracing) {
  test::TempDir dir;
  OwnFolders folders(dir, reading);
  const auto before = std::filesystem::current_path();
  std::filesystem::current_path(dir.path());
  Outcome outcome;
  {
    test::TracedRuntime fixture(DemoTitle("_meadow"), tracing, kNoMessages,
                                test::ReadFile(test::SourceDir() + "/examples/demo/tour.events"));
    fixture.runtime().script.SetScriptReading(reading);
    const int status = fixture.runtime().Run();
    EXPECT_EQ(status, 0);
    EXPECT_FALSE(fixture.ScriptFailed()) << ReadingName(reading);
    outcome.trace = WithoutFolder(fixture.TraceText(), dir.path());
    outcome.variables = VariablesOf(fixture.runtime().script);
  }
  std::filesystem::current_path(before);
  return outcome;
}

TEST(DemoScriptsBothWays, TheTourLeavesTheSameTraceAndVariables) {
  if (!Built(DemoTitle("_meadow")) || !Built(DemoTitle("!pond"))) {
    GTEST_SKIP() << "the demo titles are not built";
  }
  const Outcome prepared = Tour(ScriptReading::Prepared, Tracing::Everything);
  const Outcome afresh = Tour(ScriptReading::Afresh, Tracing::Everything);
  EXPECT_TRUE(test::Has(prepared.trace, " Goodbye\n")) << "the tour reached its end";
  EXPECT_EQ(prepared.trace, afresh.trace);
  EXPECT_EQ(prepared.variables, afresh.variables);
  ExpectTheSameUntraced(prepared,
                        [](ScriptReading reading) { return Tour(reading, Tracing::MessagesOnly); });
}

}  // namespace
}  // namespace zd
