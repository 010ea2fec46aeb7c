// Reads a title directory back into a description: its authorfile (see authorfile_reader.h),
// its numbered resources, fonts, movies and any other files.
#pragma once

#include <filesystem>
#include <optional>
#include <string>

#include "titlekit/authorfile_reader.h"
#include "titlekit/title_model.h"

namespace zd::titlekit {

struct TitleReading {
  std::filesystem::path directory, authorfilePath;
  AuthorfileReading authorfile;
  Title title;  // writes back to the same files (large files are referred to by path)
};

// The authorfile of a directory, chosen as the player chooses it: "authorfi", then
// "authorfi.le", then the alphabetically first "auth*" name (letter case ignored throughout).
std::optional<std::filesystem::path> FindAuthorfile(const std::filesystem::path& dir);

// `path` is the title directory or its authorfile; on failure `error` says why.
std::optional<TitleReading> ReadTitle(const std::filesystem::path& path, std::string& error);

// The path of a title file as the player resolves it, letter case ignored; empty when missing.
std::filesystem::path ResolveCaseless(const std::filesystem::path& dir, const std::string& relative);

}  // namespace zd::titlekit
