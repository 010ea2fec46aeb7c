#include "platform/platform_factory.h"

#include "platform/headless/headless_platform.h"
#include "platform/sdl/sdl_platform.h"

namespace zd::platform {

std::unique_ptr<Platform> MakePlatform(const PlatformOptions& options, const Trace& trace,
                                       EventScriptDriver* driver, std::string& error) {
  if (options.headless) {
    HeadlessOptions headless;
    if (options.screen) headless.screen = *options.screen;
    headless.startTicks = options.startTicks;
    headless.clock = options.clock;
    headless.audioOutPath = options.audioOutPath;
    headless.startPrograms = options.startPrograms;
    return MakeHeadlessPlatform(headless, trace, driver, error);
  }
  SdlOptions sdl;
  sdl.screen = options.screen;
  sdl.startTicks = options.startTicks;
  sdl.clock = options.clock;
  sdl.texts = options.texts;
  return MakeSdlPlatform(sdl, trace, driver, error);
}

}  // namespace zd::platform
