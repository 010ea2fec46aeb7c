#include "database/database.h"

#include "base/seam.h"
#include "runtime.h"

namespace zd {

// Month and weekday names are read from the string table where dates use them (dates.cpp):
// it is built into the program, so there is nothing to load at start-up.
void Database::LoadDateNames() {}
void Database::BuildTables() { TraceSeam(runtime_.trace, "database.tables"); }
void Database::OpenDatabaseObject(int object) {
  TraceSeam(runtime_.trace, "database.open " + std::to_string(object));
}
void Database::CloseDatabaseObject(int object) {
  TraceSeam(runtime_.trace, "database.close " + std::to_string(object));
}
void Database::CloseChoiceList() {}
void Database::PageHasKeywordHotspot(uint32_t) {}
bool Database::KeywordSearchPageIs(uint32_t) const { return false; }
void Database::ResetKeywordConditions() {}
void Database::KeywordHotspotClicked(int object, uint32_t ordinal) {
  TraceSeam(runtime_.trace, "database.keyword-click " + std::to_string(object) + " " +
                                std::to_string(ordinal));
}
void Database::DrawDisplay(Canvas&, const Rect&, const Rect&, int object) const {
  TraceSeam(runtime_.trace, "database.draw " + std::to_string(object));
}
void Database::ReleaseKeywordConditions() {
  TraceSeam(runtime_.trace, "database.release-keyword-conditions");
}

}  // namespace zd
