#include "base/message_format.h"

#include <cstdio>
#include <string>

namespace zd {
namespace {

bool IsFlag(char c) { return c == '-' || c == '+' || c == ' ' || c == '#' || c == '0'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsLengthModifier(char c) {
  return c == 'h' || c == 'l' || c == 'L' || c == 'q' || c == 'j' || c == 'z' || c == 't';
}

// Formats one conversion with the argument, using only the flags, width and precision of the
// original conversion (bounded, so a huge width cannot make a huge string).
std::string FormatOne(const std::string& flagsWidthPrecision, char conversion,
                      const MessageArgument& arg) {
  char buffer[kMaxMessageLength + 1];
  const bool numeric = conversion == 'd' || conversion == 'i' || conversion == 'u' ||
                       conversion == 'x' || conversion == 'X' || conversion == 'o' ||
                       conversion == 'c';
  if (arg.kind() == MessageArgument::Kind::Number && numeric) {
    const std::string pattern = "%" + flagsWidthPrecision + conversion;
    if (conversion == 'c') {
      std::snprintf(buffer, sizeof buffer, pattern.c_str(), static_cast<unsigned char>(arg.number()));
    } else if (conversion == 'd' || conversion == 'i') {
      std::snprintf(buffer, sizeof buffer, pattern.c_str(), static_cast<int>(arg.number()));
    } else {
      std::snprintf(buffer, sizeof buffer, pattern.c_str(), static_cast<unsigned>(arg.number()));
    }
    return buffer;
  }
  const std::string text = arg.kind() == MessageArgument::Kind::Number
                               ? std::to_string(arg.number())
                               : arg.text();
  std::string pattern = "%" + flagsWidthPrecision + "s";
  if (numeric) {  // a text given to a numeric conversion: keep only flags and width
    pattern = "%";
    for (char c : flagsWidthPrecision) {
      if (c == '.') break;
      if (c == '-' || IsDigit(c)) pattern += c;
    }
    pattern += "s";
  }
  std::snprintf(buffer, sizeof buffer, pattern.c_str(), text.c_str());
  return buffer;
}

}  // namespace

std::string FormatMessageText(std::string_view format, const MessageArgument& arg,
                              size_t maxLength) {
  std::string out;
  if (arg.kind() == MessageArgument::Kind::None) {
    out.assign(format.substr(0, maxLength));
    return out;
  }
  bool argumentUsed = false;
  size_t i = 0;
  while (i < format.size() && out.size() < maxLength) {
    const char c = format[i];
    if (c != '%') {
      out += c;
      ++i;
      continue;
    }
    if (i + 1 < format.size() && format[i + 1] == '%') {
      out += '%';
      i += 2;
      continue;
    }
    // Parse flags, width, precision and length; '*' takes nothing here.
    size_t j = i + 1;
    std::string flags;
    while (j < format.size() && IsFlag(format[j])) flags += format[j++];
    int digits = 0;
    while (j < format.size() && (IsDigit(format[j]) || format[j] == '*')) {
      if (format[j] != '*' && digits++ < 3) flags += format[j];
      ++j;
    }
    if (j < format.size() && format[j] == '.') {
      // A precision of '*' would take an argument of its own: it counts as no precision.
      std::string precision = ".";
      bool star = false;
      digits = 0;
      for (++j; j < format.size() && (IsDigit(format[j]) || format[j] == '*'); ++j) {
        star |= format[j] == '*';
        if (format[j] != '*' && digits++ < 3) precision += format[j];
      }
      if (!star) flags += precision;
    }
    while (j < format.size() && IsLengthModifier(format[j])) ++j;
    if (j >= format.size()) break;  // a lone '%' at the end prints nothing
    const char conversion = format[j];
    i = j + 1;
    const bool known = conversion == 'd' || conversion == 'i' || conversion == 'u' ||
                       conversion == 'x' || conversion == 'X' || conversion == 'o' ||
                       conversion == 'c' || conversion == 's';
    if (!known || argumentUsed) continue;  // nothing to print for it
    argumentUsed = true;
    out += FormatOne(flags, conversion, arg);
  }
  if (out.size() > maxLength) out.resize(maxLength);
  return out;
}

}  // namespace zd
