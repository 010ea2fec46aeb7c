#include "installer/install_journal.h"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <vector>
#include <cctype>
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

// The parts of a relative path ("a/b" gives "a", "b"); never empty.
std::vector<std::string> Parts(std::string_view path) {
  std::vector<std::string> parts;
  size_t start = 0;
  while (true) {
    const size_t end = path.find('/', start);
    parts.emplace_back(path.substr(start, end == std::string_view::npos ? end : end - start));
    if (end == std::string_view::npos) break;
    start = end + 1;
  }
  return parts;
}

// An absolute path without empty, "." or ".." parts (and without a trailing "/"): the form the
// installer writes its paths in, so that comparing text compares places.
bool IsCleanAbsolute(const std::string& path) {
  if (path.size() < 2 || path.front() != '/') return path == "/";
  for (const std::string& part : Parts(std::string_view(path).substr(1))) {
    if (part.empty() || part == "." || part == "..") return false;
  }
  return true;
}

// "zendral-SOMETHING.ext": the names the installer gives the desktop's files.
bool IsOurs(const std::string& name, std::string_view extension) {
  constexpr std::string_view kPrefix = "zendral-";
  return name.size() > kPrefix.size() + extension.size() && name.compare(0, kPrefix.size(), kPrefix) == 0 &&
         name.compare(name.size() - extension.size(), extension.size(), extension) == 0;
}

bool SameLetters(const std::string& a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i]))) {
      return false;
    }
  }
  return true;
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

bool IsAcceptableInstallDirectory(const std::string& folder, const InstallerSetup& setup) {
  if (!IsCleanAbsolute(folder) || folder == "/") return false;
  for (const std::string* mine : {&setup.home, &setup.dataHome, &setup.configHome}) {
    if (mine->empty()) continue;
    if (folder == *mine || IsBelow(*mine, folder)) return false;
  }
  return true;
}

bool IsInstallerFile(const std::string& path, const UninstallRecord& record, const InstallerSetup& setup) {
  if (!IsCleanAbsolute(path)) return false;
  const std::string name = path.substr(path.find_last_of('/') + 1);
  if (IsAcceptableInstallDirectory(record.installDirectory, setup) &&
      ParentOf(path) == record.installDirectory && !name.empty() && name.front() != '.') {
    return true;
  }
  const std::string recordPath = RecordPath(setup.dataHome, record.title);
  if (!recordPath.empty() && path == recordPath) return true;
  for (const std::string* base : {&setup.dataHome, &setup.configHome}) {
    if (!IsBelow(path, *base)) continue;
    const std::vector<std::string> parts = Parts(path.substr(base->size() + 1));
    if (parts.size() == 2 && parts[0] == "applications" && IsOurs(parts[1], ".desktop")) return true;
    if (parts.size() == 2 && parts[0] == "desktop-directories" && IsOurs(parts[1], ".directory")) {
      return true;
    }
    if (parts.size() == 5 && parts[0] == "icons" && parts[1] == "hicolor" && parts[3] == "apps" &&
        IsOurs(parts[4], ".png")) {
      return true;
    }
    if (parts.size() == 3 && parts[0] == "menus" && parts[1] == "applications-merged" &&
        IsOurs(parts[2], ".menu")) {
      return true;
    }
  }
  return false;
}

bool RemoveRecordedFiles(UninstallRecord& record, const InstallerSetup& setup, const Trace& trace,
                         std::string& error) {
  auto say = [&](const char* english, const char* greek) {
    return std::string(setup.language == Language::English ? english : greek);
  };
  if (!IsAcceptableInstallDirectory(record.installDirectory, setup)) {
    error = record.installDirectory + ": " +
            say("not a folder a title is installed in; nothing in it is removed",
                "δεν είναι φάκελος εγκατάστασης τίτλου· τίποτα μέσα του δεν αφαιρείται");
  }
  std::vector<std::string> kept;
  for (const std::string& path : record.files) {
    struct stat st;
    const bool exists = ::lstat(path.c_str(), &st) == 0;
    if (!IsInstallerFile(path, record, setup) || (exists && !S_ISREG(st.st_mode))) {
      // A hand-edited or stale record: what it names is not ours to remove.
      if (exists && error.empty()) {
        error = path + ": " + say("not a file the installer writes; left as it is",
                                  "δεν είναι αρχείο που γράφει η εγκατάσταση· μένει ως έχει");
      }
      if (exists) TraceFile(trace, "file refused", path);
      continue;
    }
    if (!exists) continue;  // already gone
    if (::unlink(path.c_str()) != 0 && errno != ENOENT) {
      if (error.empty()) error = path + ": " + std::strerror(errno);
      kept.push_back(path);
      continue;
    }
    TraceFile(trace, "file removed", path);
  }
  const bool allGone = kept.empty();
  record.files = std::move(kept);
  return allGone;
}

void RemoveEmptyRecordedFolders(const UninstallRecord& record, const InstallerSetup& setup) {
  std::vector<std::string> folders = record.folders;
  std::stable_sort(folders.begin(), folders.end(),
                   [](const std::string& a, const std::string& b) { return Depth(a) > Depth(b); });
  const bool installOk = IsAcceptableInstallDirectory(record.installDirectory, setup);
  for (const std::string& folder : folders) {
    if (!IsCleanAbsolute(folder)) continue;
    bool ours = false;
    if (installOk) {
      ours = folder == record.installDirectory ||
             (IsBelow(record.installDirectory, folder) && IsAcceptableInstallDirectory(folder, setup));
      if (IsBelow(folder, record.installDirectory)) {
        const std::vector<std::string> parts =
            Parts(folder.substr(record.installDirectory.size() + 1));
        ours = parts.size() <= 2 && SameLetters(parts[0], "Scripts") &&
               (parts.size() == 1 || SameLetters(parts[1], "Status0"));
      }
    }
    for (const std::string* base : {&setup.dataHome, &setup.configHome}) {
      if (ours || !IsBelow(folder, *base)) continue;
      const std::vector<std::string> parts = Parts(folder.substr(base->size() + 1));
      const std::string first = parts[0];
      ours = (parts.size() == 1 && (first == "applications" || first == "desktop-directories" ||
                                    first == "icons" || first == "menus" || first == "zendral")) ||
             (parts.size() == 2 && ((first == "icons" && parts[1] == "hicolor") ||
                                    (first == "menus" && parts[1] == "applications-merged") ||
                                    (first == "zendral" && parts[1] == "installed"))) ||
             (parts.size() >= 3 && parts.size() <= 4 && first == "icons" && parts[1] == "hicolor" &&
              (parts.size() == 3 || parts[3] == "apps"));
    }
    struct stat st;
    if (!ours || ::lstat(folder.c_str(), &st) != 0 || !S_ISDIR(st.st_mode)) continue;
    ::rmdir(folder.c_str());  // fails, as it should, when something is left inside
  }
}

}  // namespace zd::install
