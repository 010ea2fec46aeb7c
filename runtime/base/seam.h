// Calls into parts of the player that are not built yet land in named seams: each one does
// nothing but say so in the trace ("seam" category), so a run shows exactly what it skipped.
#pragma once

#include <string_view>

#include "base/trace.h"

namespace zd {

inline void TraceSeam(const Trace& trace, std::string_view what) {
  if (trace.Enabled(TraceCategory::Seam)) {
    trace.Line(TraceCategory::Seam, std::string("seam ").append(what));
  }
}

}  // namespace zd
