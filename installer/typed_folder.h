// Folders pass through the installer's boxes in code page 1253, which cannot hold every letter
// a folder on disk may have ("josé" comes back as "jos?"). These map what a box gave back to
// the folder on disk again, instead of to a folder that does not exist.
#pragma once

#include <optional>
#include <string>

namespace zd::install {

// The folder the user left in an edit box that showed `shownUtf8` (converted to code page
// 1253): the parts that still read as shown keep their original letters, the rest is taken as
// typed. nullopt when the typed part holds a letter the box could not hold (the "?" the
// conversion put in its place): there is no telling which folder the user meant.
std::optional<std::string> FolderFromEditText(const std::string& shownUtf8,
                                              const std::string& edited1253);

// A folder picked in the folder dialog, whose path comes back in code page 1253: the folder on
// disk (UTF-8) it names, each "?" in it standing for one letter the code page lacks. A path
// without such letters is returned as it is (converted), found or not. nullopt when the path
// holds a "?" and no folder, or more than one, matches it.
std::optional<std::string> FolderFromDialogPath(const std::string& path1253);

}  // namespace zd::install
