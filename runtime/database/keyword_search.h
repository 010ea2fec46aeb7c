// The keyword search: one condition (a page, a keyword field and a keyword) set by a keyword
// hotspot or by `tokensearch`, which narrows the records a database list shows to those whose
// keyword field holds the keyword.
#pragma once

#include <cstdint>
#include <optional>

#include "base/byte_view.h"

namespace zd {

class Database;
class Runtime;

struct KeywordCondition {
  uint32_t page = 0;     // the page's place in the title's page list
  uint16_t field = 0;    // a keyword field of whatever database the list reads
  int32_t keyword = -1;  // -1: any keyword
};

constexpr uint16_t kNoKeywordPage = 65535;

class KeywordSearch {
 public:
  explicit KeywordSearch(Runtime& runtime) : runtime_(runtime) {}

  // A new condition replaces the one held.
  void AddKeywordCondition(uint32_t page, uint16_t field, int32_t keyword);
  // Drops the condition and forgets the keyword page.
  void ResetKeywordConditions();
  const std::optional<KeywordCondition>& condition() const { return condition_; }
  uint16_t searchPage() const { return searchPage_; }

  // A keyword hotspot of the current page was clicked: the page's keyword event goes to the
  // hotspot's target, and on the keyword page the hotspot's keyword becomes the condition.
  void KeywordHotspotClicked(uint32_t ordinal, int32_t keyword);

  // True when `record` (the bytes of one record of `database`) passes the condition. A field
  // the open database does not have matches nothing.
  bool RecordMatchesKeywords(const Database& database, ByteView record) const;

 private:
  Runtime& runtime_;
  std::optional<KeywordCondition> condition_;
  uint16_t searchPage_ = kNoKeywordPage;
};

}  // namespace zd
