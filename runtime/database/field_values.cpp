// The text forms of database values and the statistics of numeric fields.
#include <cctype>
#include <cfloat>
#include <charconv>

#include "database/database.h"
#include "resources/string_table.h"
#include "runtime.h"

namespace zd {
namespace {

std::string WithUnits(std::string number, const FieldDescriptor& field) {
  if (!field.units.empty()) number += " " + field.units;
  return number;
}

// A real as C's "%G" writes it (six significant digits, trailing zeros dropped), without
// the cost of a formatted print for every record.
std::string RealText(double value) {
  char text[32];
  const auto end = std::to_chars(text, text + sizeof text, value, std::chars_format::general, 6).ptr;
  std::string out(text, end);
  for (char& c : out) c = char(std::toupper(static_cast<unsigned char>(c)));
  return out;
}

// The names of the keywords whose bits are set, in list order, joined by ", ".
std::string KeywordText(const std::vector<std::string>& names, uint32_t bits) {
  std::string text;
  for (size_t i = 0; i < names.size() && i < 32; ++i) {
    if (!((bits >> i) & 1u)) continue;
    if (!text.empty()) text += ", ";
    text += names[i];
  }
  return text;
}

}  // namespace

std::string Database::FormatFieldValue(size_t capacity, int record, int field) {
  if (capacity == 0 || field < 0 || field >= FieldCount()) return {};
  const ByteView bytes = GetRecord(record);
  if (bytes.empty()) return {};
  const FieldDescriptor& f = GetFieldDescriptor(field);
  std::string text;
  switch (f.type) {
    case field_type::BYTE:
    case field_type::INTEGER:
    case field_type::REAL:
    case field_type::DECIMAL: {
      const auto number = ReadNumber(bytes, f);
      if (!number) {
        text = LoadString(strings::UNKNOWN_VALUE, runtime_.config.language);
      } else {
        const bool real = f.type == field_type::REAL || f.type == field_type::DECIMAL;
        text = WithUnits(real ? RealText(*number) : std::to_string(int64_t(*number)), f);
      }
      break;
    }
    case field_type::DATE:
      if (const auto date = ReadDate(bytes, f)) text = FormatDate(*date, runtime_.script.dateFormat);
      break;
    case field_type::TEXT:
    case field_type::PICTURE:
      text = ReadText(bytes, f).value_or("");
      break;
    case field_type::YES_NO:
      text = ReadUnsigned(bytes, f).value_or(0) == kYes ? f.yesLabel : f.noLabel;
      break;
    case field_type::KEYWORDS:
    case field_type::CATEGORIES:
      text = KeywordText(KeywordNames(field), ReadUnsigned(bytes, f).value_or(0));
      break;
    case field_type::LONG_TEXT:
      if (const auto ref = ReadLongTextRef(bytes, f)) text = ReadLongText(*ref, capacity - 1);
      break;
    case field_type::NUMBER:
      text = std::to_string(ReadInteger(bytes, f).value_or(0));
      break;
    case field_type::COORDINATES:
      if (const auto pair = ReadCoordinates(bytes, f)) {
        text = "(" + std::to_string(pair->first) + "," + std::to_string(pair->second) + ")";
      }
      break;
    default:  // other kinds are not shown
      break;
  }
  if (text.size() > capacity - 1) text.resize(capacity - 1);
  return text;
}

Database::Statistics Database::FieldStatistics(int field) {
  Statistics stats{DBL_MAX, -DBL_MAX};
  if (field < 0 || field >= FieldCount()) return stats;
  const FieldDescriptor& f = GetFieldDescriptor(field);
  const int count = RecordCount();
  for (int record = 0; record < count; ++record) {
    const ByteView bytes = GetRecord(record);
    if (bytes.empty()) break;
    const auto number = ReadNumber(bytes, f);
    if (!number) continue;  // unknown values do not count
    const double value = *number;
    if (value < stats.minimum) stats.minimum = value;
    if (value > stats.maximum) stats.maximum = value;
    stats.sum += value;
    stats.sumOfSquares += value * value;
  }
  return stats;
}

}  // namespace zd
