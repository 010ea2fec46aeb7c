#include "platform/local_time.h"

#include <cstdio>
#include <ctime>
#include <string>

namespace zd::platform {
namespace {

LocalTime FromTm(const std::tm& tm) {
  LocalTime t;
  t.year = tm.tm_year + 1900;
  t.month = tm.tm_mon + 1;
  t.day = tm.tm_mday;
  t.hour = tm.tm_hour;
  t.minute = tm.tm_min;
  t.second = tm.tm_sec;
  t.dayOfWeek = tm.tm_wday;
  t.dayOfYear = tm.tm_yday;
  return t;
}

std::tm ToTm(const LocalTime& t) {
  std::tm tm{};
  tm.tm_year = t.year - 1900;
  tm.tm_mon = t.month - 1;
  tm.tm_mday = t.day;
  tm.tm_hour = t.hour;
  tm.tm_min = t.minute;
  tm.tm_sec = t.second;
  return tm;
}

}  // namespace

LocalTime CurrentLocalTime() {
  const std::time_t now = std::time(nullptr);
  std::tm tm{};
  localtime_r(&now, &tm);
  return FromTm(tm);
}

LocalTime AddSeconds(const LocalTime& time, int64_t seconds) {
  // Calendar arithmetic on the fields as they stand (no time zone or daylight saving shifts).
  std::tm tm = ToTm(time);
  const std::time_t base = timegm(&tm);
  const std::time_t moved = base + static_cast<std::time_t>(seconds);
  std::tm out{};
  gmtime_r(&moved, &out);
  return FromTm(out);
}

std::optional<LocalTime> ParseClock(std::string_view text) {
  const std::string s(text);
  int y, mo, d, h, mi, se;
  char tail;
  if (std::sscanf(s.c_str(), "%4d-%2d-%2dT%2d:%2d:%2d%c", &y, &mo, &d, &h, &mi, &se, &tail) != 6) {
    return std::nullopt;
  }
  if (y < 1900 || y > 9999 || mo < 1 || mo > 12 || d < 1 || d > 31 || h > 23 || mi > 59 ||
      se > 59 || h < 0 || mi < 0 || se < 0) {
    return std::nullopt;
  }
  LocalTime t;
  t.year = y;
  t.month = mo;
  t.day = d;
  t.hour = h;
  t.minute = mi;
  t.second = se;
  const LocalTime normalised = AddSeconds(t, 0);  // fills in the weekday and the day of the year
  if (normalised.day != d || normalised.month != mo) return std::nullopt;  // e.g. 31 February
  return normalised;
}

}  // namespace zd::platform
