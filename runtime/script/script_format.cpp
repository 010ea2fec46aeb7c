// FormatValue: a format text filled with at most one value, as valtostr and write use it.
//
// The format is title data, so it is not handed to printf as it stands. Each conversion is
// taken apart and checked against the value: "%d" and its kin want an integer, "%s" a text, a
// floating-point conversion a float. A conversion that does not suit the value, a second
// conversion (there is only one value), "%n", "%p" and "*" widths are refused with "scerr71".
// Widths and precisions are held to 255; the result is cut to 255 characters.
#include <cstdio>
#include <variant>

#include "script/script_engine.h"

namespace zd {

using script::ArgumentKind;
using script::ScriptText;
using script::Word;

namespace {

using Value = std::variant<int32_t, double, ScriptText>;

enum class ConversionType { Integer, Real, Text, Refused };

ConversionType TypeOf(char c) {
  switch (c) {
    case 'd': case 'i': case 'u': case 'o': case 'x': case 'X': case 'c':
      return ConversionType::Integer;
    case 'f': case 'F': case 'e': case 'E': case 'g': case 'G': case 'a': case 'A':
      return ConversionType::Real;
    case 's':
      return ConversionType::Text;
    default:
      return ConversionType::Refused;
  }
}

size_t ReadBoundedNumber(std::string_view format, size_t& i) {
  size_t n = 0;
  while (i < format.size() && format[i] >= '0' && format[i] <= '9') {
    n = n * 10 + static_cast<size_t>(format[i] - '0');
    if (n > 255) n = 255;
    ++i;
  }
  return n;
}

// Fills `format` with `value`; false when the format does not suit the value.
bool SafeFormat(std::string_view format, const Value& value, ScriptText& out) {
  out.Clear();
  bool used = false;
  for (size_t i = 0; i < format.size(); ++i) {
    const char c = format[i];
    if (c != '%') {
      out.Append(std::string_view(&c, 1));
      continue;
    }
    if (i + 1 < format.size() && format[i + 1] == '%') {
      out.Append("%");
      ++i;
      continue;
    }
    // %[flags][width][.precision][length]conversion
    char pattern[32];
    size_t n = 0;
    pattern[n++] = '%';
    size_t j = i + 1;
    while (j < format.size() && std::string_view("-+ #0").find(format[j]) != std::string_view::npos) {
      if (n < 8) pattern[n++] = format[j];
      ++j;
    }
    if (j < format.size() && format[j] == '*') return false;
    const bool hasWidth = j < format.size() && format[j] >= '0' && format[j] <= '9';
    const size_t width = ReadBoundedNumber(format, j);
    bool hasPrecision = false;
    size_t precision = 0;
    if (j < format.size() && format[j] == '.') {
      ++j;
      if (j < format.size() && format[j] == '*') return false;
      hasPrecision = true;
      precision = ReadBoundedNumber(format, j);
    }
    while (j < format.size() && std::string_view("hlLqjztI").find(format[j]) != std::string_view::npos) {
      if (format[j] == 'I' && format.substr(j, 3) == "I64") j += 2;
      ++j;
    }
    if (j >= format.size() || used) return false;
    const char conversion = format[j];
    const ConversionType type = TypeOf(conversion);
    if (type == ConversionType::Refused) return false;
    if (hasWidth) {
      n += static_cast<size_t>(std::snprintf(pattern + n, sizeof pattern - n, "%zu", width));
    }
    if (hasPrecision) {
      n += static_cast<size_t>(std::snprintf(pattern + n, sizeof pattern - n, ".%zu", precision));
    }
    pattern[n++] = conversion;
    pattern[n] = '\0';
    char buffer[1024];
    if (type == ConversionType::Integer) {
      const int32_t* v = std::get_if<int32_t>(&value);
      if (!v) return false;
      std::snprintf(buffer, sizeof buffer, pattern, *v);
    } else if (type == ConversionType::Real) {
      const double* v = std::get_if<double>(&value);
      if (!v) return false;
      std::snprintf(buffer, sizeof buffer, pattern, *v);
    } else {
      const ScriptText* v = std::get_if<ScriptText>(&value);
      if (!v) return false;
      std::snprintf(buffer, sizeof buffer, pattern, v->c_str());
    }
    out.Append(buffer);
    used = true;
    i = j;
  }
  return true;
}

}  // namespace

bool ScriptEngine::FormatValue(script::LineCursor& cursor, ScriptText& result) {
  ScriptText format;
  if (!ReadStringArgument(cursor, format)) return false;
  if (cursor.AtEnd()) {
    result = format;
    return true;
  }
  Word word;
  const ArgumentKind kind = ReadClassified(cursor, word);
  Value value;
  switch (kind) {
    case ArgumentKind::IntegerVariable:
    case ArgumentKind::IntegerConstant: {
      script::Number number;
      if (!NumberFromWord(word, kind, number)) return false;
      value = number.integer;
      break;
    }
    case ArgumentKind::StringVariable:
    case ArgumentKind::StringConstant: {
      ScriptText text;
      if (!StringFromWord(word, kind, text)) return false;
      value = text;
      break;
    }
    case ArgumentKind::FloatVariable:
    case ArgumentKind::FloatConstant: {
      double real = 0;
      if (!FloatFromWord(word, kind, real)) return false;
      value = real;
      break;
    }
    default:
      ReportScriptDiagnostic("scerr38");
      return false;
  }
  if (!SafeFormat(format.view(), value, result)) {
    ReportScriptDiagnostic("scerr71", format.str());
    return false;
  }
  return true;
}

}  // namespace zd
