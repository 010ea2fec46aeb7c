#include "titlekit/database_values.h"

#include <cfloat>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "base/byte_view.h"
#include "base/cp1253.h"
#include "database/database_layout.h"
#include "titlekit/description_error.h"
#include "titlekit/hex_text.h"

namespace zd::titlekit {
namespace {

constexpr NameValue kFieldTypes[] = {
    {"byte", 0},     {"integer", 1},   {"real", 2},       {"decimal", 3},     {"date", 4},
    {"text", 5},     {"yesno", 6},     {"keywords", 7},   {"picture", 8},     {"longtext", 9},
    {"categories", 10}, {"number", 11}, {"other", 12},    {"coordinates", 13},
};

std::string Le32(uint32_t v) {
  std::string out(4, '\0');
  for (int i = 0; i < 4; ++i) out[size_t(i)] = static_cast<char>(v >> (8 * i));
  return out;
}
std::string Le16(uint16_t v) { return Le32(v).substr(0, 2); }

std::string Trim(std::string_view text) {
  const size_t first = text.find_first_not_of(" \t");
  if (first == std::string_view::npos) return {};
  const size_t last = text.find_last_not_of(" \t");
  return std::string(text.substr(first, last - first + 1));
}

// A whole number in decimal (with an optional sign) between `low` and `high`.
int64_t WholeNumber(std::string_view text, const std::string& where, int64_t low, int64_t high) {
  const std::string t = Trim(text);
  int64_t v = 0;
  const char* begin = t.data() + (t.size() > 1 && t[0] == '+' ? 1 : 0);
  const auto [end, error] = std::from_chars(begin, t.data() + t.size(), v);
  if (t.empty() || error != std::errc() || end != t.data() + t.size()) {
    throw DescriptionError(where, "expected a whole number, not \"" + std::string(text) + "\"");
  }
  if (v < low || v > high) throw DescriptionError(where, t + " is out of range");
  return v;
}

int64_t JsonWhole(const Json& value, const std::string& where, int64_t low, int64_t high) {
  if (value.is_string()) return WholeNumber(value.get<std::string>(), where, low, high);
  if (!value.is_number_integer()) throw DescriptionError(where, "expected a whole number");
  if (value.is_number_unsigned() && value.get<uint64_t>() > uint64_t(INT64_MAX)) {
    throw DescriptionError(where, "out of range");
  }
  const int64_t v = value.get<int64_t>();
  if (v < low || v > high) throw DescriptionError(where, std::to_string(v) + " is out of range");
  return v;
}

std::string RealBytes(float v) {
  uint32_t bits;
  std::memcpy(&bits, &v, sizeof bits);
  return Le32(bits);
}

std::string RealFromText(std::string_view text, const std::string& where) {
  const std::string t = Trim(text);
  if (t.empty()) return RealBytes(kUnknownRealValue);
  char* end = nullptr;
  const double v = std::strtod(t.c_str(), &end);
  if (end != t.c_str() + t.size() || !std::isfinite(v) || std::fabs(v) > FLT_MAX) {
    throw DescriptionError(where, "expected a number a 32-bit real holds, not \"" + t + "\"");
  }
  return RealBytes(static_cast<float>(v));
}

// The shortest decimal that reads back as the same float.
std::string FloatText(float v) {
  char buffer[32];
  for (int digits = 6; digits <= 9; ++digits) {
    std::snprintf(buffer, sizeof buffer, "%.*g", digits, double(v));
    if (std::strtof(buffer, nullptr) == v) break;
  }
  return buffer;
}

std::string DateBytes(int64_t day, int64_t month, int64_t year) {
  return std::string(1, char(day)) + char(month) + Le16(static_cast<uint16_t>(year));
}

// A year as a date field keeps it: fields with the two-digit flag hold 1900-1999 as 0-99.
int64_t StoredYear(const DatabaseField& field, int64_t year, const std::string& where) {
  if (!field.twoDigitYear || year < 100) return year;
  if (year < 1900 || year > 1999) {
    throw DescriptionError(where, "a field of two-digit years holds 1900 to 1999, not " + std::to_string(year));
  }
  return year - 1900;
}

// "YYYY-MM-DD", "YYYY-MM" or "YYYY"; "?" as the year for an unknown one; 00 for a missing
// day or month.
std::string DateFromText(const DatabaseField& field, std::string_view text, const std::string& where) {
  const std::string t = Trim(text);
  if (t.empty()) return DateBytes(0, 0, kUnknownYear);
  std::vector<std::string> parts;
  size_t start = 0;
  while (true) {
    const size_t dash = t.find('-', start);
    parts.push_back(t.substr(start, dash == std::string::npos ? std::string::npos : dash - start));
    if (dash == std::string::npos) break;
    start = dash + 1;
  }
  if (parts.size() > 3) throw DescriptionError(where, "expected a date \"YYYY-MM-DD\", not \"" + t + "\"");
  const int64_t year = parts[0] == "?" ? kUnknownYear
                                       : StoredYear(field, WholeNumber(parts[0], where, -32767, 32767), where);
  const int64_t month = parts.size() > 1 ? WholeNumber(parts[1], where, 0, 255) : 0;
  const int64_t day = parts.size() > 2 ? WholeNumber(parts[2], where, 0, 255) : 0;
  return DateBytes(day, month, year);
}

std::string DateFromJson(const DatabaseField& field, const Json& value, const std::string& where) {
  if (value.is_null()) return DateBytes(0, 0, kUnknownYear);
  if (value.is_string()) return DateFromText(field, value.get<std::string>(), where);
  const Members m(value, where, {"day", "month", "year"});
  int64_t year = kUnknownYear;
  if (const Json* v = m.Find("year"); v && !v->is_null()) {
    year = StoredYear(field, JsonWhole(*v, m.Path("year"), -32767, 32767), m.Path("year"));
  }
  const int64_t month = m.Has("month") ? JsonWhole(*m.Find("month"), m.Path("month"), 0, 255) : 0;
  const int64_t day = m.Has("day") ? JsonWhole(*m.Find("day"), m.Path("day"), 0, 255) : 0;
  return DateBytes(day, month, year);
}

std::string FixedText(const DatabaseField& field, std::string_view utf8, const std::string& where) {
  Bytes bytes = Utf8ToCp1253(utf8);
  if (bytes.size() > field.width) {
    throw DescriptionError(where, "\"" + std::string(utf8) + "\" is longer than the field's " +
                                      std::to_string(field.width) + " bytes");
  }
  bytes.resize(field.width, '\0');
  return bytes;
}

std::string YesNoFromText(const DatabaseField& field, std::string_view text, const std::string& where) {
  const std::string t = Trim(text);
  const std::string cp = Utf8ToCp1253(t);
  std::string lower = t;
  for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  if (field.labels && !cp.empty() && cp == field.labels->first) return std::string(1, char(kYes));
  if (field.labels && !cp.empty() && cp == field.labels->second) return std::string(1, '\0');
  if (lower == "yes" || lower == "true" || lower == "1") return std::string(1, char(kYes));
  if (lower.empty() || lower == "no" || lower == "false" || lower == "0") return std::string(1, '\0');
  if (t[0] == '#') return std::string(1, char(WholeNumber(t.substr(1), where, 0, 255)));
  throw DescriptionError(where, "expected yes or no (or the field's labels), not \"" + t + "\"");
}

uint32_t KeywordBit(const DatabaseField& field, std::string_view name, const std::string& where) {
  const std::string cp = Utf8ToCp1253(name);
  for (size_t i = 0; i < field.keywords.size() && i < 32; ++i) {
    if (field.keywords[i] == cp) return uint32_t(1) << i;
  }
  std::string known;
  for (const std::string& k : field.keywords) known += (known.empty() ? "" : ", ") + Cp1253ToUtf8(k);
  throw DescriptionError(where, "\"" + std::string(name) + "\" is not one of the field's keywords (" + known + ")");
}

std::string KeywordsFromText(const DatabaseField& field, std::string_view text, const std::string& where) {
  const std::string t = Trim(text);
  if (t.empty()) return Le32(0);
  if (t[0] == '#') return Le32(static_cast<uint32_t>(WholeNumber(t.substr(1), where, 0, UINT32_MAX)));
  uint32_t bits = 0;
  size_t start = 0;
  while (true) {
    const size_t comma = t.find(", ", start);
    bits |= KeywordBit(field, t.substr(start, comma == std::string::npos ? std::string::npos : comma - start), where);
    if (comma == std::string::npos) break;
    start = comma + 2;
  }
  return Le32(bits);
}

std::string CoordinatesFromText(std::string_view text, const std::string& where) {
  std::string t = Trim(text);
  if (t.size() >= 2 && t.front() == '(' && t.back() == ')') t = t.substr(1, t.size() - 2);
  const size_t comma = t.find(',');
  if (comma == std::string::npos) throw DescriptionError(where, "expected coordinates \"(a,b)\", not \"" + t + "\"");
  const int64_t a = WholeNumber(t.substr(0, comma), where, INT16_MIN, INT16_MAX);
  const int64_t b = WholeNumber(t.substr(comma + 1), where, INT16_MIN, INT16_MAX);
  return Le16(static_cast<uint16_t>(a)) + Le16(static_cast<uint16_t>(b));
}

std::string HexFromText(const DatabaseField& field, std::string_view text, const std::string& where) {
  const auto bytes = FromHex(Trim(text));
  if (!bytes) throw DescriptionError(where, "expected the field's bytes as hexadecimal digit pairs");
  if (bytes->size() > field.width) {
    throw DescriptionError(where, std::to_string(bytes->size()) + " bytes are more than the field's " +
                                      std::to_string(field.width));
  }
  return *bytes + std::string(field.width - bytes->size(), '\0');
}

// The units a displayed value may end with ("12 m"), taken off before it is read.
std::string_view WithoutUnits(const DatabaseField& field, std::string_view text) {
  const std::string units = " " + Cp1253ToUtf8(field.units);
  if (!field.units.empty() && text.size() > units.size() &&
      text.substr(text.size() - units.size()) == units) {
    text.remove_suffix(units.size());
  }
  return text;
}

ByteView View(const DatabaseCell& cell) { return ByteView(cell.bytes); }

}  // namespace

const NameTable kFieldTypeNames = kFieldTypes;
const float kUnknownRealValue = -FLT_MAX;

DatabaseCell CellFromText(const DatabaseField& field, std::string_view text, const std::string& where) {
  DatabaseCell cell;
  switch (field.type) {
    case field_type::BYTE:
      cell.bytes = std::string(1, char(WholeNumber(WithoutUnits(field, text), where, 0, 255)));
      break;
    case field_type::INTEGER:
      text = WithoutUnits(field, text);
      cell.bytes = Trim(text).empty() ? Le32(uint32_t(kUnknownInteger))
                                      : Le32(uint32_t(WholeNumber(text, where, INT32_MIN + 1LL, INT32_MAX)));
      break;
    case field_type::REAL:
    case field_type::DECIMAL: cell.bytes = RealFromText(WithoutUnits(field, text), where); break;
    case field_type::DATE: cell.bytes = DateFromText(field, text, where); break;
    case field_type::TEXT:
    case field_type::PICTURE: cell.bytes = FixedText(field, text, where); break;
    case field_type::YES_NO: cell.bytes = YesNoFromText(field, text, where); break;
    case field_type::KEYWORDS:
    case field_type::CATEGORIES: cell.bytes = KeywordsFromText(field, text, where); break;
    case field_type::LONG_TEXT: cell.longText = Utf8ToCp1253(text); break;
    case field_type::NUMBER:
      cell.bytes = Trim(text).empty() ? Le32(0) : Le32(uint32_t(WholeNumber(text, where, INT32_MIN, INT32_MAX)));
      break;
    case field_type::COORDINATES:
      cell.bytes = Trim(text).empty() ? Le32(0) : CoordinatesFromText(text, where);
      break;
    default: cell.bytes = HexFromText(field, text, where); break;
  }
  return cell;
}

DatabaseCell CellFromJson(const DatabaseField& field, const Json& value, const std::string& where) {
  if (value.is_object() && field.type != field_type::DATE) {
    return {ToBytes(value, where), std::nullopt};
  }
  if (value.is_object() && (value.contains("hex") || value.contains("base64"))) {
    return {ToBytes(value, where), std::nullopt};
  }
  if (value.is_string() && field.type != field_type::OTHER && field.type <= field_type::COORDINATES) {
    return CellFromText(field, value.get<std::string>(), where);
  }
  DatabaseCell cell;
  switch (field.type) {
    case field_type::BYTE: cell.bytes = std::string(1, char(JsonWhole(value, where, 0, 255))); break;
    case field_type::INTEGER:
      cell.bytes = value.is_null() ? Le32(uint32_t(kUnknownInteger))
                                   : Le32(uint32_t(JsonWhole(value, where, INT32_MIN + 1LL, INT32_MAX)));
      break;
    case field_type::NUMBER: cell.bytes = Le32(uint32_t(JsonWhole(value, where, INT32_MIN, INT32_MAX))); break;
    case field_type::REAL:
    case field_type::DECIMAL:
      if (value.is_null()) {
        cell.bytes = RealBytes(kUnknownRealValue);
      } else {
        const double v = ToDouble(value, where);
        if (std::fabs(v) > FLT_MAX) throw DescriptionError(where, "out of the range of a 32-bit real");
        cell.bytes = RealBytes(static_cast<float>(v));
      }
      break;
    case field_type::DATE: cell.bytes = DateFromJson(field, value, where); break;
    case field_type::YES_NO:
      cell.bytes = value.is_boolean() ? std::string(1, char(value.get<bool>() ? 255 : 0))
                                      : std::string(1, char(JsonWhole(value, where, 0, 255)));
      break;
    case field_type::KEYWORDS:
    case field_type::CATEGORIES:
      if (value.is_array()) {
        uint32_t bits = 0;
        for (size_t i = 0; i < value.size(); ++i) {
          bits |= KeywordBit(field, ToString(value[i], PathIndex(where, i)), PathIndex(where, i));
        }
        cell.bytes = Le32(bits);
      } else {
        cell.bytes = Le32(static_cast<uint32_t>(JsonWhole(value, where, 0, UINT32_MAX)));
      }
      break;
    case field_type::COORDINATES:
      if (!value.is_array() || value.size() != 2) throw DescriptionError(where, "expected [a, b]");
      cell.bytes = Le16(static_cast<uint16_t>(JsonWhole(value[0], PathIndex(where, 0), INT16_MIN, INT16_MAX))) +
                   Le16(static_cast<uint16_t>(JsonWhole(value[1], PathIndex(where, 1), INT16_MIN, INT16_MAX)));
      break;
    case field_type::OTHER:
    default:
      if (!value.is_string()) throw DescriptionError(where, "expected the field's bytes as a hex string");
      cell.bytes = HexFromText(field, value.get<std::string>(), where);
      break;
    case field_type::TEXT:
    case field_type::PICTURE:
    case field_type::LONG_TEXT:
      if (value.is_null()) return cell;
      throw DescriptionError(where, "expected a string");
  }
  return cell;
}

Json CellToJson(const DatabaseField& field, const DatabaseCell& cell) {
  const ByteView v = View(cell);
  switch (field.type) {
    case field_type::BYTE: return v.U8(0).value_or(0);
    case field_type::INTEGER: {
      const int32_t n = v.I32(0).value_or(0);
      return n == kUnknownInteger ? Json(nullptr) : Json(n);
    }
    case field_type::NUMBER: return v.I32(0).value_or(0);
    case field_type::REAL:
    case field_type::DECIMAL: {
      uint32_t bits = v.U32(0).value_or(0);
      float f;
      std::memcpy(&f, &bits, sizeof f);
      if (!std::isfinite(f)) return Json{{"hex", ToHex(cell.bytes)}};
      if (IsUnknownReal(f)) return nullptr;
      return std::strtod(FloatText(f).c_str(), nullptr);
    }
    case field_type::DATE:
    case field_type::YES_NO:
    case field_type::KEYWORDS:
    case field_type::CATEGORIES:
    case field_type::COORDINATES: {
      if (field.type == field_type::YES_NO) {
        const uint8_t b = v.U8(0).value_or(0);
        return b == 255 ? Json(true) : b == 0 ? Json(false) : Json(b);
      }
      if (field.type == field_type::COORDINATES) return Json::array({v.I16(0).value_or(0), v.I16(2).value_or(0)});
      if (field.type == field_type::DATE) {
        const std::string text = CellToText(field, cell);
        return text.empty() ? Json(nullptr) : Json(text);
      }
      const uint32_t bits = v.U32(0).value_or(0);
      Json names = Json::array();
      for (size_t i = 0; i < 32; ++i) {
        if (!(bits >> i & 1)) continue;
        if (i >= field.keywords.size()) return bits;
        names.push_back(Cp1253ToUtf8(field.keywords[i]));
      }
      return names;
    }
    case field_type::TEXT:
    case field_type::PICTURE:
    case field_type::LONG_TEXT: return CellToText(field, cell);
    default: return ToHex(cell.bytes);
  }
}

std::string CellToText(const DatabaseField& field, const DatabaseCell& cell) {
  const ByteView v = View(cell);
  switch (field.type) {
    case field_type::BYTE: return std::to_string(v.U8(0).value_or(0));
    case field_type::INTEGER: {
      const int32_t n = v.I32(0).value_or(0);
      return n == kUnknownInteger ? "" : std::to_string(n);
    }
    case field_type::NUMBER: return std::to_string(v.I32(0).value_or(0));
    case field_type::REAL:
    case field_type::DECIMAL: {
      uint32_t bits = v.U32(0).value_or(0);
      float f;
      std::memcpy(&f, &bits, sizeof f);
      return IsUnknownReal(f) ? "" : FloatText(f);
    }
    case field_type::DATE: {
      const uint8_t day = v.U8(0).value_or(0), month = v.U8(1).value_or(0);
      const int16_t year = v.I16(2).value_or(0);
      if (day == 0 && month == 0 && year == kUnknownYear) return "";
      std::string text = year == kUnknownYear ? "?"
                         : field.twoDigitYear && year >= 0 && year < 100 ? std::to_string(1900 + year)
                                                                       : std::to_string(year);
      char part[8];
      if (month || day) {
        std::snprintf(part, sizeof part, "-%02u", unsigned(month));
        text += part;
      }
      if (day) {
        std::snprintf(part, sizeof part, "-%02u", unsigned(day));
        text += part;
      }
      return text;
    }
    case field_type::TEXT:
    case field_type::PICTURE: return Cp1253ToUtf8(v.FixedText(0, v.size()).value_or(""));
    case field_type::LONG_TEXT: return Cp1253ToUtf8(cell.longText.value_or(""));
    case field_type::YES_NO: {
      const uint8_t b = v.U8(0).value_or(0);
      if (b == 255) return field.labels && !field.labels->first.empty() ? Cp1253ToUtf8(field.labels->first) : "yes";
      if (b == 0) return field.labels && !field.labels->second.empty() ? Cp1253ToUtf8(field.labels->second) : "no";
      return "#" + std::to_string(b);
    }
    case field_type::KEYWORDS:
    case field_type::CATEGORIES: {
      const uint32_t bits = v.U32(0).value_or(0);
      std::string text;
      for (size_t i = 0; i < 32; ++i) {
        if (!(bits >> i & 1)) continue;
        if (i >= field.keywords.size()) return "#" + std::to_string(bits);
        text += (text.empty() ? "" : ", ") + Cp1253ToUtf8(field.keywords[i]);
      }
      return text;
    }
    case field_type::COORDINATES:
      return "(" + std::to_string(v.I16(0).value_or(0)) + "," + std::to_string(v.I16(2).value_or(0)) + ")";
    default: return ToHex(cell.bytes);
  }
}

uint32_t StoredWidth(const DatabaseField& field) {
  switch (field.type) {
    case field_type::BYTE:
    case field_type::YES_NO: return 1;
    case field_type::TEXT:
    case field_type::PICTURE: return field.width;
    case field_type::LONG_TEXT: return 8;
    default: return field.type > field_type::COORDINATES || field.type == field_type::OTHER ? field.width : 4;
  }
}

}  // namespace zd::titlekit
