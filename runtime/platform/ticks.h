// Tick counts are milliseconds in 32 bits and wrap after 49.7 days, so they are compared through
// their difference, never directly.
#pragma once

#include <cstdint>

namespace zd::platform {

// True when tick `a` comes before tick `b`.
inline bool TickBefore(uint32_t a, uint32_t b) { return static_cast<int32_t>(a - b) < 0; }

// Milliseconds from `now` until `deadline`, 0 when it has come.
inline uint32_t TicksUntil(uint32_t now, uint32_t deadline) {
  return TickBefore(now, deadline) ? deadline - now : 0;
}

}  // namespace zd::platform
