// The status tree: the folder below which a title's status and variable files live, and the
// names inside it. With "-E DIR" the root is that folder, its components found without regard
// to letter case as title paths are; otherwise it is the player's saves folder for the title's
// application name ($XDG_DATA_HOME/zendral/APPNAME). Names inside it are built here and never
// leave it.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace zd::script {

class StatusRoot {
 public:
  StatusRoot() = default;
  // `overrideDirectory`: the -E folder as given (code page 1253); `savesFolder`: the saves
  // folder on disk (UTF-8), used when there is no -E folder.
  static StatusRoot FromOverrideDirectory(std::string overrideDirectory1253);
  static StatusRoot FromSavesFolder(std::string savesFolderOnDisk);

  bool set() const { return kind_ != Kind::None; }
  // The file or folder a relative name ("Scripts\Status3\Quiz.ZDS", any letter case) names on
  // disk; nullopt without a root or for a name that would leave it.
  std::optional<std::string> DiskPath(std::string_view relative1253) const;
  // Makes a folder below the root and the folders above it (the root too).
  bool MakeFolders(std::string_view relativeFolder1253) const;

 private:
  enum class Kind { None, Override, Saves };
  Kind kind_ = Kind::None;
  std::string folder_;
};

// The file a status name gives below the root: "Quiz:3" gives "Scripts\Status3\Quiz.ZDS",
// "LongFileName" gives "Scripts\Status\LongFile.ZDS". NAME is kept to a bare name and N to
// a number, so the result is always inside the tree; empty for a name that leaves no file
// name ("..:1", "*").
std::string StatusPathFromName(std::string_view name);

// A script dialog's "NAME:N" argument: its starting folder below the root ("SCRIPTS\STATUS"
// or "SCRIPTS\VARS" followed by N) and the proposed file name (NAME + ".ZDS" or ".ZDV").
struct DialogPlace {
  std::string folder;
  std::string proposedName;
};
DialogPlace DialogPlaceFromArgument(std::string_view argument, std::string_view baseFolder,
                                    std::string_view extension);

}  // namespace zd::script
