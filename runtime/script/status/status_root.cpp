#include "script/status/status_root.h"

#include <cstdint>
#include <vector>

#include "platform/files.h"
#include "platform/save_store.h"

namespace zd::script {
namespace {

constexpr size_t kMaxBareName = 64;

bool IsSeparator(char c) { return c == '\\' || c == '/'; }
bool IsDigitChar(char c) { return c >= '0' && c <= '9'; }
bool IsAsciiLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }

// The components of a relative name below the root, "." and empty ones left out; nullopt for
// a name that climbs ("..") or names a drive.
std::optional<std::vector<std::string>> ComponentsBelowRoot(std::string_view relative) {
  std::vector<std::string> parts;
  size_t start = 0;
  while (start <= relative.size()) {
    size_t end = start;
    while (end < relative.size() && !IsSeparator(relative[end])) ++end;
    const std::string_view part = relative.substr(start, end - start);
    if (part == "..") return std::nullopt;
    for (char c : part) {
      if (c == ':' || c == '\0') return std::nullopt;
    }
    if (!part.empty() && part != ".") parts.emplace_back(part);
    start = end + 1;
  }
  return parts;
}

std::string Joined(const std::vector<std::string>& parts, char separator) {
  std::string out;
  for (const std::string& part : parts) {
    if (!out.empty()) out += separator;
    out += part;
  }
  return out;
}

// A name kept to one plain file name: the part after its last separator, without characters
// no file name may hold; a name of dots alone is no name.
std::string BareName(std::string_view name) {
  const size_t separator = name.find_last_of("\\/");
  if (separator != std::string_view::npos) name = name.substr(separator + 1);
  std::string kept;
  for (char c : name) {
    const auto u = static_cast<unsigned char>(c);
    if (u < 32 || c == ':' || c == '*' || c == '?' || c == '"' || c == '<' || c == '>' ||
        c == '|') {
      continue;
    }
    kept += c;
  }
  if (kept.find_first_not_of('.') == std::string::npos) return {};
  // Room on any disk for the extension and the temporary name a file is written under, also
  // when every character takes two bytes there.
  if (kept.size() > kMaxBareName) kept.resize(kMaxBareName);
  return kept;
}

// The decimal number a text begins with; 0 without leading digits, and the largest 32-bit
// value for longer runs (the number names a folder, never a path).
int32_t LeadingNumber(std::string_view text) {
  int64_t value = 0;
  for (size_t i = 0; i < text.size() && IsDigitChar(text[i]); ++i) {
    value = value * 10 + (text[i] - '0');
    if (value > INT32_MAX) return INT32_MAX;
  }
  return static_cast<int32_t>(value);
}

}  // namespace

StatusRoot StatusRoot::FromOverrideDirectory(std::string overrideDirectory1253) {
  StatusRoot root;
  if (overrideDirectory1253.empty()) return root;
  root.kind_ = Kind::Override;
  root.folder_ = std::move(overrideDirectory1253);
  return root;
}

StatusRoot StatusRoot::FromSavesFolder(std::string savesFolderOnDisk) {
  StatusRoot root;
  if (savesFolderOnDisk.empty()) return root;
  root.kind_ = Kind::Saves;
  root.folder_ = std::move(savesFolderOnDisk);
  return root;
}

std::optional<std::string> StatusRoot::DiskPath(std::string_view relative1253) const {
  if (!set()) return std::nullopt;
  const auto parts = ComponentsBelowRoot(relative1253);
  if (!parts) return std::nullopt;
  if (kind_ == Kind::Saves) {
    if (parts->empty()) return folder_;
    return platform::ResolveBelow(folder_, Joined(*parts, '/'));
  }
  std::string path = folder_;
  while (!path.empty() && IsSeparator(path.back())) path.pop_back();
  for (const std::string& part : *parts) path += "\\" + part;
  return platform::ResolvePathForWriting(path.empty() ? std::string("\\") : path);
}

bool StatusRoot::MakeFolders(std::string_view relativeFolder1253) const {
  const auto folder = DiskPath(relativeFolder1253);
  if (!folder) return false;
  std::string error;
  return platform::SaveStore::MakeFolders(*folder, error);
}

std::string StatusPathFromName(std::string_view name) {
  const size_t colon = name.rfind(':');
  const bool numbered = colon != std::string_view::npos && colon != 0 &&
                        name.find('\\', colon) == std::string_view::npos;
  const std::string bare = BareName(numbered ? name.substr(0, colon) : name);
  if (bare.empty()) return {};
  if (numbered) {
    const int32_t number = LeadingNumber(name.substr(colon + 1));
    return "Scripts\\Status" + std::to_string(number) + "\\" + bare + ".ZDS";
  }
  return "Scripts\\Status\\" + bare.substr(0, 8) + ".ZDS";
}

DialogPlace DialogPlaceFromArgument(std::string_view argument, std::string_view baseFolder,
                                    std::string_view extension) {
  DialogPlace place;
  std::string_view name = argument, suffix;
  const size_t colon = argument.find(':');
  if (colon != std::string_view::npos) {
    name = argument.substr(0, colon);
    suffix = argument.substr(colon + 1);
    for (char c : suffix) {
      if (!IsDigitChar(c) && !IsAsciiLetter(c)) {
        suffix = {};
        break;
      }
    }
  }
  place.folder = std::string(baseFolder) + std::string(suffix);
  place.proposedName = BareName(name);
  if (!extension.empty() && extension.front() != '.') place.proposedName += '.';
  place.proposedName += extension;
  return place;
}

}  // namespace zd::script
