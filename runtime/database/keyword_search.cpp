#include "database/keyword_search.h"

#include "database/database.h"
#include "runtime.h"

namespace zd {

void KeywordSearch::AddKeywordCondition(uint32_t page, uint16_t field, int32_t keyword) {
  condition_ = KeywordCondition{page, field, keyword};
  runtime_.trace.Line(TraceCategory::Data, "keyword condition " + std::to_string(page) + " " +
                                               std::to_string(field) + " " +
                                               std::to_string(keyword));
}

void KeywordSearch::ResetKeywordConditions() {
  if (condition_ || searchPage_ != kNoKeywordPage) {
    runtime_.trace.Line(TraceCategory::Data, "keyword reset");
  }
  condition_.reset();
  searchPage_ = kNoKeywordPage;
}

void KeywordSearch::KeywordHotspotClicked(uint32_t ordinal, int32_t keyword) {
  Pages& pages = runtime_.pages;
  const uint32_t base = pages.FireEvent(event_kind::KEYWORD, 0);
  if (base == kNone) return;
  const auto page = pages.currentPage();
  if (page) {
    const AuthorfileImage& image = runtime_.titleFiles.image();
    const uint16_t keywordPage = image.U16(page->offset + page_record::kKeywordPage).value_or(0);
    if (searchPage_ == kNoKeywordPage) searchPage_ = keywordPage;
    if (keywordPage == searchPage_) {
      const uint16_t field = image.U16(page->offset + page_record::kKeywordField).value_or(0);
      AddKeywordCondition(page->number, field, keyword);
    }
  }
  pages.GotoTarget(base + ordinal - 1, event_kind::KEYWORD);
}

bool KeywordSearch::RecordMatchesKeywords(const Database& database, ByteView record) const {
  if (!condition_) return true;
  if (condition_->field >= database.FieldCount()) return false;
  const FieldDescriptor& field = database.GetFieldDescriptor(condition_->field);
  const auto bits = record.U32(field.recordOffset);
  if (!bits) return false;
  if (condition_->keyword == -1) return *bits != 0;
  return (*bits >> (condition_->keyword & 31)) & 1u;
}

}  // namespace zd
