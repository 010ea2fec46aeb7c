#include "platform/data_files.h"

#include <dirent.h>
#include <sys/stat.h>

#include "platform/files.h"

namespace zd::platform {
namespace {

bool IsRegularFile(const std::string& path) {
  struct stat st;
  return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

bool SameIgnoringAsciiCase(const std::string& a, const std::string& b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; };
    if (lower(a[i]) != lower(b[i])) return false;
  }
  return true;
}

// A file of `folder` named `name` up to case; the alphabetically first when several are, so the
// choice does not follow the order of the directory.
std::optional<std::string> FindIgnoringCase(const std::string& folder, const std::string& name) {
  DIR* directory = ::opendir(folder.c_str());
  if (!directory) return std::nullopt;
  std::optional<std::string> found;
  while (const dirent* entry = ::readdir(directory)) {
    const std::string onDisk = entry->d_name;
    if (!SameIgnoringAsciiCase(onDisk, name) || !IsRegularFile(folder + onDisk)) continue;
    if (!found || onDisk < *found) found = onDisk;
  }
  ::closedir(directory);
  if (!found) return std::nullopt;
  return folder + *found;
}

}  // namespace

std::vector<std::string> DataFolders(const std::string& programDirectory) {
  return {programDirectory, programDirectory + "../share/zendral/"};
}

std::optional<std::string> FindDataFile(const std::string& name,
                                        const std::string& programDirectory) {
  if (name.empty() || name == "." || name == ".." || name.find('/') != std::string::npos) {
    return std::nullopt;
  }
  for (const std::string& folder : DataFolders(programDirectory)) {
    if (IsRegularFile(folder + name)) return folder + name;
    if (auto found = FindIgnoringCase(folder, name)) return found;
  }
  return std::nullopt;
}

std::optional<std::string> FindDataFile(const std::string& name) {
  return FindDataFile(name, ProgramDirectory());
}

}  // namespace zd::platform
