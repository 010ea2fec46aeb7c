#include "title/title_paths.h"

#include <vector>

#include "platform/files.h"

namespace zd {
namespace {

bool IsSeparator(char c) { return c == '\\' || c == '/'; }

}  // namespace

std::string JoinTitlePath(std::string_view base, std::string_view name) {
  if (base.empty()) return std::string(name);
  const char separator = base.find('/') != std::string_view::npos ? '/' : '\\';
  std::string out(base);
  if (!IsSeparator(out.back())) out += separator;
  while (!name.empty() && IsSeparator(name.front())) name.remove_prefix(1);
  for (char c : name) out += IsSeparator(c) ? separator : c;
  return out;
}

std::string_view LastComponent(std::string_view path) {
  while (!path.empty() && IsSeparator(path.back())) path.remove_suffix(1);
  const size_t cut = path.find_last_of("\\/");
  return cut == std::string_view::npos ? path : path.substr(cut + 1);
}

std::string_view ParentPath(std::string_view path) {
  while (!path.empty() && IsSeparator(path.back())) path.remove_suffix(1);
  const size_t cut = path.find_last_of("\\/");
  if (cut == std::string_view::npos) return {};
  return cut == 0 ? path.substr(0, 1) : path.substr(0, cut);
}

std::string LastComponents(std::string_view path, int count) {
  std::vector<std::string_view> parts;
  for (int i = 0; i < count && !path.empty(); ++i) {
    const std::string_view last = LastComponent(path);
    if (last.empty()) break;
    parts.insert(parts.begin(), last);
    path = ParentPath(path);
  }
  std::string out;
  for (const auto& part : parts) {
    if (!out.empty()) out += '\\';
    out += part;
  }
  return out;
}

std::optional<std::string> FindTitleFile(std::string_view overrideDirectory, std::string_view path,
                                         int components) {
  if (!overrideDirectory.empty()) {
    const std::string newer =
        JoinTitlePath(overrideDirectory, LastComponents(path, components));
    if (auto found = platform::ResolvePath(newer); found && !platform::IsDirectory(*found)) {
      return found;
    }
  }
  auto found = platform::ResolvePath(path);
  if (found && platform::IsDirectory(*found)) return std::nullopt;
  return found;
}

}  // namespace zd
