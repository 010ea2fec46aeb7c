// A runtime over the headless platform, with its trace captured, for tests of the subsystems.
#pragma once

#include <memory>
#include <sstream>
#include <string>

#include "base/trace.h"
#include "platform/automation/event_script_driver.h"
#include "platform/platform.h"
#include "runtime.h"

namespace zd::test {

struct RuntimeOptions {
  std::string commandLine;     // the original command line (code page 1253)
  std::string messagesPath;    // empty: a path that does not exist (bare keys are shown)
  std::string events;          // event script text answering the dialogs, if any
  platform::ScreenInfo screen;
  uint32_t startTicks = 0;
  std::string audioOutPath;    // where the run's sound is written as WAV, if anywhere
};

class RuntimeFixture {
 public:
  explicit RuntimeFixture(RuntimeOptions options = {});
  ~RuntimeFixture();

  Runtime& runtime() { return *runtime_; }
  platform::Platform& platform() { return *platform_; }
  std::string TraceText() const { return traceOut_.str(); }
  // True when the event script stopped on a failed expectation or a command it could not do.
  bool ScriptFailed() const { return driver_ && driver_->failed(); }
  void ClearTrace() { traceOut_.str(""); }

 private:
  std::ostringstream traceOut_;
  Trace trace_;
  std::unique_ptr<platform::EventScriptDriver> driver_;
  std::unique_ptr<platform::Platform> platform_;
  std::unique_ptr<Runtime> runtime_;
};

}  // namespace zd::test
