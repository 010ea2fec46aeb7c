#include "database/database_locate.h"

#include <algorithm>
#include <vector>

#include "base/cp1253.h"
#include "base/text.h"
#include "database/database_layout.h"
#include "platform/files.h"
#include "title/title_paths.h"

namespace zd {
namespace {

// A name and folder suffix must each stay one path component.
bool OneComponent(std::string_view part) {
  return part.find_first_of("\\/") == std::string_view::npos &&
         part.find("..") == std::string_view::npos;
}

// The directory entries of `folder` whose name is `name` but for its first character.
std::optional<std::string> SimilarFolder(const std::string& folder, std::string_view name) {
  const auto onDisk = platform::ResolvePath(folder);
  if (!onDisk) return std::nullopt;
  std::vector<std::string> matches;
  for (const std::string& entry : platform::ListDirectory(*onDisk)) {
    const std::string candidate = Utf8ToCp1253(entry);
    if (candidate.size() == name.size() &&
        EqualsIgnoreCase1253(std::string_view(candidate).substr(1), name.substr(1)) &&
        platform::IsDirectory(*onDisk + "/" + entry)) {
      matches.push_back(candidate);
    }
  }
  if (matches.empty()) return std::nullopt;
  return *std::min_element(matches.begin(), matches.end(),
                           [](const std::string& a, const std::string& b) {
                             return ToUpper1253(a) < ToUpper1253(b);
                           });
}

}  // namespace

std::optional<std::string> LocateDatabase(std::string_view titleDirectory, std::string_view name,
                                          const std::string& overrideDirectory) {
  std::string_view suffix;
  if (const size_t colon = name.find(':'); colon != std::string_view::npos) {
    suffix = name.substr(colon + 1);
    if (!suffix.empty() && suffix.front() == ' ') suffix.remove_prefix(1);
    name = name.substr(0, colon);
  }
  if (name.empty() || name == "." || !OneComponent(name) || !OneComponent(suffix)) {
    return std::nullopt;
  }
  const std::string ravel =
      JoinTitlePath(JoinTitlePath(ParentPath(titleDirectory), "database"),
                    "ravel" + std::string(suffix));
  const std::string folder = JoinTitlePath(ravel, name);
  if (FindTitleFile(overrideDirectory, JoinTitlePath(folder, "DESCRIBE"),
                    database_layout::kPathComponents)) return folder;
  const auto similar = SimilarFolder(ravel, name);
  if (!similar) return std::nullopt;
  return JoinTitlePath(ravel, *similar);
}

}  // namespace zd
