#include "database/filter_rules.h"

#include <array>

#include "database/word_matcher.h"

namespace zd {
namespace {

constexpr std::array<std::string_view, 6> kRuleNames = {"AND",     "OR",      "EXOR",
                                                        "INCLUDE", "EXCLUDE", "EXCLUDENP"};
constexpr std::array<std::string_view, 10> kTestNames = {
    "<=", "==", "!=", ">", ">=", "<", "CONTAINS", "!CONTAINS", "RANGE", "!RANGE"};

// The comparison tests over any ordering: `order` is x against a (and `orderB` x against b),
// negative, zero or positive.
bool Ordered(FilterTest test, int order, int orderB) {
  switch (test) {
    case FilterTest::AtMost:
      return order <= 0;
    case FilterTest::Equal:
      return order == 0;
    case FilterTest::NotEqual:
      return order != 0;
    case FilterTest::Above:
      return order > 0;
    case FilterTest::AtLeast:
      return order >= 0;
    case FilterTest::Below:
      return order < 0;
    case FilterTest::Contains:
      return order == 0;
    case FilterTest::NotContains:
      return order != 0;
    case FilterTest::Range:
      return order >= 0 && orderB <= 0;
    case FilterTest::NotRange:
      return order < 0 || orderB > 0;
  }
  return false;
}

template <typename T>
int Order(T x, T a) {
  return x < a ? -1 : (a < x ? 1 : 0);
}

// A real that is not a number is unordered: it is neither equal to, before nor after anything.
template <typename T>
bool TestRealOf(FilterTest test, T x, T a, T b) {
  switch (test) {
    case FilterTest::AtMost:
      return x <= a;
    case FilterTest::Equal:
    case FilterTest::Contains:
      return x == a;
    case FilterTest::NotEqual:
    case FilterTest::NotContains:
      return x != a;
    case FilterTest::Above:
      return x > a;
    case FilterTest::AtLeast:
      return x >= a;
    case FilterTest::Below:
      return x < a;
    case FilterTest::Range:
      return a <= x && x <= b;
    case FilterTest::NotRange:
      return x < a || x > b;
  }
  return false;
}

int CompareText(std::string_view x, std::string_view a) {
  const int c = x.compare(a);  // char_traits<char> compares as unsigned char, as strcmp does
  return c < 0 ? -1 : (c > 0 ? 1 : 0);
}

}  // namespace

std::optional<CombineRule> FindCombineRule(std::string_view name) {
  for (size_t i = 0; i < kRuleNames.size(); ++i) {
    if (kRuleNames[i] == name) return CombineRule(i);
  }
  return std::nullopt;
}

std::optional<FilterTest> FindFilterTest(std::string_view name) {
  for (size_t i = 0; i < kTestNames.size(); ++i) {
    if (kTestNames[i] == name) return FilterTest(i);
  }
  return std::nullopt;
}

std::string_view NameOf(CombineRule rule) { return kRuleNames[size_t(rule)]; }
std::string_view NameOf(FilterTest test) { return kTestNames[size_t(test)]; }

int ValueCount(FilterTest test) {
  return test == FilterTest::Range || test == FilterTest::NotRange ? 2 : 1;
}

bool SortsLate(CombineRule rule) {
  return rule == CombineRule::And || rule == CombineRule::Exclude;
}

bool Combine(CombineRule rule, bool first, bool group, bool passed) {
  const bool negated = rule == CombineRule::Exclude || rule == CombineRule::ExcludeNp;
  if (first) return negated ? !passed : passed;
  switch (rule) {
    case CombineRule::And:
      return group && passed;
    case CombineRule::Or:
    case CombineRule::Include:
      return group || passed;
    case CombineRule::Exor:
      return group != passed;
    case CombineRule::Exclude:
    case CombineRule::ExcludeNp:
      return group && !passed;
  }
  return false;
}

bool TestInteger(FilterTest test, uint32_t flags, int32_t x, int32_t a, int32_t b) {
  const bool allBits = (flags & filter_flags::kAllBits) != 0;
  const uint32_t both = uint32_t(x) & uint32_t(a);
  switch (test) {
    case FilterTest::Contains:
      return allBits ? both == uint32_t(a) : both != 0;
    case FilterTest::NotContains:
      return allBits ? both != uint32_t(a) : both == 0;
    default:
      return Ordered(test, Order(x, a), Order(x, b));
  }
}

bool TestReal(FilterTest test, float x, float a, float b) { return TestRealOf(test, x, a, b); }

bool TestText(FilterTest test, uint32_t flags, std::string_view x, std::string_view a,
              std::string_view b) {
  if (test == FilterTest::Contains || test == FilterTest::NotContains) {
    // The texts are folded already: the matcher need not fold them again.
    const WordMatchOptions options{false, (flags & filter_flags::kWholeWords) != 0,
                                   (flags & filter_flags::kWildcards) != 0, true};
    const bool found = CountWordMatches(x, a, options) > 0;
    return test == FilterTest::Contains ? found : !found;
  }
  const bool range = test == FilterTest::Range || test == FilterTest::NotRange;
  return Ordered(test, CompareText(x, a), range ? CompareText(x, b) : 0);
}

bool TestDate(FilterTest test, uint32_t flags, const DateValue& x, const DateValue& a,
              const DateValue& b) {
  const bool day = flags & filter_flags::kIgnoreDay, month = flags & filter_flags::kIgnoreMonth,
             year = flags & filter_flags::kIgnoreYear;
  const bool range = test == FilterTest::Range || test == FilterTest::NotRange;
  return Ordered(test, CompareDates(x, a, day, month, year),
                 range ? CompareDates(x, b, day, month, year) : 0);
}

}  // namespace zd
