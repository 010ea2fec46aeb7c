// The names descriptions and zdinfo give to numbers in title data: object types, event kinds,
// tools, and the bits of each flags word.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace zd::titlekit {

struct NameValue {
  const char* name;
  uint32_t value;
};
using NameTable = std::span<const NameValue>;

extern const NameTable kObjectTypeNames;
extern const NameTable kEventKindNames;
extern const NameTable kToolNames;
extern const NameTable kPlotActionNames;
// Flag tables: each value is one bit.
extern const NameTable kObjectFlagNames;
extern const NameTable kPageFlagNames;
extern const NameTable kTextFlagNames;
extern const NameTable kMovieFlagNames;
extern const NameTable kSectionFlagNames;
extern const NameTable kToolboxFlagNames;
extern const NameTable kActivityNames;
extern const NameTable kKeyNames;

std::optional<uint32_t> ValueOf(NameTable table, std::string_view name);
const char* NameOf(NameTable table, uint32_t value);  // nullptr when the table has none
// "rectangle", or the number in decimal for values without a name.
std::string NameOrNumber(NameTable table, uint32_t value);
// "visible timed 0x400": the named bits, then the other bits as one number; "-" for none.
std::string FlagWords(NameTable table, uint32_t value);

}  // namespace zd::titlekit
