// What the tests that run scripts both ways (prepared once, and read afresh line by line) share:
// a runtime over the headless platform that traces everything or only the messages a title
// shows, the message lines of a trace, and the user variables as text to compare.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <memory>
#include <sstream>
#include <string>
#include <variant>

#include "platform/automation/event_script_driver.h"
#include "platform/headless/headless_platform.h"
#include "runtime.h"

namespace zd::test {

// What a run's trace keeps: every line, or only the messages a title shows (the run loop goes
// its quick way only when script lines are not traced, as titles usually run).
enum class Tracing { Everything, MessagesOnly };

// A runtime over the headless platform, made as the test fixture makes its own but tracing only
// what `tracing` asks for; `events` (if any) answer its dialogs and play it.
class TracedRuntime {
 public:
  TracedRuntime(const std::string& commandLine, Tracing tracing, const std::string& messagesPath,
                const std::string& events = "")
      : trace_(&out_, tracing == Tracing::Everything ? Trace::kAll
                                                     : TraceBit(TraceCategory::Message)) {
    if (!events.empty()) {
      auto parsed = platform::ParseEventScript(events, "events");
      driver_ = std::make_unique<platform::EventScriptDriver>(
          std::move(std::get<platform::EventScript>(parsed)), trace_);
    }
    std::string error;
    platform_ = platform::MakeHeadlessPlatform({}, trace_, driver_.get(), error);
    if (!platform_) ADD_FAILURE() << error;
    RuntimeConfig config;
    config.commandLine = commandLine;
    config.messagesPath = messagesPath;
    runtime_ = std::make_unique<Runtime>(*platform_, trace_, config);
    runtime_->shell.ReadCommandLine();
  }

  Runtime& runtime() { return *runtime_; }
  std::string TraceText() const { return out_.str(); }
  void ClearTrace() { out_.str(""); }
  bool ScriptFailed() const { return driver_ && driver_->failed(); }

 private:
  std::ostringstream out_;
  Trace trace_;
  std::unique_ptr<platform::EventScriptDriver> driver_;
  std::unique_ptr<platform::Platform> platform_;
  std::unique_ptr<Runtime> runtime_;
};

// The message lines of a trace, as a runtime tracing only messages has them.
inline std::string MessageLines(const std::string& trace) {
  std::istringstream in(trace);
  std::string out, line;
  while (std::getline(in, line)) {
    if (line.rfind("message", 0) == 0) out += line + "\n";
  }
  return out;
}

// The user variables, names and values in order of creation; floats bit for bit.
inline std::string VariablesOf(ScriptEngine& engine) {
  std::string out;
  const auto& tables = engine.variables();
  for (const auto& v : tables.integers) out += v.name.str() + "=" + std::to_string(v.value) + "\n";
  for (const auto& v : tables.floats) {
    uint64_t bits = 0;
    std::memcpy(&bits, &v.value, sizeof bits);
    out += v.name.str() + "=" + std::to_string(v.value) + " #" + std::to_string(bits) + "\n";
  }
  for (const auto& v : tables.strings) out += v.name.str() + "=\"" + v.value.str() + "\"\n";
  return out;
}

}  // namespace zd::test
