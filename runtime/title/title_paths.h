// Paths of title files as titles and the command line write them: code page 1253, with "\" or
// "/" between components. New paths follow the separator their base already uses, so messages
// show paths the way the user wrote them.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace zd {

std::string JoinTitlePath(std::string_view base, std::string_view name);
std::string_view LastComponent(std::string_view path);
// The path less its last component (empty when it has only one).
std::string_view ParentPath(std::string_view path);
// The last `count` components, joined with "\" (the form appended to the override directory).
std::string LastComponents(std::string_view path, int count);

// Finds a title file: below the override directory first (with the path's last `components`
// components appended), then at the path itself. Returns the path on disk, or nullopt.
std::optional<std::string> FindTitleFile(std::string_view overrideDirectory, std::string_view path,
                                         int components);

}  // namespace zd
