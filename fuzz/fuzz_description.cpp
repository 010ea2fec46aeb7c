// zdbuild's title descriptions: parsing the JSON as zdbuild does (a refused description is a
// DescriptionError, anything else escaping is a fault), then writing each title's authorfile
// in memory. File references point into an empty folder, so no file is read.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "titlekit/authorfile_writer.h"
#include "titlekit/description_error.h"
#include "titlekit/description_json.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  try {
    const auto description = zd::titlekit::ParseDescriptionText(text, "/nonexistent/fuzz");
    for (const auto& title : description.titles) {
      if (title.authorfile.pages.size() > 64) continue;  // size, not rules, past this
      zd::titlekit::WriteAuthorfile(title.authorfile);
    }
  } catch (const zd::titlekit::DescriptionError&) {
  }
  return 0;
}
