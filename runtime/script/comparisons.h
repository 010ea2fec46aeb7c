// The comparisons a condition can make, in their fixed order: each has an integer, a real and a
// text test, the last two optional ("bit" and "!bit" test integers only).
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace zd::script {

// Integer tests give 1 or 0, or -1 when the operands do not suit the test (a bit number out of
// range).
using IntegerTest = int (*)(int32_t, int32_t);
using FloatTest = bool (*)(double, double);
using StringTest = bool (*)(int);  // given the sign of the byte-wise comparison

struct Comparison {
  std::string_view name;
  IntegerTest integer;
  FloatTest real;
  StringTest text;
};

constexpr int SCRIPT_NUM_OF_COMPARISONS = 8;

// The sign of the byte-wise comparison of two texts (bytes compare as unsigned). Script texts
// are short: they are compared here rather than by a call to the library.
inline int CompareBytes(std::string_view a, std::string_view b) {
  const size_t n = a.size() < b.size() ? a.size() : b.size();
  for (size_t i = 0; i < n; ++i) {
    const unsigned char x = static_cast<unsigned char>(a[i]), y = static_cast<unsigned char>(b[i]);
    if (x != y) return x < y ? -1 : 1;
  }
  return a.size() < b.size() ? -1 : (a.size() > b.size() ? 1 : 0);
}

// The comparison of that (lower-case) name, by its index; -1 when there is none.
int FindComparison(std::string_view name);
const Comparison& ComparisonAt(int index);

}  // namespace zd::script
