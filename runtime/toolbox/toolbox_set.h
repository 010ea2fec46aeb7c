// A page's toolbox set: which tools the page offers and where its toolbox icon sits. The set
// is title data, read through bounds checks: a set that cannot be walked safely is refused as
// a whole and the page then offers no toolbox.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "base/byte_view.h"
#include "title/page_object.h"

namespace zd {

// Offsets within a toolbox set and within each of its tool entries.
namespace toolbox_set {
constexpr size_t kCount = 4, kBox = 8, kFlags = 24, kFirstEntry = 32;
constexpr size_t kEntryTool = 4, kEntryLength = 8, kEntryMinimum = 12;
constexpr uint32_t NO_ICON = 1u << 0;
}  // namespace toolbox_set

constexpr int kToolCount = 9;  // tool numbers 0 to 8

struct ToolboxSet {
  TitleBox box;            // title units, as page object boxes
  uint32_t flags = 0;
  std::vector<int> tools;  // the entries' tool numbers, in set order

  bool showsIcon() const { return (flags & toolbox_set::NO_ICON) == 0; }
  bool Holds(int tool) const;
};

// The set at `offset` inside `record` (the page record's bytes). nullopt when it cannot be
// read: a header past the record, an entry of length 0 (which would never end the walk), an
// entry that leaves the record, or a tool number above 8. `why` then says which.
std::optional<ToolboxSet> ReadToolboxSet(ByteView record, size_t offset, std::string* why = nullptr);

// Where the 32x32 toolbox icon stands on the page: centred in the set's box, in page pixels.
Rect ToolboxIconRect(const TitleBox& box);

}  // namespace zd
