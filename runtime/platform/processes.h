// Starting programs a title names: the command line is split as a Windows program would split
// its own, and the program is started directly (never through a shell), not waited for.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace zd::platform {

// The arguments of a Windows command line, by the rules of the C runtime's start-up code:
// blanks and tabs separate; double quotes group (and are dropped); 2n backslashes before a
// quote give n backslashes, 2n+1 give n and a literal quote; other backslashes are literal.
std::vector<std::string> SplitWindowsCommandLine(std::string_view line);

// Where `name` is found in the absolute directories of PATH, or empty.
std::string FindOnPath(std::string_view name);

// Starts `arguments` (the program's disk path first) with posix_spawn, inheriting no
// descriptors beyond the standard ones, and does not wait. 0 when it started, otherwise the
// errno value that says why not (ENOENT, EACCES, ENOEXEC, ...). A program not named by an
// absolute path is not started (ENOENT).
// `startedPid` (may be null) receives the started process's id.
int SpawnProgram(const std::vector<std::string>& arguments, int* startedPid = nullptr);

// Collects those of `pids` that have ended (without waiting) and drops them from the list.
void ReapFinishedPrograms(std::vector<int>& pids);

}  // namespace zd::platform
