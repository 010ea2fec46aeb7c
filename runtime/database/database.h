// The title's flat-file databases, their selection, keyword search and dates.
#pragma once

#include <cstdint>

namespace zd {

class Canvas;
class Runtime;
struct Rect;

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
  // Draws a record display, field display or keyword hotspot (by page-order index).
  void DrawDisplay(Canvas& canvas, const Rect& box, const Rect& visible, int object) const;

 private:
  Runtime& runtime_;
};

}  // namespace zd
