// Whether what zdinfo is given is a title at all, checked before anything is decoded: a path
// that names nothing, a folder without an authorfile or a file of other bytes is refused in one
// line instead of being described at length.
#pragma once

#include <filesystem>
#include <optional>
#include <string>

namespace zd::info {

// The reason `path` is not a title, or nothing when it is one (a title folder or an authorfile,
// however damaged its records are).
std::optional<std::string> WhyNotATitle(const std::filesystem::path& path);

}  // namespace zd::info
