// The command a title's launcher runs: the player, the leading options of the install list's
// block, the save-and-resume folder when the block asks for it, and the title's authorfile on
// the CD. Also the checks for names the install list gives.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "installer/install_list.h"

namespace zd::install {

// Whether a name of the install list (code page 1253) is a bare file name: not empty, no
// folder separators, no drive, no control characters, not hidden (a leading ".") and not
// taken for an option (a leading "-").
bool IsBareName(std::string_view name1253);

// A path of the install list relative to a folder ("\!pond\", "ActShts\run.exe"): its
// components without "." and empty ones; nullopt when one climbs ("..") or names a drive.
std::optional<std::vector<std::string>> RelativeComponents(std::string_view path1253);

struct LauncherPlaces {
  std::string playerPath;       // zd32 (UTF-8)
  std::string sourceDirectory;  // the CD's PC folder (UTF-8); its parent is the CD root
  std::string installDirectory; // UTF-8
  bool saveAndResume = false;
};

// The arguments (the player first). nullopt with `problem` naming the bad value when the
// block's `path` would leave the CD. Words of `command` the player would take as the
// installer's own business (long options such as "--run-script", and "-e" with its folder,
// which only the installer gives) are left out and listed in `refusedWords` (UTF-8).
std::optional<std::vector<std::string>> TitleLauncherArguments(
    const InstallBlock& block, const LauncherPlaces& places, std::string& problem,
    std::vector<std::string>* refusedWords = nullptr);

// The folder above `path` (UTF-8, absolute): "/" for a folder at the top.
std::string ParentFolder(const std::string& path);

}  // namespace zd::install
