#include "titlekit/title_reader.h"

#include <algorithm>
#include <fstream>
#include <sstream>
#include <vector>

namespace zd::titlekit {
namespace fs = std::filesystem;
namespace {

// Files above this size are described by their path rather than by their bytes.
constexpr uintmax_t kLargestEmbedded = 64 * 1024;
constexpr size_t kMostFiles = 20000;

std::string Lower(std::string text) {
  for (char& c : text) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return text;
}

std::optional<Bytes> ReadWhole(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return std::nullopt;
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

// "res<d>/res<n>" exactly as the writer names resources (decimal without leading zeros).
bool ParseResourcePath(const std::string& rel, uint16_t& dir, uint16_t& number) {
  auto number16 = [](const std::string& digits, uint16_t& out) {
    if (digits.empty() || digits.size() > 5 || (digits.size() > 1 && digits[0] == '0')) return false;
    if (digits.find_first_not_of("0123456789") != std::string::npos) return false;
    const unsigned long v = std::stoul(digits);
    if (v > 65535) return false;
    out = static_cast<uint16_t>(v);
    return true;
  };
  const size_t slash = rel.find('/');
  if (slash == std::string::npos || rel.compare(0, 3, "res") != 0 ||
      rel.compare(slash + 1, 3, "res") != 0) {
    return false;
  }
  return number16(rel.substr(3, slash - 3), dir) && number16(rel.substr(slash + 4), number);
}

void AddFile(Title& title, const std::string& rel, const fs::path& path, const Bytes* bytes) {
  uint16_t dir = 0, number = 0;
  if (bytes && ParseResourcePath(rel, dir, number)) {
    Resource resource;
    resource.dir = dir;
    resource.number = number;
    resource.content.data = *bytes;
    title.resources.push_back(std::move(resource));
    return;
  }
  PlacedFile placed;
  placed.path = rel;
  if (bytes) {
    placed.content.data = *bytes;
  } else {
    placed.content.sourcePath = fs::absolute(path).string();
  }
  // Fonts are written below "fonts/" exactly; movies may lie anywhere below either folder the
  // player looks in.
  const std::string top = Lower(rel.substr(0, rel.find('/') + 1));
  if (rel.rfind("fonts/", 0) == 0) {
    placed.content.sourcePath = fs::absolute(path).string();
    title.fonts.push_back(std::move(placed));
  } else if (top == "movies/" || top == "tween/") {
    placed.content.sourcePath = fs::absolute(path).string();
    title.movies.push_back(std::move(placed));
  } else {
    title.files.push_back(std::move(placed));
  }
}

}  // namespace

std::optional<fs::path> FindAuthorfile(const fs::path& dir) {
  std::vector<std::string> names;
  std::error_code error;
  for (const auto& entry : fs::directory_iterator(dir, error)) {
    if (entry.is_regular_file(error)) names.push_back(entry.path().filename().string());
  }
  for (const char* wanted : {"authorfi", "authorfi.le"}) {
    for (const std::string& name : names) {
      if (Lower(name) == wanted) return dir / name;
    }
  }
  std::sort(names.begin(), names.end(), [](const std::string& a, const std::string& b) {
    return Lower(a) < Lower(b);
  });
  for (const std::string& name : names) {
    if (Lower(name).rfind("auth", 0) == 0) return dir / name;
  }
  return std::nullopt;
}

fs::path ResolveCaseless(const fs::path& dir, const std::string& relative) {
  fs::path current = dir;
  std::error_code error;
  for (const auto& part : fs::path(relative)) {
    const std::string wanted = Lower(part.string());
    fs::path found;
    for (const auto& entry : fs::directory_iterator(current, error)) {
      if (Lower(entry.path().filename().string()) == wanted) {
        found = entry.path();
        break;
      }
    }
    if (found.empty()) return {};
    current = found;
  }
  return current;
}

std::optional<TitleReading> ReadTitle(const fs::path& path, std::string& error) {
  TitleReading r;
  std::error_code ec;
  if (fs::is_directory(path, ec)) {
    r.directory = path;
    const auto found = FindAuthorfile(path);
    if (!found) {
      error = "no authorfile (authorfi, authorfi.le or auth*) in " + path.string();
      return std::nullopt;
    }
    r.authorfilePath = *found;
  } else if (fs::is_regular_file(path, ec)) {
    r.authorfilePath = path;
    r.directory = path.parent_path().empty() ? fs::path(".") : path.parent_path();
  } else {
    error = "no such title: " + path.string();
    return std::nullopt;
  }
  const auto bytes = ReadWhole(r.authorfilePath);
  if (!bytes) {
    error = "cannot read " + r.authorfilePath.string();
    return std::nullopt;
  }
  r.authorfile = ReadAuthorfile(*bytes);
  Title& title = r.title;
  title.directory = fs::absolute(r.directory).lexically_normal().filename().string();
  if (title.directory.empty()) {
    title.directory = fs::absolute(r.directory).lexically_normal().parent_path().filename().string();
  }
  title.authorfileName = r.authorfilePath.filename().string();
  title.authorfile = r.authorfile.described;

  std::vector<std::pair<std::string, fs::path>> files;
  for (auto it = fs::recursive_directory_iterator(r.directory, ec);
       it != fs::recursive_directory_iterator() && files.size() < kMostFiles; it.increment(ec)) {
    if (ec) break;
    if (!it->is_regular_file(ec)) continue;
    const std::string rel = it->path().lexically_relative(r.directory).generic_string();
    if (rel != *title.authorfileName) files.emplace_back(rel, it->path());
  }
  std::sort(files.begin(), files.end());
  for (const auto& [rel, file] : files) {
    const uintmax_t size = fs::file_size(file, ec);
    uint16_t dir = 0, number = 0;
    // Resources and small files are described by their bytes, so the description stands alone.
    if (!ec && (size <= kLargestEmbedded || ParseResourcePath(rel, dir, number))) {
      const auto data = ReadWhole(file);
      if (data) {
        AddFile(title, rel, file, &*data);
        continue;
      }
    }
    AddFile(title, rel, file, nullptr);
  }
  std::sort(title.resources.begin(), title.resources.end(), [](const Resource& a, const Resource& b) {
    return std::pair(a.dir, a.number) < std::pair(b.dir, b.number);
  });
  return r;
}

}  // namespace zd::titlekit
