// Script text run both ways: in one headless runtime from the prepared form titles get, in the
// other with every line read afresh as it runs. Each runtime runs the input twice over one
// prepared form (so places remembered by the first run meet what the first run left behind).
// The two runs must leave the same trace (script lines and messages) and the same variables; a
// difference aborts. A second pair runs the input with only the messages traced, as titles
// usually run (the run loop goes its quick way only when script lines are not traced): the same
// messages and variables both ways, and as the traced pair had them. Reports show their bare
// keys, as in fuzz_script.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <sstream>
#include <string>
#include <string_view>

#include "base/trace.h"
#include "platform/headless/headless_platform.h"
#include "runtime.h"
#include "script/script_engine.h"

namespace {

constexpr uint32_t kMessages = zd::TraceBit(zd::TraceCategory::Message);
constexpr uint32_t kTraced = zd::TraceBit(zd::TraceCategory::Script) | kMessages;

// A trace without its script lines: what the runtime tracing only messages has.
std::string WithoutScriptLines(const std::string& trace) {
  std::string out;
  size_t begin = 0;
  while (begin < trace.size()) {
    size_t end = trace.find('\n', begin);
    end = end == std::string::npos ? trace.size() : end + 1;
    if (trace.compare(begin, 7, "script ") != 0) out.append(trace, begin, end - begin);
    begin = end;
  }
  return out;
}

// A runtime over the headless platform whose message lines, and script lines if asked, are kept.
struct TracedRuntime {
  TracedRuntime(zd::script::ScriptReading reading, uint32_t categories)
      : trace(&out, categories) {
    platform = zd::platform::MakeHeadlessPlatform({}, trace, nullptr);
    zd::RuntimeConfig config;
    config.messagesPath = "/nonexistent/MESSAGES.TXT";
    runtime = std::make_unique<zd::Runtime>(*platform, trace, std::move(config));
    runtime->shell.ReadCommandLine();
    runtime->script.SetScriptReading(reading);
  }

  struct Left {
    std::string trace;
    std::string variables;
  };
  // Runs `text` twice over one prepared form, from a clean slate; returns the trace and the
  // variables it left.
  Left Run(std::string_view text) {
    zd::ScriptEngine& engine = runtime->script;
    engine.ClearVariables();
    engine.ResetHandlers();
    engine.SetDefiningHandler(false);
    engine.random().Seed(1);
    // A navigation an earlier input asked for would end this one's runs at once.
    runtime->pages.TakePendingSection();
    runtime->pages.TakePendingHotspot();
    runtime->pages.TakePendingExternalTitle();
    out.str("");
    const auto prepared = engine.Prepare(text);
    for (int run = 0; run < 2; ++run) engine.RunPrepared(*prepared, "+Fuzz", 0, 1, false);
    Left left{out.str(), {}};
    std::string& state = left.variables;
    const auto& tables = engine.variables();
    for (const auto& v : tables.integers) {
      state += "\n%" + v.name.str() + "=" + std::to_string(v.value);
    }
    for (const auto& v : tables.floats) {
      uint64_t bits = 0;
      std::memcpy(&bits, &v.value, sizeof bits);
      state += "\n#" + v.name.str() + "=" + std::to_string(bits);
    }
    for (const auto& v : tables.strings) state += "\n$" + v.name.str() + "=" + v.value.str();
    return left;
  }

  std::ostringstream out;
  zd::Trace trace;
  std::unique_ptr<zd::platform::Platform> platform;
  std::unique_ptr<zd::Runtime> runtime;
};

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  // Settings and saves a script writes go to folders of this run, never the user's.
  static char folder[] = "/tmp/zd-fuzz-script-reading-XXXXXX";
  if (mkdtemp(folder)) {
    setenv("XDG_CONFIG_HOME", folder, 1);
    setenv("XDG_DATA_HOME", folder, 1);
  }
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static TracedRuntime prepared(zd::script::ScriptReading::Prepared, kTraced);
  static TracedRuntime afresh(zd::script::ScriptReading::Afresh, kTraced);
  static TracedRuntime quietPrepared(zd::script::ScriptReading::Prepared, kMessages);
  static TracedRuntime quietAfresh(zd::script::ScriptReading::Afresh, kMessages);
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const auto traced = prepared.Run(text);
  const auto tracedAfresh = afresh.Run(text);
  if (traced.trace != tracedAfresh.trace || traced.variables != tracedAfresh.variables) {
    __builtin_trap();
  }
  const auto quiet = quietPrepared.Run(text);
  const auto quietReadAfresh = quietAfresh.Run(text);
  if (quiet.trace != quietReadAfresh.trace || quiet.variables != quietReadAfresh.variables) {
    __builtin_trap();
  }
  if (quiet.trace != WithoutScriptLines(traced.trace) || quiet.variables != traced.variables) {
    __builtin_trap();
  }
  return 0;
}
