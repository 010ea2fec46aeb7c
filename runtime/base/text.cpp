#include "base/text.h"

#include <cstdint>

namespace zd {

char ToUpper1253(char ch) {
  const auto c = static_cast<uint8_t>(ch);
  if (c >= 'a' && c <= 'z') return static_cast<char>(c - 0x20);
  if (c < 0xDC) return ch;
  switch (c) {
    case 0xDC: return static_cast<char>(0xA2);  // ά
    case 0xDD: return static_cast<char>(0xB8);  // έ
    case 0xDE: return static_cast<char>(0xB9);  // ή
    case 0xDF: return static_cast<char>(0xBA);  // ί
    case 0xF2: return static_cast<char>(0xD3);  // final sigma
    case 0xFC: return static_cast<char>(0xBC);  // ό
    case 0xFD: return static_cast<char>(0xBE);  // ύ
    case 0xFE: return static_cast<char>(0xBF);  // ώ
    case 0xFF: return ch;                       // unused
    default: break;
  }
  if (c >= 0xE1 && c <= 0xFB) return static_cast<char>(c - 0x20);  // α..ω, ϊ, ϋ
  return ch;
}

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
