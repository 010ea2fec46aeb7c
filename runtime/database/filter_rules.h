// The combine rules and the tests a filter is built from, by the names scripts give them, with
// the order and sort offsets titles rely on.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

#include "database/dates.h"

namespace zd {

// How a filter's result joins the group of filters on its field, in registration order.
enum class CombineRule : uint8_t { And, Or, Exor, Include, Exclude, ExcludeNp };
// The tests, in registration order.
enum class FilterTest : uint8_t {
  AtMost,
  Equal,
  NotEqual,
  Above,
  AtLeast,
  Below,
  Contains,
  NotContains,
  Range,
  NotRange
};

// Exact names (the caller upper-cases); nullopt for names no rule or test has.
std::optional<CombineRule> FindCombineRule(std::string_view name);
std::optional<FilterTest> FindFilterTest(std::string_view name);
std::string_view NameOf(CombineRule rule);
std::string_view NameOf(FilterTest test);
// 1, or 2 for the range tests.
int ValueCount(FilterTest test);

// On its field, a filter sorts after the others when its rule has the offset: "AND" and
// "EXCLUDE" filters are evaluated after the "OR", "EXOR", "INCLUDE" and "EXCLUDENP" ones.
bool SortsLate(CombineRule rule);
// The group's value after a filter whose test gave `passed`; `first` for a group's first filter.
bool Combine(CombineRule rule, bool first, bool group, bool passed);

// Flag bit values: for dates which parts to ignore; for texts case, whole words, wildcards;
// for integers whether "CONTAINS" wants every bit of the value.
namespace filter_flags {
constexpr uint32_t kIgnoreDay = 1, kIgnoreMonth = 2, kIgnoreYear = 4;
constexpr uint32_t kIgnoreCase = 1, kWholeWords = 2, kWildcards = 4;
constexpr uint32_t kAllBits = 1;
}  // namespace filter_flags

bool TestInteger(FilterTest test, uint32_t flags, int32_t x, int32_t a, int32_t b);
// Reals compare in the width the field keeps: a 32-bit field's value against the filter's
// values rounded to 32 bits, so "== 47.87" finds the 47.87 a field stores.
bool TestReal(FilterTest test, float x, float a, float b);
// Texts: `x` and the values already folded when the case flag asks for it.
bool TestText(FilterTest test, uint32_t flags, std::string_view x, std::string_view a,
              std::string_view b);
bool TestDate(FilterTest test, uint32_t flags, const DateValue& x, const DateValue& a,
              const DateValue& b);

}  // namespace zd
