// Where the player keeps what outlives a run: the settings file in the user's configuration
// folder and the learner's saves in the data folder, one folder per title, following the XDG
// base-directory rules. Every file is written atomically, and a name a title gives can never
// leave its folder.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "base/trace.h"

namespace zd::platform {

struct SaveFolders {
  std::string settings;   // $XDG_CONFIG_HOME/zendral (UTF-8, no trailing "/")
  std::string savesRoot;  // $XDG_DATA_HOME/zendral
  std::string pictures;   // screenshots: $XDG_PICTURES_DIR, the desktop's pictures folder, or home
};

// The folders from the environment: $XDG_CONFIG_HOME and $XDG_DATA_HOME when they hold
// absolute paths (relative ones are ignored, as the rules say), ~/.config and ~/.local/share
// otherwise; pictures from $XDG_PICTURES_DIR, then user-dirs.dirs in the configuration
// folder, then the home folder. `lookup` reads a variable (std::getenv in the player).
SaveFolders SaveFoldersFromEnvironment(const std::function<const char*(const char*)>& lookup);

// The user's home folder: $HOME when it holds an absolute path, else the password database's,
// else "/tmp"; without a trailing "/".
std::string HomeFolder(const std::function<const char*(const char*)>& lookup);
// An XDG base folder: `variable` when it holds an absolute path, else the home folder followed by
// `besideHome` ("/.config"); without a trailing "/".
std::string XdgFolder(const std::function<const char*(const char*)>& lookup, const char* variable,
                      const char* besideHome);

class SaveStore {
 public:
  // `trace` (may be null) gets a "file written PATH" line for every file written.
  SaveStore(SaveFolders folders, const Trace* trace);

  const std::string& SettingsFolder() const { return folders_.settings; }
  const std::string& PicturesFolder() const { return folders_.pictures; }
  // $XDG_DATA_HOME/zendral/APPNAME for a title application name (code page 1253, "!MOSS");
  // nullopt for a name that cannot be one folder's name.
  std::optional<std::string> SavesFolder(std::string_view appName1253) const;

  // The file a name (code page 1253, "\" or "/" between folders, any letter case) gives inside
  // `folder`; nullopt for empty and absolute names, drive letters and "..".
  std::optional<std::string> PathInside(const std::string& folder, std::string_view name1253) const;

  // Writes a file inside `folder`, making the folders it needs.
  bool Write(const std::string& folder, std::string_view name1253, std::string_view bytes,
             std::string& error);
  std::optional<std::string> Read(const std::string& folder, std::string_view name1253) const;
  // Makes a folder and its parents (UTF-8 path on disk).
  static bool MakeFolders(const std::string& diskPath, std::string& error);

 private:
  SaveFolders folders_;
  const Trace* trace_;
};

}  // namespace zd::platform
