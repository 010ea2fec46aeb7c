#include "platform/platform_factory.h"

#include "platform/headless/headless_platform.h"

namespace zd::platform {

std::unique_ptr<Platform> MakePlatform(const PlatformOptions& options, const Trace& trace,
                                       EventScriptDriver* driver, std::string& error) {
  if (options.headless) {
    HeadlessOptions headless;
    if (options.screen) headless.screen = *options.screen;
    headless.startTicks = options.startTicks;
    headless.clock = options.clock;
    return MakeHeadlessPlatform(headless, trace, driver);
  }
  error = "the windowed player is not available in this build; use --headless";
  return nullptr;
}

}  // namespace zd::platform
