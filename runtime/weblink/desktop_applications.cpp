#include "weblink/desktop_applications.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <map>

#include "platform/processes.h"
#include "platform/save_store.h"
#include "shell/ini_file.h"

namespace zd {
namespace {

constexpr size_t kMaxMimeAppsBytes = 256 * 1024;
// Bounds on the walk through applications folders: a few levels and a few thousand files are
// more than any desktop installs.
constexpr int kMaxFolderDepth = 3;
constexpr size_t kMaxDesktopFiles = 5000;

std::vector<std::string> SplitPaths(const char* value, std::vector<std::string> fallback) {
  if (!value || !*value) return fallback;
  std::vector<std::string> folders;
  std::string_view rest(value);
  while (true) {
    const size_t colon = rest.find(':');
    const std::string_view folder = rest.substr(0, colon);
    if (!folder.empty() && folder.front() == '/') folders.emplace_back(folder);
    if (colon == std::string_view::npos) break;
    rest.remove_prefix(colon + 1);
  }
  return folders.empty() ? fallback : folders;
}

bool EndsWith(std::string_view text, std::string_view end) {
  return text.size() >= end.size() && text.substr(text.size() - end.size()) == end;
}

// A desktop-file id taken from a file: one name, ending .desktop, no way out of the folder.
bool PlausibleId(std::string_view id) {
  return EndsWith(id, ".desktop") && id.size() > 8 && id.size() < 256 &&
         id.find('/') == std::string_view::npos && id.front() != '.' &&
         id.find('\0') == std::string_view::npos;
}

void Walk(const std::string& folder, const std::string& idPrefix, int depth,
          std::map<std::string, std::string>& found, size_t& visited) {
  DIR* dir = ::opendir(folder.c_str());
  if (!dir) return;
  while (const dirent* item = ::readdir(dir)) {
    if (++visited > kMaxDesktopFiles) break;
    const std::string name = item->d_name;
    if (name.empty() || name.front() == '.') continue;
    const std::string path = folder + "/" + name;
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0) continue;
    if (S_ISDIR(st.st_mode)) {
      if (depth < kMaxFolderDepth) Walk(path, idPrefix + name + "-", depth + 1, found, visited);
    } else if (S_ISREG(st.st_mode) && EndsWith(name, ".desktop")) {
      found.emplace(idPrefix + name, path);  // an earlier folder's file keeps its place
    }
  }
  ::closedir(dir);
}

std::vector<std::string> ApplicationFolders(const XdgFolders& folders) {
  std::vector<std::string> result;
  if (!folders.dataHome.empty()) result.push_back(folders.dataHome + "/applications");
  for (const std::string& dir : folders.dataDirs) result.push_back(dir + "/applications");
  return result;
}

}  // namespace

XdgFolders XdgFoldersFromEnvironment(const std::function<const char*(const char*)>& environment) {
  // Without an environment to read, every folder takes its default.
  const std::function<const char*(const char*)> lookup =
      environment ? environment : [](const char*) -> const char* { return nullptr; };
  XdgFolders folders;
  folders.configHome = platform::XdgFolder(lookup, "XDG_CONFIG_HOME", "/.config");
  folders.dataHome = platform::XdgFolder(lookup, "XDG_DATA_HOME", "/.local/share");
  folders.configDirs = SplitPaths(lookup ? lookup("XDG_CONFIG_DIRS") : nullptr, {"/etc/xdg"});
  folders.dataDirs = SplitPaths(lookup ? lookup("XDG_DATA_DIRS") : nullptr,
                                {"/usr/local/share", "/usr/share"});
  return folders;
}

std::vector<DesktopFile> ListDesktopFiles(const XdgFolders& folders) {
  std::map<std::string, std::string> found;
  size_t visited = 0;
  for (const std::string& folder : ApplicationFolders(folders)) Walk(folder, "", 0, found, visited);
  std::vector<DesktopFile> files;
  for (auto& [id, path] : found) files.push_back({id, path});
  return files;
}

