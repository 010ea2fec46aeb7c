// Database descriptions (docs/database-format.md) read from JSON: fields, records given in the
// description or in a CSV file, pictures, and the members that make malformed files on request.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "titlekit/database_model.h"
#include "titlekit/json_fields.h"

namespace zd::titlekit {

// A database object; `baseDir` is where "csv" and picture paths are taken from. Throws
// DescriptionError naming the member at fault.
Database ParseDatabase(const Json& json, const std::string& where, const std::filesystem::path& baseDir);

// The "databases" list of the several-titles form: database objects with "folder" (default
// "ravel") and "name".
std::vector<DatabaseFolder> ParseDatabaseFolders(const Json& json, const std::string& where,
                                                 const std::filesystem::path& baseDir);

}  // namespace zd::titlekit
