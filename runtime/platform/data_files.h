// The player's data files (the messages files, TOOLICON.PNT): found beside the program, as the
// build tree has them, and then in the installed data folder "../share/zendral/" next to the
// program's "bin" folder, so that an installed player finds them wherever it was installed.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace zd::platform {

// The folders searched, in order, for a program living in `programDirectory` (ending in "/").
std::vector<std::string> DataFolders(const std::string& programDirectory);

// The first regular file called `name` in one of DataFolders(programDirectory); a file whose
// name differs only in ASCII case is taken when that folder has no exact one. `name` is one plain
// file name: one with a slash or one that is "." or ".." finds nothing.
std::optional<std::string> FindDataFile(const std::string& name,
                                        const std::string& programDirectory);

// The same for the running program (ProgramDirectory()).
std::optional<std::string> FindDataFile(const std::string& name);

}  // namespace zd::platform
