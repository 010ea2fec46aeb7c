// Files as the runtime sees them: paths written the way titles write them (code page 1253,
// "\" or "/" separators, any letter case) resolved against the real file system.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zd::platform {

// The directory of the running program, ending in '/' (UTF-8, as on disk).
std::string ProgramDirectory();

// Finds the file or directory a title path names. Each component is matched exactly first and
// then without regard to case. Returns the path on disk (UTF-8), or nullopt when it does not exist.
std::optional<std::string> ResolvePath(std::string_view path1253);

// Resolves as much of the path as exists and keeps the rest as written (for files to create).
std::string ResolvePathForWriting(std::string_view path1253);

// Resolves a relative title path below a folder on disk (UTF-8), as ResolvePathForWriting
// does: existing components without regard to case, the rest as written. The caller has made
// sure the path stays below the folder.
std::string ResolveBelow(const std::string& diskFolder, std::string_view relative1253);

std::optional<std::string> ReadWholeFile(const std::string& diskPath);

// The size of a regular file; nullopt when there is none (or the path is a directory).
std::optional<uint64_t> FileSize(const std::string& diskPath);

bool IsDirectory(const std::string& diskPath);

// A path on disk made absolute against the current directory (unchanged when it cannot be).
std::string AbsolutePath(const std::string& diskPath);

// The names in a directory on disk (UTF-8), without "." and ".."; empty when it cannot be read.
std::vector<std::string> ListDirectory(const std::string& diskPath);

}  // namespace zd::platform