std::optional<std::string> FindDesktopFile(const XdgFolders& folders,
                                           const std::vector<DesktopFile>& listed,
                                           std::string_view id) {
  if (!PlausibleId(id)) return std::nullopt;
  for (const std::string& folder : ApplicationFolders(folders)) {
    const std::string path = folder + "/" + std::string(id);
    struct stat st {};
    if (::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode)) return path;
  }
  // An id may name a file in a folder below applications/ ("kde4-x.desktop").
  const auto found = std::lower_bound(
      listed.begin(), listed.end(), id,
      [](const DesktopFile& file, std::string_view wanted) { return file.id < wanted; });
  if (found != listed.end() && found->id == id) return found->path;
  return std::nullopt;
}

std::vector<std::string> DefaultApplicationIds(const XdgFolders& folders,
                                               std::string_view mimeType) {
  std::vector<std::string> files;
  if (!folders.configHome.empty()) files.push_back(folders.configHome + "/mimeapps.list");
  for (const std::string& dir : folders.configDirs) files.push_back(dir + "/mimeapps.list");
  for (const std::string& dir : ApplicationFolders(folders)) files.push_back(dir + "/mimeapps.list");

  std::vector<std::string> ids;
  for (const std::string& file : files) {
    const std::optional<std::string> text = ReadSmallFile(file, kMaxMimeAppsBytes);
    if (!text) continue;
    std::vector<std::string> notes;  // a malformed file gives what it can
    const ini::Document document = ini::ParseIni(*text, notes);
    for (const ini::Section& section : document.sections) {
      if (section.name != "Default Applications") continue;
      for (const ini::Line& line : section.lines) {
        if (!line.isKey || line.key != mimeType) continue;
        std::string_view rest = line.value;
        while (!rest.empty()) {
          const size_t semicolon = rest.find(';');
          const std::string_view id = rest.substr(0, semicolon);
          if (PlausibleId(id) && std::find(ids.begin(), ids.end(), id) == ids.end()) {
            ids.emplace_back(id);
            if (ids.size() >= kMaxDefaultApplicationIds) return ids;
          }
          if (semicolon == std::string_view::npos) break;
          rest.remove_prefix(semicolon + 1);
        }
      }
    }
  }
  return ids;
}

std::optional<std::string> ReadSmallFile(const std::string& path, size_t maxBytes) {
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  if (fd < 0) return std::nullopt;
  struct stat st {};
  if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode) || static_cast<size_t>(st.st_size) > maxBytes) {
    ::close(fd);
    return std::nullopt;
  }
  std::string text;
  char buffer[8192];
  while (true) {
    const ssize_t got = ::read(fd, buffer, sizeof buffer);
    if (got < 0) {
      ::close(fd);
      return std::nullopt;
    }
    if (got == 0) break;
    text.append(buffer, static_cast<size_t>(got));
    if (text.size() > maxBytes) {  // it grew while being read
      ::close(fd);
      return std::nullopt;
    }
  }
  ::close(fd);
  return text;
}

bool IsExecutableFile(const std::string& path) {
  struct stat st {};
  return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode) && ::access(path.c_str(), X_OK) == 0;
}

std::string ResolveProgram(std::string_view program) {
  if (program.empty()) return {};
  if (program.find('/') != std::string_view::npos) {
    const std::string path(program);
    return program.front() == '/' && IsExecutableFile(path) ? path : std::string{};
  }
  return platform::FindOnPath(program);
}

std::optional<DesktopEntry> LoadStartableEntry(const std::string& path) {
  const std::optional<std::string> text = ReadSmallFile(path, kMaxDesktopEntryBytes);
  if (!text) return std::nullopt;
  std::optional<DesktopEntry> entry = ParseDesktopEntry(*text);
  if (!entry || entry->type != "Application" || entry->hidden || !entry->execValid) {
    return std::nullopt;
  }
  if (!entry->tryExec.empty() && ResolveProgram(entry->tryExec).empty()) return std::nullopt;
  return entry;
}

}  // namespace zd
