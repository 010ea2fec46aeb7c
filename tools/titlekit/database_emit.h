// Databases as descriptions: the model back into the JSON that database_description.h reads.
#pragma once

#include "titlekit/database_model.h"
#include "titlekit/json_fields.h"

namespace zd::titlekit {

enum class DatabaseForm {
  Exact,   // everything: records, pictures as bytes, offsets and counts given, whole files
  Schema,  // the fields and the record layout only, for a database whose records go to CSV
};

Json DatabaseToJson(const Database& database, DatabaseForm form);

// The value of one record's cell as a description gives it: its natural form when that makes
// the same bytes again, else {"hex": ...}.
Json CellDescription(const DatabaseField& field, const DatabaseCell& cell);

}  // namespace zd::titlekit
