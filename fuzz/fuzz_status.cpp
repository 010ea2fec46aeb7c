// Status and variable files as a learner may be handed them: arbitrary bytes loaded into a
// runtime without a title (over the headless platform, trace off, reports as bare keys) and run.
// Input without the file's opening lines gets them, so the run is reached. Nothing may crash,
// the run must end as a status run, the state a file leaves must be written as a snapshot within
// its size, and that snapshot must load and run again.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <string>
#include <string_view>

#include "headless_runtime.h"
#include "script/status/status_files.h"
#include "script/status/status_writer.h"

namespace {

std::string folder;

zd::RuntimeConfig Messages() {
  zd::RuntimeConfig config;
  const char* messages = std::getenv("ZD_FUZZ_MESSAGES");
  config.messagesPath = messages ? messages : "/nonexistent/MESSAGES.TXT";
  return config;
}

void WriteFile(const std::string& path, std::string_view bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

// Loads and runs a file; the run must leave no status run behind.
void LoadAndRun(zd::Runtime& runtime, const std::string& path) {
  zd::StatusFiles& status = runtime.status;
  if (!status.LoadStatusFile(path, true)) return;
  status.RunStatusScript();
  if (status.RunningStatusScript()) std::abort();
  // A `tofilepage` line asked for a title: there is none to go to here.
  runtime.pages.TakePendingExternalTitle();
  status.ReleaseResumeScript();
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  // Saves a file writes go to folders of this run, never the user's.
  static char made[] = "/tmp/zd-fuzz-status-XXXXXX";
  if (mkdtemp(made)) {
    folder = made;
    setenv("XDG_CONFIG_HOME", made, 1);
    setenv("XDG_DATA_HOME", made, 1);
  }
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static zd::HeadlessRuntime run(Messages());
  zd::Runtime& runtime = *run.runtime;
  std::string bytes(reinterpret_cast<const char*>(data), size);
  if (bytes.rfind(zd::script::kStatusFirstLine, 0) != 0) {
    bytes = std::string(zd::script::kStatusFirstLine) + "\n|Start Module: \"!generic\"\n" + bytes;
  }
  const std::string path = folder + "/input.ZDS";
  WriteFile(path, bytes);
  runtime.script.ClearVariables();
  LoadAndRun(runtime, path);

  // The state the file left, written and replayed.
  if (runtime.status.BuildStatusScript()) {
    if (runtime.status.snapshot().text.size() > zd::script::kMaxStatusFileBytes) std::abort();
    const std::string saved = folder + "/saved.ZDS";
    if (runtime.status.SaveStatusFile(saved, true, bytes.substr(0, 40))) {
      LoadAndRun(runtime, saved);
    }
  }
  runtime.movies.CloseAllClips();
  runtime.database.CloseDatabase();
  runtime.status.ClearStatusState();
  return 0;
}
