// Script text run on the empty page of a runtime over the headless platform, with the trace off.
// One runtime serves every run: starting one is far slower than running a script. Reports show
// their bare keys: reading the messages file for each report made runs four times slower, and
// fuzz_messages covers it (ZD_FUZZ_MESSAGES names a messages file to use all the same).
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string>
#include <string_view>

#include "base/trace.h"
#include "headless_runtime.h"
#include "script/script_engine.h"

namespace {

// The messages file ZD_FUZZ_MESSAGES names, or none: reports then show their bare keys.
zd::RuntimeConfig Messages() {
  zd::RuntimeConfig config;
  const char* messages = std::getenv("ZD_FUZZ_MESSAGES");
  config.messagesPath = messages ? messages : "/nonexistent/MESSAGES.TXT";
  return config;
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  // Settings and saves a script writes go to folders of this run, never the user's.
  static char folder[] = "/tmp/zd-fuzz-script-XXXXXX";
  if (mkdtemp(folder)) {
    setenv("XDG_CONFIG_HOME", folder, 1);
    setenv("XDG_DATA_HOME", folder, 1);
  }
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static zd::HeadlessRuntime run(Messages());
  zd::script::ScriptSource source;
  source.name.Assign("+Fuzz");
  source.text = std::string_view(reinterpret_cast<const char*>(data), size);
  run.runtime->script.RunScript(source, 0, 1, false);
  return 0;
}
