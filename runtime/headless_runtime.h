// A player over the headless platform with its trace off, for the programs that drive the
// runtime directly rather than through zd32: fuzz targets and benchmarks.
#pragma once

#include <memory>

#include "base/trace.h"
#include "platform/headless/headless_platform.h"
#include "runtime.h"

namespace zd {

struct HeadlessRuntime {
  explicit HeadlessRuntime(RuntimeConfig config = {}) {
    platform = platform::MakeHeadlessPlatform({}, trace, nullptr);
    runtime = std::make_unique<Runtime>(*platform, trace, std::move(config));
    runtime->shell.ReadCommandLine();
  }

  Trace trace;
  std::unique_ptr<platform::Platform> platform;
  std::unique_ptr<Runtime> runtime;
};

}  // namespace zd
