#include "platform/sdl/file_dialog_rules.h"

#include <algorithm>

#include "base/cp1253.h"
#include "base/text.h"

namespace zd::platform::sdl {
namespace {

// Folds the letters whose case a file name could differ in: ASCII, and the Greek letters
// (accented capitals included) that titles write.
char32_t Fold(char32_t c) {
  if (c >= U'A' && c <= U'Z') return c + 32;
  if (c >= 0x391 && c <= 0x3A9 && c != 0x3A2) return c + 32;  // Α..Ω → α..ω
  switch (c) {
    case 0x386: return 0x3AC;  // Ά
    case 0x388: return 0x3AD;  // Έ
    case 0x389: return 0x3AE;  // Ή
    case 0x38A: return 0x3AF;  // Ί
    case 0x38C: return 0x3CC;  // Ό
    case 0x38E: return 0x3CD;  // Ύ
    case 0x38F: return 0x3CE;  // Ώ
    case 0x3C2: return 0x3C3;  // final sigma
    default: return c;
  }
}

std::u32string Folded(std::string_view utf8) {
  std::u32string out;
  size_t pos = 0;
  while (pos < utf8.size()) out += Fold(DecodeUtf8(utf8, pos));
  return out;
}

// Glob matching with backtracking to the last '*' only, which is linear enough for names.
bool Glob(const std::u32string& pattern, const std::u32string& name) {
  size_t p = 0, n = 0, starP = std::u32string::npos, starN = 0;
  while (n < name.size()) {
    if (p < pattern.size() && (pattern[p] == U'?' || pattern[p] == name[n])) {
      ++p;
      ++n;
    } else if (p < pattern.size() && pattern[p] == U'*') {
      starP = p++;
      starN = n;
    } else if (starP != std::u32string::npos) {
      p = starP + 1;
      n = ++starN;
    } else {
      return false;
    }
  }
  while (p < pattern.size() && pattern[p] == U'*') ++p;
  return p == pattern.size();
}

}  // namespace

std::vector<std::string> SplitPatterns(std::string_view patterns) {
  std::vector<std::string> out;
  while (!patterns.empty()) {
    const size_t semi = patterns.find(';');
    const std::string_view part = TrimBlanks(patterns.substr(0, semi));
    if (!part.empty()) out.emplace_back(part);
    if (semi == std::string_view::npos) break;
    patterns.remove_prefix(semi + 1);
  }
  return out;
}

bool MatchesFilter(std::string_view name, std::string_view patterns) {
  const auto parts = SplitPatterns(patterns);
  if (parts.empty()) return true;
  const std::u32string folded = Folded(name);
  for (const auto& part : parts) {
    if (part == "*.*" || part == "*") return true;
    if (Glob(Folded(part), folded)) return true;
  }
  return false;
}

bool NameLess(std::string_view a, std::string_view b) {
  const std::u32string fa = Folded(a), fb = Folded(b);
  if (fa != fb) return fa < fb;
  return a < b;  // names that differ only in case keep a fixed order
}

std::filesystem::path EnteredPath(const std::filesystem::path& directory, std::string_view text,
                                  std::string_view home) {
  std::string typed(TrimBlanks(text));
  if (!home.empty() && (typed == "~" || typed.rfind("~/", 0) == 0)) {
    typed = std::string(home) + typed.substr(1);
  }
  std::filesystem::path path(typed);
  if (path.is_relative()) path = directory / path;
  path = path.lexically_normal();
  // "dir/" normalises to "dir/" with an empty last part; the directory itself is meant.
  if (!path.has_filename() && path.has_parent_path() && path != path.root_path()) {
    path = path.parent_path();
  }
  return path;
}

bool IsPattern(std::string_view text) {
  return text.find_first_of("*?") != std::string_view::npos;
}

std::filesystem::path ChosenFolder(const std::filesystem::path& shown, std::string_view selected) {
  if (selected.empty() || selected == "." || selected == ".." ||
      selected.find('/') != std::string_view::npos) {
    return shown;
  }
  return shown / std::filesystem::path(std::string(selected));
}

}  // namespace zd::platform::sdl
