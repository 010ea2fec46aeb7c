#include "platform/save_store.h"

#include <pwd.h>
#include <unistd.h>

#include <filesystem>

#include "base/cp1253.h"
#include "platform/atomic_file.h"
#include "platform/files.h"

namespace zd::platform {
namespace {

// The pictures folder the desktop names in user-dirs.dirs (XDG_PICTURES_DIR="$HOME/Pictures");
// empty when the file does not name one that exists.
std::string PicturesFolderOfUserDirs(const std::string& configHome, const std::string& home) {
  const auto text = ReadWholeFile(configHome + "/user-dirs.dirs");
  if (!text || text->size() > 64 * 1024) return {};
  constexpr std::string_view kKey = "XDG_PICTURES_DIR=\"";
  size_t start = 0;
  while (start < text->size()) {
    size_t end = text->find('\n', start);
    if (end == std::string::npos) end = text->size();
    const std::string_view line(text->data() + start, end - start);
    start = end + 1;
    if (line.substr(0, kKey.size()) != kKey) continue;
    std::string_view value = line.substr(kKey.size());
    const size_t quote = value.find('"');
    if (quote == std::string_view::npos) return {};
    value = value.substr(0, quote);
    std::string folder;
    if (value.substr(0, 5) == "$HOME") {
      folder = home + std::string(value.substr(5));
    } else if (value.substr(0, 7) == "${HOME}") {
      folder = home + std::string(value.substr(7));
    } else if (!value.empty() && value.front() == '/') {
      folder = std::string(value);
    }
    return !folder.empty() && IsDirectory(folder) ? folder : std::string();
  }
  return {};
}

bool IsDriveLetter(std::string_view part) {
  return part.size() >= 2 && part[1] == ':' &&
         ((part[0] >= 'A' && part[0] <= 'Z') || (part[0] >= 'a' && part[0] <= 'z'));
}

}  // namespace

std::string HomeFolder(const std::function<const char*(const char*)>& lookup) {
  std::string home;
  if (const char* value = lookup("HOME"); value && value[0] == '/') {
    home = value;
  } else if (const passwd* entry = ::getpwuid(::getuid());
             entry && entry->pw_dir && entry->pw_dir[0] == '/') {
    // No usable $HOME (a service account, a stripped environment): the password database.
    home = entry->pw_dir;
  } else {
    home = "/tmp";
  }
  while (home.size() > 1 && home.back() == '/') home.pop_back();
  return home;
}

std::string XdgFolder(const std::function<const char*(const char*)>& lookup, const char* variable,
                      const char* besideHome) {
  const char* value = lookup(variable);
  std::string folder = value && value[0] == '/' ? value : HomeFolder(lookup) + besideHome;
  while (folder.size() > 1 && folder.back() == '/') folder.pop_back();
  return folder;
}

SaveFolders SaveFoldersFromEnvironment(const std::function<const char*(const char*)>& lookup) {
  SaveFolders folders;
  folders.settings = XdgFolder(lookup, "XDG_CONFIG_HOME", "/.config") + "/zendral";
  folders.savesRoot = XdgFolder(lookup, "XDG_DATA_HOME", "/.local/share") + "/zendral";
  const std::string home = HomeFolder(lookup);
  if (const char* value = lookup("XDG_PICTURES_DIR"); value && value[0] == '/') {
    folders.pictures = value;
  } else {
    folders.pictures =
        PicturesFolderOfUserDirs(XdgFolder(lookup, "XDG_CONFIG_HOME", "/.config"), home);
    if (folders.pictures.empty()) folders.pictures = home;
  }
  return folders;
}

SaveStore::SaveStore(SaveFolders folders, const Trace* trace)
    : folders_(std::move(folders)), trace_(trace) {}

std::optional<std::string> SaveStore::SavesFolder(std::string_view appName1253) const {
  if (appName1253.empty() || appName1253 == "." || appName1253 == "..") return std::nullopt;
  for (char c : appName1253) {
    if (c == '/' || c == '\\' || c == '\0') return std::nullopt;
  }
  return folders_.savesRoot + "/" + Cp1253ToUtf8(appName1253);
}

std::optional<std::string> SaveStore::PathInside(const std::string& folder,
                                                 std::string_view name1253) const {
  if (folder.empty() || name1253.empty() || name1253.front() == '/' || name1253.front() == '\\' ||
      IsDriveLetter(name1253) || name1253.find('\0') != std::string_view::npos) {
    return std::nullopt;
  }
  std::string kept;  // the name without "." components and doubled separators
  size_t start = 0;
  while (start <= name1253.size()) {
    size_t end = name1253.find_first_of("/\\", start);
    if (end == std::string_view::npos) end = name1253.size();
    const std::string_view part = name1253.substr(start, end - start);
    if (part == "..") return std::nullopt;
    if (!part.empty() && part != ".") {
      if (!kept.empty()) kept += '/';
      kept += part;
    }
    start = end + 1;
  }
  if (kept.empty()) return std::nullopt;
  return ResolveBelow(folder, kept);
}

bool SaveStore::MakeFolders(const std::string& diskPath, std::string& error) {
  std::error_code ec;
  std::filesystem::create_directories(diskPath, ec);
  if (ec || !IsDirectory(diskPath)) {
    error = diskPath + ": " + (ec ? ec.message() : "not a folder");
    return false;
  }
  return true;
}

bool SaveStore::Write(const std::string& folder, std::string_view name1253, std::string_view bytes,
                      std::string& error) {
  const auto path = PathInside(folder, name1253);
  if (!path) {
    error = Cp1253ToUtf8(name1253) + ": not a name inside " + folder;
    return false;
  }
  if (!MakeFolders(std::filesystem::path(*path).parent_path().string(), error)) return false;
  if (!WriteFileAtomic(*path, bytes, error)) return false;
  if (trace_) trace_->Line(TraceCategory::File, "file written " + Utf8ToCp1253(*path));
  return true;
}

std::optional<std::string> SaveStore::Read(const std::string& folder,
                                           std::string_view name1253) const {
  const auto path = PathInside(folder, name1253);
  if (!path) return std::nullopt;
  return ReadWholeFile(*path);
}

}  // namespace zd::platform
