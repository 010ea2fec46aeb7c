#include "titlekit/format_names.h"

#include <cstdio>

namespace zd::titlekit {
namespace {

constexpr NameValue kObjectTypes[] = {
    {"rectangle", 0},       {"hotspot", 1},        {"sprite", 2},
    {"drawing", 3},         {"text", 4},           {"styledTextResource", 5},
    {"recordDisplay", 9},   {"database", 10},      {"fieldDisplay", 11},
    {"movie", 15},          {"animation", 16},     {"sound", 17},
    {"area", 18},           {"choiceList", 19},    {"keywordHotspot", 20},
    {"noAction", 21},
};
constexpr NameValue kEventKinds[] = {
    {"keypress", 0}, {"hotspot", 1}, {"timeout", 2}, {"instant", 3},
    {"escape", 4},   {"finish", 5},  {"special", 6}, {"keyword", 7},
};
constexpr NameValue kTools[] = {
    {"calculator", 0}, {"stopwatch", 1}, {"pencil", 2},    {"notepad", 3},  {"tape", 4},
    {"compass", 5},    {"eraser", 6},    {"printPage", 7}, {"findText", 8},
};
constexpr NameValue kPlotActions[] = {{"copy", 0}, {"or", 1}, {"and", 2}, {"xor", 3}};
constexpr NameValue kObjectFlags[] = {
    {"visible", 0x1},        {"timed", 0x2},      {"attached", 0x4},
    {"drawn", 0x10},         {"closed", 0x20},    {"overlayHidden", 0x40},
    {"triggered", 0x80},     {"listEmpty", 0x800}, {"notDrawn", 0x1000},
};
constexpr NameValue kPageFlags[] = {{"full", 0x1}, {"back", 0x20}};
constexpr NameValue kTextFlags[] = {
    {"indent", 0x2}, {"frame", 0x4}, {"centre", 0x8}, {"middle", 0x10}, {"fill", 0x20},
    {"right", 0x200},
};
constexpr NameValue kMovieFlags[] = {
    {"wholePage", 0x1}, {"sound", 0x2}, {"controller", 0x4}, {"hideController", 0x8},
};
constexpr NameValue kSectionFlags[] = {{"findable", 0x4}, {"link", 0x8}, {"alias", 0x40}};
constexpr NameValue kToolboxFlags[] = {{"noIcon", 0x1}};
constexpr NameValue kActivity[] = {{"running", 0x1}, {"finished", 0x2}};
constexpr NameValue kKeys[] = {{"space", 0x1}, {"return", 0x2}, {"anyKey", 0x4}};

}  // namespace

const NameTable kObjectTypeNames{kObjectTypes};
const NameTable kEventKindNames{kEventKinds};
const NameTable kToolNames{kTools};
const NameTable kPlotActionNames{kPlotActions};
const NameTable kObjectFlagNames{kObjectFlags};
const NameTable kPageFlagNames{kPageFlags};
const NameTable kTextFlagNames{kTextFlags};
const NameTable kMovieFlagNames{kMovieFlags};
const NameTable kSectionFlagNames{kSectionFlags};
const NameTable kToolboxFlagNames{kToolboxFlags};
const NameTable kActivityNames{kActivity};
const NameTable kKeyNames{kKeys};

std::optional<uint32_t> ValueOf(NameTable table, std::string_view name) {
  for (const NameValue& entry : table) {
    if (name == entry.name) return entry.value;
  }
  return std::nullopt;
}

const char* NameOf(NameTable table, uint32_t value) {
  for (const NameValue& entry : table) {
    if (entry.value == value) return entry.name;
  }
  return nullptr;
}

std::string NameOrNumber(NameTable table, uint32_t value) {
  const char* name = NameOf(table, value);
  return name ? std::string(name) : std::to_string(value);
}

std::string FlagWords(NameTable table, uint32_t value) {
  std::string out;
  uint32_t rest = value;
  for (const NameValue& entry : table) {
    if (value & entry.value) {
      if (!out.empty()) out += ' ';
      out += entry.name;
      rest &= ~entry.value;
    }
  }
  if (rest) {
    char number[16];
    std::snprintf(number, sizeof number, "0x%X", rest);
    if (!out.empty()) out += ' ';
    out += number;
  }
  return out.empty() ? "-" : out;
}

}  // namespace zd::titlekit
