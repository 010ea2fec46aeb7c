// Movie references: the text of a reference resource, split into a name and a "qtime" folder,
// and the files it may lead to, none of which may lie outside the title.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "movie/movie_reference.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  const std::string fromResource = zd::MovieReferenceText(bytes);
  for (const std::string_view text : {std::string_view(fromResource), bytes}) {
    const zd::MovieReference reference = zd::SplitMovieReference(text);
    for (const bool animation : {false, true}) {
      for (const auto& candidate : zd::MovieFileCandidates(reference, animation)) {
        if (!zd::StaysInsideFolder(candidate)) std::abort();
      }
    }
  }
  return 0;
}
