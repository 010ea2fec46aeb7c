// The desktop's installed applications and its default web browser, found through the XDG
// folders (applications/ under the data folders, mimeapps.list in the configuration and data
// folders). The folders come from the environment given, so tests can use temporary ones.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "weblink/desktop_entry_reader.h"

namespace zd {

struct XdgFolders {
  std::string configHome;               // $XDG_CONFIG_HOME, or ~/.config
  std::vector<std::string> configDirs;  // $XDG_CONFIG_DIRS, or /etc/xdg
  std::string dataHome;                 // $XDG_DATA_HOME, or ~/.local/share
  std::vector<std::string> dataDirs;    // $XDG_DATA_DIRS, or /usr/local/share:/usr/share
};

// Relative entries are ignored, as the base-directory rules say.
XdgFolders XdgFoldersFromEnvironment(const std::function<const char*(const char*)>& lookup);

// A desktop file found under an applications folder: its desktop-file id ("org.x.Web.desktop",
// folders below applications/ joined by "-") and its path.
struct DesktopFile {
  std::string id;
  std::string path;
};

// Every desktop file, in id order; an id found in an earlier folder hides the same id later.
std::vector<DesktopFile> ListDesktopFiles(const XdgFolders& folders);

// The desktop file with that id, from the first folder that has it: looked for directly in
// each applications folder, then in `listed` (ListDesktopFiles' answer, walked once by the
// caller however many ids it asks for) for ids of files in folders below.
std::optional<std::string> FindDesktopFile(const XdgFolders& folders,
                                           const std::vector<DesktopFile>& listed,
                                           std::string_view id);

// mimeapps.list names at most this many ids for a type; more are ignored, so that a long list
// cannot make the first web link wait on reading hundreds of files.
constexpr size_t kMaxDefaultApplicationIds = 32;

// The desktop-file ids mimeapps.list files give as the default for `mimeType`, in the order the
// rules say they are tried, at most kMaxDefaultApplicationIds of them.
std::vector<std::string> DefaultApplicationIds(const XdgFolders& folders, std::string_view mimeType);

// A whole file of at most `maxBytes`; nullopt when it is missing, unreadable, not a regular
// file or larger.
std::optional<std::string> ReadSmallFile(const std::string& path, size_t maxBytes);

// The entry at `path` when it is one a browser can be started from: an Application that is not
// hidden, whose TryExec program is installed and whose Exec line could be read.
std::optional<DesktopEntry> LoadStartableEntry(const std::string& path);

// Where a command's program is: a path with "/" must be an absolute path to an executable
// regular file; a bare name is looked up on PATH. Empty when not found.
std::string ResolveProgram(std::string_view program);

bool IsExecutableFile(const std::string& path);

}  // namespace zd
