#include "runtime.h"

namespace zd {

Runtime::Runtime(platform::Platform& platform_, const Trace& trace_, RuntimeConfig config_)
    : platform(platform_),
      trace(trace_),
      config(std::move(config_)),
      graphics(*this),
      titleFiles(*this),
      pages(*this),
      scheduler(*this),
      script(*this),
      movies(*this),
      database(*this),
      webLinks(*this),
      toolbox(*this),
      printing(*this),
      shell(*this) {}

}  // namespace zd
