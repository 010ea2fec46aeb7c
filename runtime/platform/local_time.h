// Local time: the machine's, or a fixed start given for reproducible runs.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

#include "platform/types.h"

namespace zd::platform {

LocalTime CurrentLocalTime();
LocalTime AddSeconds(const LocalTime& time, int64_t seconds);
// "YYYY-MM-DDTHH:MM:SS" (the --clock option); nullopt when malformed or out of range.
std::optional<LocalTime> ParseClock(std::string_view text);

}  // namespace zd::platform
