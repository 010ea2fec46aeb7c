// The headless backend: no window on any screen, a virtual clock that moves only when the event
// script waits, input and dialog answers from the event script, pictures kept for screenshots.
#pragma once

#include <memory>
#include <optional>
#include <string>

#include "base/trace.h"
#include "platform/automation/event_script_driver.h"
#include "platform/platform.h"

namespace zd::platform {

struct HeadlessOptions {
  ScreenInfo screen;
  uint32_t startTicks = 0;
  std::optional<LocalTime> clock;  // local time at tick startTicks; the machine's when absent
  std::string audioOutPath;        // --audio-out: the mix kept as a WAV file (UTF-8 path)
  std::optional<SaveFolders> saveFolders;  // where settings and saves go; the XDG folders
                                           // of the environment when absent
  bool startPrograms = false;  // --start-programs: programs and browsers really start
};

// nullptr with `error` set when the --audio-out file cannot be made.
std::unique_ptr<Platform> MakeHeadlessPlatform(const HeadlessOptions& options, const Trace& trace,
                                               EventScriptDriver* driver, std::string& error);
// For tests: no sound file, nothing that can fail.
std::unique_ptr<Platform> MakeHeadlessPlatform(const HeadlessOptions& options, const Trace& trace,
                                               EventScriptDriver* driver);

}  // namespace zd::platform
