// Finding a program a title asks to start. A title is data from a CD or a download, so the
// program must lie inside the title's own directory tree and be a Windows program; the machine's
// own programs and scripts are never started for a title.
#pragma once

#include <string>
#include <string_view>

namespace zd::platform {

enum class ProgramCheck {
  Found,
  Outside,            // above or beside the title directory, or named by an absolute path
  NotWindowsProgram,  // not .EXE, .COM or .BAT, or a native program or script under that name
  NotFound,
};

struct TitleProgram {
  ProgramCheck check = ProgramCheck::NotFound;
  std::string diskPath;  // Found: the program's real path (UTF-8), symbolic links resolved
};

// Looks `program` (a title path: code page 1253, "\" or "/" separators, any letter case) up
// below `titleDirectory` (code page 1253). The program must stay inside the title's directory
// tree with ".." and symbolic links resolved, be a regular file whose name (and the name of the
// file a link leads to) ends in .EXE, .COM or .BAT in any case, and must not begin as a native
// program or script does; a .EXE must begin as Windows programs do ("MZ").
TitleProgram FindTitleProgram(std::string_view titleDirectory, std::string_view program);

}  // namespace zd::platform
