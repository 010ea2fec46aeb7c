// The title's flat-file databases, their selection, keyword search and dates.
#pragma once

#include <cstdint>

namespace zd {

class Runtime;

class Database {
 public:
  explicit Database(Runtime& runtime) : runtime_(runtime) {}

  void LoadDateNames();
  void BuildTables();
  void ReleaseKeywordConditions();
  // Database objects of the page (by page-order index).
  void OpenDatabaseObject(int object);
  void CloseDatabaseObject(int object);
  void CloseChoiceList();
  // Keyword hotspots: their page resets the conditions when the search page differs.
  void PageHasKeywordHotspot(uint32_t keywordPage);
  bool KeywordSearchPageIs(uint32_t pageNumber) const;
  void ResetKeywordConditions();
  void KeywordHotspotClicked(int object, uint32_t ordinal);

 private:
  Runtime& runtime_;
};

}  // namespace zd
