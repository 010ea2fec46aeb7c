#include "platform/program_lookup.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <vector>

#include "platform/files.h"

namespace zd::platform {
namespace {

namespace fs = std::filesystem;

bool IsSeparator(char c) { return c == '\\' || c == '/'; }

std::vector<std::string_view> Components(std::string_view path) {
  std::vector<std::string_view> parts;
  size_t start = 0;
  for (size_t i = 0; i <= path.size(); ++i) {
    if (i == path.size() || IsSeparator(path[i])) {
      if (i > start) parts.push_back(path.substr(start, i - start));
      start = i + 1;
    }
  }
  return parts;
}

// "\x", "/x" and "C:x" name places that do not depend on the title directory.
bool Absolute(std::string_view path) {
  return !path.empty() && (IsSeparator(path[0]) || path.find(':') != std::string_view::npos);
}

// Whether the ".." steps of a path ever climb above where it starts, read as written. The real
// file system has the last word (symbolic links), but a path that climbs out as written is
// refused even when nothing exists there.
bool ClimbsOut(std::string_view path) {
  int depth = 0;
  for (std::string_view part : Components(path)) {
    if (part == "..") {
      if (--depth < 0) return true;
    } else if (part != ".") {
      ++depth;
    }
  }
  return false;
}

bool HasWindowsProgramSuffix(std::string_view name) {
  if (name.size() < 4 || name[name.size() - 4] != '.') return false;
  std::string suffix(name.substr(name.size() - 3));
  for (char& c : suffix) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return suffix == "exe" || suffix == "com" || suffix == "bat";
}

// A file that begins as an ELF program or a "#!" script would be run natively even when it is
// handed to the Windows loader, so it is no Windows program whatever its name says.
bool BeginsAsWindowsProgram(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  if (!in) return false;
  char head[4] = {};
  in.read(head, sizeof head);
  const std::string_view start(head, static_cast<size_t>(in.gcount()));
  if (start.substr(0, 4) == "\x7F" "ELF" || start.substr(0, 2) == "#!") return false;
  std::string suffix = file.extension().string();
  for (char& c : suffix) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  return suffix != ".EXE" || start.substr(0, 2) == "MZ";
}

// Whether `path` lies below `root` (both canonical), compared component by component.
bool Below(const fs::path& root, const fs::path& path) {
  auto p = path.begin();
  for (auto r = root.begin(); r != root.end(); ++r, ++p) {
    if (p == path.end() || *p != *r) return false;
  }
  return p != path.end();
}

}  // namespace

TitleProgram FindTitleProgram(std::string_view titleDirectory, std::string_view program) {
  TitleProgram result;
  const std::vector<std::string_view> parts = Components(program);
  if (titleDirectory.empty() || Absolute(program) || ClimbsOut(program)) {
    result.check = ProgramCheck::Outside;
    return result;
  }
  if (parts.empty() || !HasWindowsProgramSuffix(parts.back())) {
    result.check = ProgramCheck::NotWindowsProgram;
    return result;
  }
  const auto root = ResolvePath(titleDirectory);
  const auto found = ResolvePath(std::string(titleDirectory) + "/" + std::string(program));
  if (!root || !found) return result;  // not found
  std::error_code error;
  const fs::path realRoot = fs::canonical(*root, error);
  if (error) return result;
  const fs::path realProgram = fs::canonical(*found, error);
  if (error) return result;
  if (!Below(realRoot, realProgram)) {
    result.check = ProgramCheck::Outside;
    return result;
  }
  if (!fs::is_regular_file(realProgram, error)) return result;
  if (!HasWindowsProgramSuffix(realProgram.filename().string()) ||
      !BeginsAsWindowsProgram(realProgram)) {
    result.check = ProgramCheck::NotWindowsProgram;
    return result;
  }
  result.check = ProgramCheck::Found;
  result.diskPath = realProgram.string();
  return result;
}

}  // namespace zd::platform
