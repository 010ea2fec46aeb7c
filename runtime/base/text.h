// Small text helpers for the runtime's code page 1253 strings.
#pragma once

#include <string>
#include <string_view>

namespace zd {

// Upper case of one character: ASCII letters and Greek letters (accented ones keep their accent).
char ToUpper1253(char c);
std::string ToUpper1253(std::string_view text);
bool EqualsIgnoreCase1253(std::string_view a, std::string_view b);

// Without blanks, tabs and carriage returns at either end.
std::string_view TrimBlanks(std::string_view text);

}  // namespace zd
