// The movie header of a QuickTime file: the "mvhd" atom inside "moov", which states the movie's
// time scale (units a second) and its duration in those units. Media libraries pass these on
// only after their own corrections (a time scale of 0 becomes 1), while titles were made
// against what the file says, a time scale of 0 included; so the player reads them itself.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "base/byte_view.h"

namespace zd {

struct MovieHeader {
  uint32_t timeScale = 0;
  uint64_t duration = 0;
};

// From the atoms of a whole file held in memory; nullopt when no whole "moov" atom holding a
// whole "mvhd" atom is found.
std::optional<MovieHeader> ReadMovieHeader(ByteView file);

// From a file on disk, reading only the top-level atoms' headers and the "moov" atom (which
// may come after the media data).
std::optional<MovieHeader> ReadMovieHeaderFromFile(const std::string& path);

}  // namespace zd
