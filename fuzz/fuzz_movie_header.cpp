// QuickTime movie headers: walking a file's atoms (sizes of 32 and 64 bits, sizes to the end,
// sizes that lie) to the time scale and duration of its "mvhd", in memory and from a file.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>

#include "movie/movie_header.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  zd::ReadMovieHeader(zd::ByteView(data, size));
  // The same bytes through the file reader, which seeks instead of holding the file. The file
  // goes when the run ends.
  struct ScratchFile {
    std::string path = "/tmp/zd-fuzz-movie-" + std::to_string(::getpid()) + ".mov";
    ~ScratchFile() { std::remove(path.c_str()); }
  };
  static const ScratchFile scratch;
  const std::string& path = scratch.path;
  if (std::FILE* f = std::fopen(path.c_str(), "wb")) {
    std::fwrite(data, 1, size, f);
    std::fclose(f);
    zd::ReadMovieHeaderFromFile(path);
  }
  return 0;
}
