// Makes the platform backend a run asked for.
#pragma once

#include <memory>
#include <optional>
#include <string>

#include "base/trace.h"
#include "platform/automation/event_script_driver.h"
#include "platform/platform.h"
#include "platform/ui_texts.h"

namespace zd::platform {

struct PlatformOptions {
  bool headless = false;
  std::optional<ScreenInfo> screen;  // simulated screen; headless defaults to 640x480x32
  uint32_t startTicks = 0;
  std::optional<LocalTime> clock;
  std::string audioOutPath;  // headless: keep the sound as this WAV file
  bool startPrograms = false;  // headless: really start programs and browsers (tests)
  UiTexts texts;             // what a window's own buttons and labels say
};

// nullptr with `error` set when the backend cannot start (no display, for instance).
std::unique_ptr<Platform> MakePlatform(const PlatformOptions& options, const Trace& trace,
                                       EventScriptDriver* driver, std::string& error);

}  // namespace zd::platform
