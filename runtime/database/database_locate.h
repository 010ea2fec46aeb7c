// Where `opendata` finds a database: beside the title directories, in "database\ravel" or a
// numbered "ravel" folder, by the database's name.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace zd {

// The folder path, as titles write paths, of the database `name` ("CITIES", or "CITIES: 2"
// for the folder ravel2) beside `titleDirectory`. When no folder of that name holds a
// DESCRIBE, the first folder (in sorted order, letter case ignored) whose name differs from
// it only in the first character is taken. nullopt when there is none, or when the name
// would lead out of its folder.
std::optional<std::string> LocateDatabase(std::string_view titleDirectory, std::string_view name,
                                          const std::string& overrideDirectory);

}  // namespace zd
