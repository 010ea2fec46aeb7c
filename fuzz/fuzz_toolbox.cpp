// Toolbox data: the bytes as a page record holding a toolbox set (read at its start and at the
// offset its first word names), its tools looked up and its menu built; and as a "TOOLICON.PNT"
// file, decoded and stretched into the 32x32 icon.
#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

#include "graphics/colour_match.h"
#include "toolbox/tool_menu.h"
#include "toolbox/tool_table.h"
#include "toolbox/toolbox_icon.h"
#include "toolbox/toolbox_set.h"

namespace {

void ExerciseSet(zd::ByteView record, size_t offset) {
  std::string why;
  const auto set = zd::ReadToolboxSet(record, offset, &why);
  if (!set) return;
  static const std::array<std::string, zd::kToolCount> texts = {"a", "b", "c", "d", "e",
                                                                "f", "g", "h", "i\tF2"};
  std::array<bool, zd::kToolCount> open{};
  for (int tool : set->tools) open[size_t(tool)] = !open[size_t(tool)];
  const auto menu = zd::BuildToolMenu(*set, texts, open, -64, 48);
  for (const auto& item : menu.items) {
    if (zd::ToolOfMenuCommand(item.id) < 0) __builtin_trap();
  }
  zd::ToolboxIconRect(set->box);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const zd::ColourMatcher colours;
  const zd::ByteView bytes(data, size);
  ExerciseSet(bytes, 0);
  if (const auto offset = bytes.U32(0)) ExerciseSet(bytes, *offset);
  // Link names come from 12-byte fields of the same data.
  if (const auto name = bytes.FixedText(0, 12)) zd::FindToolByName(*name);
  if (const auto icon = zd::IconFromSpriteFile(bytes, colours)) {
    if (icon->size() != size_t(zd::kToolboxIconSide) * zd::kToolboxIconSide * 4) __builtin_trap();
  }
  return 0;
}
