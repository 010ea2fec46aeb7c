#include "database/database.h"

#include "base/seam.h"
#include "runtime.h"

namespace zd {

void Database::LoadDateNames() { TraceSeam(runtime_.trace, "database.date-names"); }
void Database::BuildTables() { TraceSeam(runtime_.trace, "database.tables"); }
void Database::ReleaseKeywordConditions() {
  TraceSeam(runtime_.trace, "database.release-keyword-conditions");
}

}  // namespace zd
