// Small text helpers for the runtime's code page 1253 strings.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace zd {

namespace text_detail {
constexpr char UpperOf(uint8_t c) {
  if (c >= 'a' && c <= 'z') return static_cast<char>(c - 0x20);
  switch (c) {
    case 0xDC: return static_cast<char>(0xA2);  // ά
    case 0xDD: return static_cast<char>(0xB8);  // έ
    case 0xDE: return static_cast<char>(0xB9);  // ή
    case 0xDF: return static_cast<char>(0xBA);  // ί
    case 0xF2: return static_cast<char>(0xD3);  // final sigma
    case 0xFC: return static_cast<char>(0xBC);  // ό
    case 0xFD: return static_cast<char>(0xBE);  // ύ
    case 0xFE: return static_cast<char>(0xBF);  // ώ
    default: break;
  }
  if (c >= 0xE1 && c <= 0xFB) return static_cast<char>(c - 0x20);  // α..ω, ϊ, ϋ
  return static_cast<char>(c);
}
constexpr std::array<char, 256> UpperTable() {
  std::array<char, 256> table{};
  for (int c = 0; c < 256; ++c) table[size_t(c)] = UpperOf(uint8_t(c));
  return table;
}
inline constexpr std::array<char, 256> kUpper1253 = UpperTable();
}  // namespace text_detail

// Upper case of one character: ASCII letters and Greek letters (accented ones keep their
// accent). A table lookup, so that folding whole records for comparison stays cheap.
inline char ToUpper1253(char c) { return text_detail::kUpper1253[static_cast<uint8_t>(c)]; }
std::string ToUpper1253(std::string_view text);
bool EqualsIgnoreCase1253(std::string_view a, std::string_view b);

// Without blanks, tabs and carriage returns at either end.
std::string_view TrimBlanks(std::string_view text);

}  // namespace zd
