#include "script/comparisons.h"

namespace zd::script {
namespace {

int BitTest(int32_t a, int32_t b, bool set) {
  if (b < 0 || b > 31) return -1;
  const bool bit = (static_cast<uint32_t>(a) >> b) & 1u;
  return bit == set ? 1 : 0;
}

const Comparison kComparisons[SCRIPT_NUM_OF_COMPARISONS] = {
    {"==", [](int32_t a, int32_t b) { return int{a == b}; },
     [](double a, double b) { return a == b; }, [](int c) { return c == 0; }},
    {"!=", [](int32_t a, int32_t b) { return int{a != b}; },
     [](double a, double b) { return a != b; }, [](int c) { return c != 0; }},
    {">=", [](int32_t a, int32_t b) { return int{a >= b}; },
     [](double a, double b) { return a >= b; }, [](int c) { return c >= 0; }},
    {"<=", [](int32_t a, int32_t b) { return int{a <= b}; },
     [](double a, double b) { return a <= b; }, [](int c) { return c <= 0; }},
    {">", [](int32_t a, int32_t b) { return int{a > b}; },
     [](double a, double b) { return a > b; }, [](int c) { return c > 0; }},
    {"<", [](int32_t a, int32_t b) { return int{a < b}; },
     [](double a, double b) { return a < b; }, [](int c) { return c < 0; }},
    {"bit", [](int32_t a, int32_t b) { return BitTest(a, b, true); }, nullptr, nullptr},
    {"!bit", [](int32_t a, int32_t b) { return BitTest(a, b, false); }, nullptr, nullptr},
};

}  // namespace

int FindComparison(std::string_view name) {
  for (int i = 0; i < SCRIPT_NUM_OF_COMPARISONS; ++i) {
    if (kComparisons[i].name == name) return i;
  }
  return -1;
}

const Comparison& ComparisonAt(int index) { return kComparisons[index]; }

}  // namespace zd::script
