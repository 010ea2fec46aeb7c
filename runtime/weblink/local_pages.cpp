#include "weblink/local_pages.h"

#include <climits>
#include <cstdlib>
#include <memory>
#include <vector>

#include "platform/files.h"
#include "title/title_paths.h"

namespace zd {
namespace {

bool IsSeparator(char c) { return c == '\\' || c == '/'; }

// The components of a name written with "\" or "/" between them; nullopt when one of them
// could lead out of the folder or is not a plain name.
std::optional<std::vector<std::string>> PlainComponents(std::string_view name) {
  std::vector<std::string> parts;
  std::string part;
  auto finish = [&]() -> bool {
    if (part.empty()) return true;
    if (part == "." || part == "..") return false;
    parts.push_back(part);
    part.clear();
    return true;
  };
  for (char c : name) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte < 0x20 || byte == 0x7F || c == ':') return std::nullopt;
    if (IsSeparator(c)) {
      if (!finish()) return std::nullopt;
    } else {
      part += c;
    }
  }
  if (!finish() || parts.empty()) return std::nullopt;
  return parts;
}

std::optional<std::string> RealPath(const std::string& diskPath) {
  std::unique_ptr<char, decltype(&std::free)> real(realpath(diskPath.c_str(), nullptr), &std::free);
  if (!real) return std::nullopt;
  return std::string(real.get());
}

// The disk path less its last `count` components.
std::string DropComponents(std::string path, size_t count) {
  for (size_t i = 0; i < count; ++i) {
    while (path.size() > 1 && path.back() == '/') path.pop_back();
    const size_t cut = path.rfind('/');
    if (cut == std::string::npos) return ".";
    path.erase(cut == 0 ? 1 : cut);
  }
  return path.empty() ? "." : path;
}

bool Within(const std::string& path, const std::string& folder) {
  const std::string prefix = folder == "/" ? folder : folder + "/";
  return path.compare(0, prefix.size(), prefix) == 0;
}

// The page's real path when `found` (a disk path ending in `depth` name components below the
// pages' folder weblinks/htmlSUFFIX) really lies inside the pages' folder, and that folder
// really lies inside the folder holding the title's folder. The second check matters when the
// pages' folder (or weblinks) is itself a link: a link to /etc must not make /etc the pages.
std::optional<std::string> InsideFolder(const std::string& found, size_t depth) {
  if (!platform::FileSize(found)) return std::nullopt;  // a folder, or gone
  const auto page = RealPath(found);
  const auto pages = RealPath(DropComponents(found, depth));
  const auto titles = RealPath(DropComponents(found, depth + 2));
  if (!page || !pages || !titles) return std::nullopt;
  if (!Within(*page, *pages) || !Within(*pages, *titles)) return std::nullopt;
  return page;
}

}  // namespace

std::optional<std::string> FindLocalPage(std::string_view overrideDirectory,
                                         std::string_view titleDirectory,
                                         std::string_view name1253) {
  std::string_view file = name1253;
  std::string_view suffix;
  if (const size_t colon = name1253.find(':'); colon != std::string_view::npos) {
    file = name1253.substr(0, colon);
    suffix = name1253.substr(colon + 1);
    if (!suffix.empty() && suffix.front() == ' ') suffix.remove_prefix(1);
  }
  // The file may sit in folders of its own below the pages' folder; the suffix names one
  // folder and nothing else. A drive letter ("C:\...") leaves a one-letter file and a suffix
  // starting with a separator, and is refused here.
  if (file.empty() || IsSeparator(file.front())) return std::nullopt;
  const auto parts = PlainComponents(file);
  if (!parts) return std::nullopt;
  if (!suffix.empty()) {
    const auto suffixParts = PlainComponents(suffix);
    if (!suffixParts || suffixParts->size() != 1 || suffixParts->front() != suffix) {
      return std::nullopt;
    }
  }
  std::string relative = "weblinks\\html" + std::string(suffix);
  for (const std::string& part : *parts) relative += "\\" + part;
  const std::string path = JoinTitlePath(ParentPath(titleDirectory), relative);
  for (const std::string& candidate : {path, path + ".HTM"}) {
    const auto found = FindTitleFile(overrideDirectory, candidate, 3);
    if (!found) continue;
    if (auto inside = InsideFolder(*found, parts->size())) return inside;
  }
  return std::nullopt;
}

std::string FileUri(std::string_view diskPath) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  std::string uri = "file://";
  for (char c : diskPath) {
    const auto byte = static_cast<unsigned char>(c);
    const bool kept = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
                      c == '-' || c == '.' || c == '_' || c == '~' || c == '/';
    if (kept) {
      uri += c;
    } else {
      uri += '%';
      uri += kHex[byte >> 4];
      uri += kHex[byte & 0x0F];
    }
  }
  return uri;
}

}  // namespace zd
