#include "installer/typed_folder.h"

#include <algorithm>
#include <string_view>
#include <vector>

#include "base/cp1253.h"
#include "platform/files.h"

namespace zd::install {
namespace {

constexpr char kLost = '?';  // what the code page conversion puts for a letter it lacks

// The UTF-8 text one character a piece, with the code page byte each piece became.
struct Pieces {
  std::vector<std::string> utf8;
  std::string cp1253;
};

Pieces Split(std::string_view text) {
  Pieces pieces;
  size_t pos = 0;
  while (pos < text.size()) {
    const size_t start = pos;
    const char32_t c = DecodeUtf8(text, pos);
    pieces.utf8.emplace_back(text.substr(start, pos - start));
    pieces.cp1253 += static_cast<char>(UnicodeToCp1253(c));
  }
  return pieces;
}

// Whether a name on disk reads as `pattern` once converted: each "?" of the pattern stands for
// one character the code page lacks (or a "?" itself), every other character must be equal.
bool MatchesLostLetters(const std::string& name, std::string_view pattern) {
  const Pieces pieces = Split(name);
  return pieces.cp1253 == pattern;
}

}  // namespace

std::optional<std::string> FolderFromEditText(const std::string& shownUtf8,
                                              const std::string& edited1253) {
  const Pieces shown = Split(shownUtf8);
  const std::string& before = shown.cp1253;
  const size_t shorter = std::min(before.size(), edited1253.size());
  size_t prefix = 0;
  while (prefix < shorter && before[prefix] == edited1253[prefix]) ++prefix;
  size_t suffix = 0;
  while (prefix + suffix < shorter &&
         before[before.size() - 1 - suffix] == edited1253[edited1253.size() - 1 - suffix]) {
    ++suffix;
  }
  const std::string typed = edited1253.substr(prefix, edited1253.size() - prefix - suffix);
  const std::string typedUtf8 = Cp1253ToUtf8(typed);
  // A byte the code page leaves unused has no letter either.
  if (typed.find(kLost) != std::string::npos ||
      typedUtf8.find("\xEF\xBF\xBD") != std::string::npos) {
    return std::nullopt;
  }
  std::string folder;
  for (size_t i = 0; i < prefix; ++i) folder += shown.utf8[i];
  folder += typedUtf8;
  for (size_t i = shown.utf8.size() - suffix; i < shown.utf8.size(); ++i) folder += shown.utf8[i];
  return folder;
}

std::optional<std::string> FolderFromDialogPath(const std::string& path1253) {
  const std::string asGiven = Cp1253ToUtf8(path1253);
  if (path1253.find(kLost) == std::string::npos || platform::IsDirectory(asGiven)) return asGiven;
  if (asGiven.empty() || asGiven.front() != '/') return std::nullopt;
  // Component by component: one with a "?" must match exactly one entry of its folder.
  std::string folder;
  size_t start = 1;
  while (start <= path1253.size()) {
    size_t end = path1253.find('/', start);
    if (end == std::string::npos) end = path1253.size();
    const std::string_view component = std::string_view(path1253).substr(start, end - start);
    start = end + 1;
    if (component.empty()) continue;
    if (component.find(kLost) == std::string_view::npos) {
      folder += "/" + Cp1253ToUtf8(component);
      continue;
    }
    std::optional<std::string> match;
    for (const std::string& name : platform::ListDirectory(folder.empty() ? "/" : folder)) {
      if (!MatchesLostLetters(name, component)) continue;
      if (match) return std::nullopt;  // two folders read the same: no telling which
      match = name;
    }
    if (!match) return std::nullopt;
    folder += "/" + *match;
  }
  if (!platform::IsDirectory(folder)) return std::nullopt;
  return folder;
}

}  // namespace zd::install
