// Exact arithmetic on media times: a count of units times a ratio, done in 128 bits so that
// no product of a time (up to 2^50 units), a time scale and a stream's time base (each up to
// 2^31) overflows, and floored so that "the frame shown at t" never depends on rounding.
#pragma once

#include <cstdint>
#include <limits>

namespace zd::platform::media {

__extension__ typedef __int128 Wide;

// Files may claim any length; times past this are treated as this (about 35 years in ms, and
// far more than any time scale can make of it without overflow below).
constexpr int64_t kMaxUnits = int64_t(1) << 50;

inline int64_t SaturateToInt64(Wide v) {
  if (v > Wide(std::numeric_limits<int64_t>::max())) return std::numeric_limits<int64_t>::max();
  if (v < Wide(std::numeric_limits<int64_t>::min())) return std::numeric_limits<int64_t>::min();
  return int64_t(v);
}

// floor(a / b) for b > 0, whatever the sign of a.
inline Wide FloorDiv(Wide a, Wide b) {
  Wide q = a / b;
  if ((a % b != 0) && (a < 0)) --q;
  return q;
}

// floor(value * num / den), den > 0.
inline int64_t MulDivFloor(int64_t value, int64_t num, int64_t den) {
  return SaturateToInt64(FloorDiv(Wide(value) * num, den));
}

// value * num / den rounded to the nearest, den > 0.
inline int64_t MulDivRound(int64_t value, int64_t num, int64_t den) {
  return SaturateToInt64(FloorDiv(Wide(value) * num * 2 + den, Wide(den) * 2));
}

inline int64_t ClampUnits(int64_t v) { return v < 0 ? 0 : v > kMaxUnits ? kMaxUnits : v; }

}  // namespace zd::platform::media
