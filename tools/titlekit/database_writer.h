// Writes a described database as the six files of its folder (DESCRIBE, DATA, EXPLAIN, TOKEN,
// FREETEXT, GRAPHICS), laid out the way docs/database-format.md shows.
#pragma once

#include <cstdint>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "titlekit/database_model.h"

namespace zd::titlekit {

// Where the writer puts things when the description does not say.
struct DatabaseLayout {
  std::vector<uint32_t> fieldOffsets;    // each field's value in a record
  std::vector<uint32_t> explainOffsets;  // each field's explain text in EXPLAIN (0: none)
  std::vector<uint32_t> extraOffsets;    // units or labels in DESCRIBE, keywords in TOKEN
  uint32_t recordLength = 0;
  uint32_t explainOffset = 0;  // the database's own explain text
};
DatabaseLayout LayOutDatabase(const Database& database);

// The files by name, after "files", "truncate" and "omit" have had their say (an omitted file
// is absent). Throws DescriptionError (placed in the database's description) when a count does
// not fit its word.
std::map<std::string, std::string> DatabaseFileBytes(const Database& database);

}  // namespace zd::titlekit
