// Dates as titles keep them: in database fields, in filters and in scripts. A date may lack
// its day, its month or its year; a two-digit year means 1900 to 1999. Month and weekday names
// come from the string table, so a title shows them in the language it was made in.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace zd {

struct DateValue {
  uint8_t day = 0;          // 0: none
  uint8_t month = 0;        // 0: none; 255: a name that was not recognised
  int16_t year = -32768;    // -32768: unknown
  bool twoDigitYear = false;  // the year is kept as 0-99 and means 1900-1999
};

constexpr int16_t kUnknownYear = -32768;
constexpr uint8_t kUnrecognisedMonth = 255;
constexpr int32_t kDefaultDateFormat = 256;  // style 0, weekday name in front
constexpr int32_t kWeekdayInFront = 256;

// The text of a date in the style `dateFormat` asks for (code page 1253): its low byte picks
// the style (0-4), bit value 256 puts the weekday name in front.
std::string FormatDate(const DateValue& date, int32_t dateFormat);

// A date read from text: month name first ("January 5, 1998") or day first ("5 January
// 1998"), the parts cut at blanks, commas and hyphens. Missing parts read as 0.
DateValue ParseDate(std::string_view text, bool twoDigitYear);

// -1, 0 or 1 as `a` is before, the same as or after `b`; a part missing from either date (a
// day or month of 0) does not count, nor does an ignored part.
int CompareDates(const DateValue& a, const DateValue& b, bool ignoreDay, bool ignoreMonth,
                 bool ignoreYear);

// The day number of the proleptic Gregorian calendar (1 January 2000 is 2451545); a year of
// 99 or less counts from 1900.
int64_t JulianDay(int64_t day, int64_t month, int64_t year);

// Days in the month 1-12 of `year`; -1 for any other month.
int32_t DaysInMonth(int32_t month, int32_t year);

}  // namespace zd
