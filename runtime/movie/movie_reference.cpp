#include "movie/movie_reference.h"

namespace zd {

std::string MovieReferenceText(std::string_view resourceStart) {
  std::string_view text = resourceStart.substr(0, kMovieReferenceBytes);
  text = text.substr(0, text.find('\0'));
  if (const size_t dot = text.rfind('.'); dot != std::string_view::npos) {
    text.remove_prefix(dot + 1);
  }
  text = text.substr(0, kMovieReferenceLength);
  if (const size_t lineFeed = text.rfind('\n'); lineFeed != std::string_view::npos) {
    text = text.substr(0, lineFeed);
    // Reference files written on DOS end their line with CR LF; a name never ends in a CR.
    if (!text.empty() && text.back() == '\r') text.remove_suffix(1);
  }
  return std::string(text);
}

MovieReference SplitMovieReference(std::string_view reference) {
  MovieReference out;
  const size_t colon = reference.find(':');
  out.name = std::string(reference.substr(0, colon));
  if (colon != std::string_view::npos) {
    std::string_view rest = reference.substr(colon + 1);
    if (!rest.empty() && rest.front() == ' ') rest.remove_prefix(1);
    out.subdirectory = std::string(rest);
  }
  return out;
}

bool StaysInsideFolder(std::string_view relative) {
  if (relative.empty()) return true;
  if (relative.front() == '\\' || relative.front() == '/') return false;
  if (relative.find(':') != std::string_view::npos) return false;  // a drive or a stream
  size_t start = 0;
  while (start <= relative.size()) {
    const size_t end = relative.find_first_of("\\/", start);
    const std::string_view part =
        relative.substr(start, end == std::string_view::npos ? std::string_view::npos : end - start);
    // Windows also drops trailing dots and blanks, so "..." and ".. " lead up as ".." does.
    const size_t kept = part.find_last_not_of(". ");
    if (!part.empty() && kept == std::string_view::npos && part.find("..") != std::string_view::npos) {
      return false;
    }
    if (end == std::string_view::npos) break;
    start = end + 1;
  }
  return true;
}

std::vector<std::string> MovieFileCandidates(const MovieReference& reference, bool animation) {
  const std::string relative = std::string(animation ? "tween\\" : "movies\\") + "qtime" +
                               reference.subdirectory + "\\" + reference.name;
  if (reference.name.empty() || !StaysInsideFolder(relative)) return {};
  return {relative, relative + ".mov"};
}

}  // namespace zd
