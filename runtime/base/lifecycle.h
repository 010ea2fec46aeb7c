// The steps of starting and ending a run, and the pauses around modal interface, told by the
// code that takes them ("lifecycle" category): "lifecycle SUBJECT STEP". Unlike seam lines they
// do not depend on whether the subsystem behind a step does anything yet, so a run's order of
// steps reads the same before and after that subsystem is built.
#pragma once

#include <string>
#include <string_view>

#include "base/trace.h"

namespace zd {

inline void TraceLifecycle(const Trace& trace, std::string_view step) {
  if (trace.Enabled(TraceCategory::Lifecycle)) {
    trace.Line(TraceCategory::Lifecycle, std::string("lifecycle ").append(step));
  }
}

}  // namespace zd
