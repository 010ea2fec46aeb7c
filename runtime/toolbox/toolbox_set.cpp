#include "toolbox/toolbox_set.h"

#include <algorithm>

namespace zd {

bool ToolboxSet::Holds(int tool) const {
  return std::find(tools.begin(), tools.end(), tool) != tools.end();
}

std::optional<ToolboxSet> ReadToolboxSet(ByteView record, size_t offset, std::string* why) {
  const auto refuse = [&](std::string reason) -> std::optional<ToolboxSet> {
    if (why) *why = std::move(reason);
    return std::nullopt;
  };
  if (!record.Contains(offset, toolbox_set::kFirstEntry)) {
    return refuse("the set's header leaves the page record");
  }
  const ByteView set = record.From(offset);
  ToolboxSet result;
  result.box = {*set.I32(toolbox_set::kBox), *set.I32(toolbox_set::kBox + 4),
                *set.I32(toolbox_set::kBox + 8), *set.I32(toolbox_set::kBox + 12)};
  result.flags = *set.U32(toolbox_set::kFlags);

  // The count is only believed as far as entries stand in the record: every entry takes at
  // least one byte, so the walk ends within the record whatever the count says.
  const uint32_t count = *set.U32(toolbox_set::kCount);
  size_t at = toolbox_set::kFirstEntry;
  for (uint32_t i = 0; i < count; ++i) {
    const auto tool = set.U32(at + toolbox_set::kEntryTool);
    const auto length = set.U32(at + toolbox_set::kEntryLength);
    const std::string entry = "entry " + std::to_string(i);
    if (!tool || !length) return refuse(entry + " leaves the page record");
    if (*length == 0) return refuse(entry + " has length 0");
    if (!set.Contains(at, *length)) return refuse(entry + " leaves the page record");
    if (*tool >= kToolCount) return refuse(entry + " names tool " + std::to_string(*tool));
    result.tools.push_back(static_cast<int>(*tool));
    at += *length;
  }
  return result;
}

Rect ToolboxIconRect(const TitleBox& box) {
  // The box in pixels, moved by a quarter of what its size in title units exceeds 64 by: that
  // centres a 32-pixel square in it.
  const Rect pixels = PagePixels(box);
  const int64_t dx = (int64_t(box.x1) - box.x0 - 64) / 4;
  const int64_t dy = (int64_t(box.y1) - box.y0 - 64) / 4;
  const auto clampInt = [](int64_t v) {
    return static_cast<int>(std::clamp<int64_t>(v, -(1 << 24), 1 << 24));
  };
  const int left = clampInt(pixels.left + dx), top = clampInt(pixels.top + dy);
  return {left, top, left + 32, top + 32};
}

}  // namespace zd
