// Database folders read back into descriptions: the six files through the player's own checks
// of their layout (database_layout.h), then into the model zdbuild writes from, with whatever
// the model cannot say kept as the files' own bytes.
#pragma once

#include <filesystem>
#include <map>
#include <optional>
#include <string>

#include "titlekit/database_model.h"
#include "titlekit/title_model.h"

namespace zd::titlekit {

using DatabaseFileSet = std::map<std::string, std::string>;  // "DESCRIBE" ... by name

// The six files of a folder, found without regard to letter case; absent files are left out.
DatabaseFileSet ReadDatabaseFileSet(const std::filesystem::path& folder);

// The database the files hold, or nullopt with the player's reason in `fault` when they are
// malformed (DESCRIBE unreadable, an offset or count leading out of its file). With `exact`,
// the model writes back the very same files: file bytes the fields and records do not give
// back are kept in "files", missing files in "omit".
std::optional<Database> ReadDatabase(const DatabaseFileSet& files, bool exact, std::string& fault);

// Database folders among a title's files (res<d>/res<n>/DESCRIBE and its companions, named as
// zdbuild names them) become database resources when their description makes the same files
// again; the rest stay files.
void DescribeDatabaseResources(Title& title);

}  // namespace zd::titlekit
