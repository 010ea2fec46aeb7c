// The comparisons a condition can make, in their fixed order: each has an integer, a real and a
// text test, the last two optional ("bit" and "!bit" test integers only).
#pragma once

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

// The comparison of that (lower-case) name, by its index; -1 when there is none.
int FindComparison(std::string_view name);
const Comparison& ComparisonAt(int index);

}  // namespace zd::script
