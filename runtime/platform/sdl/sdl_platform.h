// The windowed backend: a real window through SDL, dialogs and menus drawn inside it with
// Dear ImGui, and event scripts played in real time (for demonstrations and tests under a
// virtual display).
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "base/trace.h"
#include "platform/automation/event_script_driver.h"
#include "platform/platform.h"
#include "platform/ui_texts.h"

namespace zd::platform {

struct SdlOptions {
  std::optional<ScreenInfo> screen;  // a simulated screen: full screen becomes a window of it
  uint32_t startTicks = 0;           // added to SDL's tick count
  std::optional<LocalTime> clock;    // local time at start; the machine's when absent
  std::optional<SaveFolders> saveFolders;  // the XDG folders of the environment when absent
  UiTexts texts;                     // buttons and labels in the player's language
};

// nullptr with `error` set when SDL video cannot start (no display, for instance).
std::unique_ptr<Platform> MakeSdlPlatform(const SdlOptions& options, const Trace& trace,
                                          EventScriptDriver* driver, std::string& error);

}  // namespace zd::platform
