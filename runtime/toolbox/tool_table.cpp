#include "toolbox/tool_table.h"

#include <algorithm>
#include <array>

#include "toolbox/toolbox_set.h"

namespace zd {
namespace {

constexpr std::array<std::string_view, kToolCount> kLinkNames = {
    "~TCalc", "~TStopW", "~TPencil", "~TNoteP", "~TTape", "~TComp", "~TEraser", "~TScrDmp",
    "~TFindT"};

// Trigger and link names are 12-character fields.
constexpr size_t kNameWidth = 12;

}  // namespace

std::string_view ToolLinkName(int tool) {
  return tool >= 0 && tool < kToolCount ? kLinkNames[size_t(tool)] : std::string_view();
}

bool ToolOffered(int tool) {
  return tool >= 0 && tool < kToolCount && tool != tool::PENCIL && tool != tool::ERASER;
}

int FindToolByName(std::string_view name) {
  // A name field ends at its first NUL or after 12 characters.
  const std::string_view cut = name.substr(0, std::min(kNameWidth, name.find('\0')));
  for (int t = 0; t < kToolCount; ++t) {
    if (ToolOffered(t) && kLinkNames[size_t(t)] == cut) return t;
  }
  return -1;
}

}  // namespace zd
