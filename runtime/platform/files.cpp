#include "platform/files.h"

#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "base/cp1253.h"
#include "base/text.h"

namespace zd::platform {
namespace {

bool Exists(const std::string& path) {
  struct stat st;
  return ::stat(path.c_str(), &st) == 0;
}

std::vector<std::string> SplitComponents(std::string_view path) {
  std::vector<std::string> parts;
  std::string current;
  for (char c : path) {
    if (c == '/' || c == '\\') {
      if (!current.empty()) parts.push_back(current);
      current.clear();
    } else {
      current += c;
    }
  }
  if (!current.empty()) parts.push_back(current);
  return parts;
}

// The entry of `dir` whose name equals `name1253` without regard to case, if any.
std::optional<std::string> FindInDirectory(const std::string& dir, const std::string& name1253) {
  const std::string exact = Cp1253ToUtf8(name1253);
  const std::string candidate = dir + exact;
  if (Exists(candidate)) return exact;
  DIR* d = ::opendir(dir.empty() ? "." : dir.c_str());
  if (!d) return std::nullopt;
  std::optional<std::string> found;
  while (dirent* entry = ::readdir(d)) {
    const std::string onDisk = entry->d_name;
    if (EqualsIgnoreCase1253(Utf8ToCp1253(onDisk), name1253)) {
      // Prefer the alphabetically first match so the choice does not depend on directory order.
      if (!found || onDisk < *found) found = onDisk;
    }
  }
  ::closedir(d);
  return found;
}

}  // namespace

std::string ProgramDirectory() {
  char buffer[4096];
  const ssize_t n = ::readlink("/proc/self/exe", buffer, sizeof buffer - 1);
  if (n <= 0) return "./";
  std::string path(buffer, static_cast<size_t>(n));
  const size_t slash = path.rfind('/');
  return slash == std::string::npos ? "./" : path.substr(0, slash + 1);
}

std::optional<std::string> ResolvePath(std::string_view path1253) {
  if (path1253.empty()) return std::nullopt;
  const bool absolute = path1253.front() == '/' || path1253.front() == '\\';
  std::string resolved = absolute ? "/" : "";
  for (const std::string& part : SplitComponents(path1253)) {
    if (part == "." || part == "..") {
      resolved += part + "/";
      continue;
    }
    const auto name = FindInDirectory(resolved, part);
    if (!name) return std::nullopt;
    resolved += *name + "/";
  }
  if (resolved.size() > 1) resolved.pop_back();
  if (resolved.empty()) return std::nullopt;
  return resolved;
}

std::string ResolvePathForWriting(std::string_view path1253) {
  const bool absolute = !path1253.empty() && (path1253.front() == '/' || path1253.front() == '\\');
  std::string resolved = absolute ? "/" : "";
  bool existing = true;
  for (const std::string& part : SplitComponents(path1253)) {
    std::optional<std::string> name;
    if (existing && part != "." && part != "..") name = FindInDirectory(resolved, part);
    if (!name) {
      existing = existing && (part == "." || part == "..");
      name = Cp1253ToUtf8(part);
    }
    resolved += *name + "/";
  }
  if (resolved.size() > 1) resolved.pop_back();
  return resolved;
}

std::string ResolveBelow(const std::string& diskFolder, std::string_view relative1253) {
  std::string resolved = diskFolder;
  if (resolved.empty() || resolved.back() != '/') resolved += '/';
  bool existing = true;
  for (const std::string& part : SplitComponents(relative1253)) {
    std::optional<std::string> name;
    if (existing) name = FindInDirectory(resolved, part);
    if (!name) {
      existing = false;
      name = Cp1253ToUtf8(part);
    }
    resolved += *name + "/";
  }
  resolved.pop_back();
  return resolved;
}

std::optional<std::string> ReadWholeFile(const std::string& diskPath) {
  std::ifstream in(diskPath, std::ios::binary);
  if (!in) return std::nullopt;
  std::ostringstream bytes;
  bytes << in.rdbuf();
  if (in.bad()) return std::nullopt;
  return bytes.str();
}

std::optional<uint64_t> FileSize(const std::string& diskPath) {
  struct stat st;
  if (::stat(diskPath.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) return std::nullopt;
  return uint64_t(st.st_size);
}

std::vector<std::string> ListDirectory(const std::string& diskPath) {
  std::vector<std::string> names;
  DIR* d = ::opendir(diskPath.empty() ? "." : diskPath.c_str());
  if (!d) return names;
  while (dirent* entry = ::readdir(d)) {
    const std::string name = entry->d_name;
    if (name != "." && name != "..") names.push_back(name);
  }
  ::closedir(d);
  return names;
}

bool IsDirectory(const std::string& diskPath) {
  struct stat st;
  return ::stat(diskPath.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

std::string AbsolutePath(const std::string& diskPath) {
  std::error_code error;
  const std::filesystem::path absolute = std::filesystem::absolute(diskPath, error);
  return error ? diskPath : absolute.lexically_normal().string();
}

}  // namespace zd::platform
