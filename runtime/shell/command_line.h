// The runtime's command line: single-letter options and the authorfile path, in one string as
// the shortcut or the installer wrote it.
#pragma once

#include <string>
#include <string_view>

namespace zd {

struct CommandLine {
  std::string titlePath;          // upper-cased; empty when none was given
  std::string titlePathAsGiven;   // the same word in its original case, for finding it on disk
  std::string overrideDirectory;  // "-E " value, upper-cased; empty when absent
  std::string overrideDirectoryAsGiven;
  bool diagnostics = true;        // "-D " turns them off
  bool spriteCaching = true;      // "-S " turns it off
};

// Options are found anywhere in the upper-cased line, each with its trailing blank. The title
// path is the last blank-separated word unless it is an option or the start of the "-E " value.
// `pathWithBlanks`, when given, is the line's last part taken whole as the path (a quoted
// argument); the options are read from the line before it. `endsWithQuotedValue`: the line's
// last part is a quoted "-E " value holding blanks, taken whole, and there is no path.
CommandLine ParseCommandLine(std::string_view line, std::string_view pathWithBlanks = {},
                             bool endsWithQuotedValue = false);

// "!generic" without a path; otherwise "!" and the name of the authorfile's directory less its
// first character (so "!MOSS" stays "!MOSS" and "_MOSS" or "XMOSS" become "!MOSS").
std::string TitleApplicationName(std::string_view titlePath);

}  // namespace zd
