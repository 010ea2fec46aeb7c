#include "installer/install_journal.h"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "base/cp1253.h"
#include "installer/uninstall_record.h"
#include "platform/atomic_file.h"
#include "platform/files.h"

namespace zd::install {
namespace {

constexpr uint64_t kMaxCopiedFile = 256ull * 1024 * 1024;

std::string ParentOf(const std::string& path) {
  const size_t slash = path.find_last_of('/');
  if (slash == std::string::npos || slash == 0) return "/";
  return path.substr(0, slash);
}

bool HasClimbingPart(std::string_view path) {
  size_t start = 0;
  while (start <= path.size()) {
    size_t end = path.find('/', start);
    if (end == std::string_view::npos) end = path.size();
    if (path.substr(start, end - start) == "..") return true;
    start = end + 1;
  }
  return false;
}

// Whether `path` lies below `folder` (both absolute, without "..").
bool IsBelow(const std::string& path, const std::string& folder) {
  if (folder.size() < 2 || folder.front() != '/') return false;
  std::string prefix = folder;
  if (prefix.back() != '/') prefix += '/';
  return path.size() > prefix.size() && path.compare(0, prefix.size(), prefix) == 0;
}

size_t Depth(const std::string& path) { return size_t(std::count(path.begin(), path.end(), '/')); }

void TraceFile(const Trace& trace, std::string_view what, const std::string& path) {
  if (trace.Enabled(TraceCategory::File)) {
    trace.Line(TraceCategory::File, std::string(what) + " " + Utf8ToCp1253(path));
  }
}

}  // namespace

void InstallJournal::Remember(std::vector<std::string>& list, const std::string& path) {
  if (std::find(list.begin(), list.end(), path) == list.end()) list.push_back(path);
}

bool InstallJournal::MakeFolders(const std::string& folder, std::string& error) {
  if (folder.empty() || folder.front() != '/' || HasClimbingPart(folder)) {
    error = folder + ": " + std::strerror(EINVAL);
    return false;
  }
  size_t pos = 1;
  while (pos <= folder.size()) {
    size_t end = folder.find('/', pos);
    if (end == std::string::npos) end = folder.size();
    const std::string prefix = folder.substr(0, end);
    pos = end + 1;
    if (prefix.back() == '/') continue;  // "//" in the path
    struct stat st;
    if (::stat(prefix.c_str(), &st) == 0) {
      if (!S_ISDIR(st.st_mode)) {
        error = prefix + ": " + std::strerror(ENOTDIR);
        return false;
      }
      continue;
    }
    if (::mkdir(prefix.c_str(), 0755) != 0 && errno != EEXIST) {
      error = prefix + ": " + std::strerror(errno);
      return false;
    }
    Remember(record_.folders, prefix);
  }
  return true;
}

bool InstallJournal::WriteFile(const std::string& path, std::string_view bytes, std::string& error) {
  if (!MakeFolders(ParentOf(path), error)) return false;
  std::string why;
  if (!platform::WriteFileAtomic(path, bytes, why)) {
    error = path + ": " + why;
    return false;
  }
  Remember(record_.files, path);
  TraceFile(trace_, "file written", path);
  return true;
}

bool InstallJournal::CopyFile(const std::string& from, const std::string& to, std::string& error) {
  const auto size = platform::FileSize(from);
  if (!size) {
    error = from + ": " + std::strerror(ENOENT);
    return false;
  }
  if (*size > kMaxCopiedFile) {
    error = from + ": " + std::strerror(EFBIG);
    return false;
  }
  const auto bytes = platform::ReadWholeFile(from);
  if (!bytes) {
    error = from + ": " + std::strerror(EIO);
    return false;
  }
  return WriteFile(to, *bytes, error);
}

bool InstallJournal::SaveRecord(std::string& error) {
  const std::string folder = RecordFolder(dataHome_);
  if (!MakeFolders(folder, error)) return false;
  std::string why;
  const std::string path = RecordPath(dataHome_, record_.title);
  if (path.empty() || !platform::WriteFileAtomic(path, RecordToJson(record_), why)) {
    error = path + ": " + why;
    return false;
  }
  return true;
}

bool RemoveRecordedFiles(UninstallRecord& record, const InstallerSetup& setup, const Trace& trace,
                         std::string& error) {
  std::vector<std::string> kept;
  for (const std::string& path : record.files) {
    // Only what an installation can have written: below the install folder or the user's
    // data and settings folders. Anything else in a record is not ours to remove.
    const bool ours = !HasClimbingPart(path) &&
                      (IsBelow(path, record.installDirectory) || IsBelow(path, setup.dataHome) ||
                       IsBelow(path, setup.configHome));
    if (!ours) continue;
    struct stat st;
    if (::lstat(path.c_str(), &st) != 0) continue;  // already gone
    if (S_ISDIR(st.st_mode)) continue;
    if (::unlink(path.c_str()) != 0 && errno != ENOENT) {
      if (error.empty()) error = path + ": " + std::strerror(errno);
      kept.push_back(path);
      continue;
    }
    TraceFile(trace, "file removed", path);
  }
  record.files = std::move(kept);
  return error.empty();
}

void RemoveEmptyRecordedFolders(const UninstallRecord& record) {
  std::vector<std::string> folders = record.folders;
  std::stable_sort(folders.begin(), folders.end(),
                   [](const std::string& a, const std::string& b) { return Depth(a) > Depth(b); });
  for (const std::string& folder : folders) {
    if (folder.empty() || folder.front() != '/' || HasClimbingPart(folder)) continue;
    ::rmdir(folder.c_str());  // fails, as it should, when something is left inside
  }
}

}  // namespace zd::install
