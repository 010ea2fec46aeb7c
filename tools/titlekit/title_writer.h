// Writes described titles to disk: the authorfile, numbered resources under "res<dir>", fonts,
// movies and other files; several titles side by side, and an override directory tree.
#pragma once

#include <filesystem>
#include <string>

#include "titlekit/title_model.h"

namespace zd::titlekit {

// The bytes of a resource file as it is written (compressed when asked).
Bytes ResourceBytes(const Resource& resource);
std::string ResourcePath(uint16_t dir, uint16_t number);  // "res<dir>/res<number>"

// Writes one title into `dir` (created when missing; files already there are left alone unless
// written again). Throws DescriptionError with `where` leading the place of the fault.
void WriteTitle(const Title& title, const std::filesystem::path& dir, const std::string& where);

// A single title goes to `outDir` itself; several go to `outDir`/<directory>, and the override
// tree to `outDir`/<override directory>.
void WriteDescription(const Description& description, const std::filesystem::path& outDir);

// zdbuild --database: one database's six files into `dir`.
void WriteDatabaseFolder(const Database& database, const std::filesystem::path& dir);

}  // namespace zd::titlekit
