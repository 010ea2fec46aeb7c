#include "database/dates.h"

#include <cstdio>
#include <vector>

#include "resources/string_table.h"
#include "script/script_source.h"

namespace zd {
namespace {

// Upper case as the C library's default locale makes it: Latin letters only, so Greek names
// are matched exactly as written.
std::string UpperAscii(std::string_view text) {
  std::string out(text);
  for (char& c : out) {
    if (c >= 'a' && c <= 'z') c = char(c - 'a' + 'A');
  }
  return out;
}

// Date names are what titles see and compare, so they are the Greek ones in either language of
// the player (the table holds one text for both).
std::string MonthName(int month) {
  return LoadString(strings::MONTH_FIRST + month - 1, Language::Greek);
}

std::vector<std::string_view> Tokens(std::string_view text) {
  std::vector<std::string_view> tokens;
  size_t start = 0;
  while (start < text.size()) {
    const size_t end = text.find_first_of(" ,-", start);
    const size_t stop = end == std::string_view::npos ? text.size() : end;
    if (stop > start) tokens.push_back(text.substr(start, stop - start));
    start = stop + 1;
  }
  return tokens;
}

uint8_t MonthOfName(std::string_view token) {
  const std::string upper = UpperAscii(token);
  uint8_t month = kUnrecognisedMonth;
  for (int m = 1; m <= 12; ++m) {
    if (UpperAscii(MonthName(m)) == upper) month = uint8_t(m);
  }
  return month;
}

std::string Printed(const char* format, int value) {
  char buffer[16];
  std::snprintf(buffer, sizeof buffer, format, value);
  return buffer;
}

// The year in four digits or two, as the date keeps it.
std::string Year4(const DateValue& d) {
  return d.twoDigitYear ? Printed("19%02d", d.year) : Printed("%04d", d.year);
}
std::string Year2(const DateValue& d) {
  return Printed("%02d", d.twoDigitYear ? d.year : d.year % 100);
}

// Parts joined by their separators; a separator is written only after an earlier part.
class DateText {
 public:
  void Part(bool present, std::string_view separator, const std::string& text) {
    if (!present) return;
    if (any_) text_ += separator;
    text_ += text;
    any_ = true;
  }
  std::string text_;

 private:
  bool any_ = false;
};

}  // namespace

std::string FormatDate(const DateValue& d, int32_t dateFormat) {
  if (d.year == kUnknownYear) return LoadString(strings::UNKNOWN_VALUE, Language::Greek);
  std::string out;
  // Weekdays are counted for years of our era only; before it the day number means nothing.
  if (d.year > 0 && d.month != 0 && d.day != 0 && (dateFormat & kWeekdayInFront)) {
    const int64_t year = d.twoDigitYear ? d.year + 1900 : d.year;
    const int64_t weekday = ((JulianDay(d.day, d.month, year) + 1) % 7 + 6) % 7;
    out += LoadString(strings::WEEKDAY_FIRST + int(weekday), Language::Greek) + " ";
  }
  const bool day = d.day != 0, month = d.month >= 1 && d.month <= 12, year = d.year != 0;
  DateText t;
  switch (dateFormat & 0xFF) {
    case 0:
      t.Part(month, "", MonthName(d.month) + " ");
      t.Part(day, "", std::to_string(d.day));
      t.Part(year, day ? ", " : "", Year4(d));
      break;
    case 1:
      t.Part(day, "", Printed("%2d", d.day));
      t.Part(month, "-", month ? MonthName(d.month).substr(0, 3) : "");
      t.Part(year, "-", Year2(d));
      break;
    case 2:
      t.Part(month, "", std::to_string(d.month));
      t.Part(day, "/", std::to_string(d.day));
      t.Part(year, "/", Year2(d));
      break;
    case 3:
      t.Part(day, "", std::to_string(d.day));
      t.Part(month, "/", std::to_string(d.month));
      t.Part(year, "/", Year2(d));
      break;
    case 4:
      t.Part(day, "", std::to_string(d.day) + " ");
      t.Part(month, "", MonthName(d.month) + " ");
      t.Part(year, "", Year4(d));
      break;
    default:
      break;  // only the weekday
  }
  return out + t.text_;
}

DateValue ParseDate(std::string_view text, bool twoDigitYear) {
  const auto tokens = Tokens(text);
  const auto token = [&](size_t i) { return i < tokens.size() ? tokens[i] : std::string_view(); };
  DateValue d;
  d.twoDigitYear = twoDigitYear;
  const std::string_view first = token(0);
  const bool monthFirst =
      !first.empty() && ((first[0] >= 'A' && first[0] <= 'Z') || (first[0] >= 'a' && first[0] <= 'z') ||
                         static_cast<unsigned char>(first[0]) >= 0xB6);
  int64_t day = 0;
  if (monthFirst) {
    d.month = MonthOfName(first);
    day = script::ParseInteger(token(1));
  } else {
    day = script::ParseInteger(first);
    d.month = MonthOfName(token(1));
  }
  // Tokens are read as the C library's atoi reads them.
  int64_t year = script::ParseInteger(token(2));
  if (twoDigitYear) year %= 100;
  // The fields hold a byte and 16 bits: what does not fit is wrapped as the original stored it.
  d.day = uint8_t(day);
  d.year = int16_t(year);
  return d;
}

int CompareDates(const DateValue& a, const DateValue& b, bool ignoreDay, bool ignoreMonth,
                 bool ignoreYear) {
  const auto sign = [](int64_t x, int64_t y) { return x < y ? -1 : x > y ? 1 : 0; };
  if (!ignoreYear) {
    int64_t ya = a.year, yb = b.year;
    if (a.twoDigitYear != b.twoDigitYear) {
      if (a.twoDigitYear && ya != kUnknownYear) ya += 1900;
      if (b.twoDigitYear && yb != kUnknownYear) yb += 1900;
    }
    if (ya != yb) return sign(ya, yb);
  }
  if (!ignoreMonth && a.month != 0 && b.month != 0 && a.month != b.month) return sign(a.month, b.month);
  if (!ignoreDay && a.day != 0 && b.day != 0 && a.day != b.day) return sign(a.day, b.day);
  return 0;
}

int64_t JulianDay(int64_t day, int64_t month, int64_t year) {
  if (year <= 99) year += 1900;
  int64_t m = 0;
  if (month < 3) {
    m = month + 9;
    year -= 1;
  } else {
    m = month - 3;
  }
  // C's division: rounds toward zero, as the original's integer arithmetic did.
  return (153 * m + 2) / 5 + ((year % 100) * 1461) / 4 + day + ((year / 100) * 146097) / 4 +
         1721119;
}

int32_t DaysInMonth(int32_t month, int32_t year) {
  static constexpr int32_t kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  if (month < 1 || month > 12) return -1;
  const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
  return month == 2 && leap ? 29 : kDays[month - 1];
}

}  // namespace zd
