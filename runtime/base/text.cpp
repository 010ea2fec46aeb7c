#include "base/text.h"

#include <cstdint>

namespace zd {

std::string ToUpper1253(std::string_view text) {
  std::string out(text);
  for (char& c : out) c = ToUpper1253(c);
  return out;
}

bool EqualsIgnoreCase1253(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    if (ToUpper1253(a[i]) != ToUpper1253(b[i])) return false;
  }
  return true;
}

std::string_view TrimBlanks(std::string_view text) {
  const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r'; };
  while (!text.empty() && blank(text.front())) text.remove_prefix(1);
  while (!text.empty() && blank(text.back())) text.remove_suffix(1);
  return text;
}

}  // namespace zd
