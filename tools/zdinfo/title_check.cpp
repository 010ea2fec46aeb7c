#include "zdinfo/title_check.h"

#include <cerrno>
#include <cstring>
#include <fstream>
#include <iterator>

#include "titlekit/authorfile_reader.h"
#include "titlekit/title_reader.h"

namespace zd::info {

namespace fs = std::filesystem;

std::optional<std::string> WhyNotATitle(const fs::path& path) {
  std::error_code ec;
  const fs::file_status status = fs::status(path, ec);
  if (!fs::exists(status)) return "no such file or folder";
  fs::path authorfile = path;
  if (fs::is_directory(status)) {
    const auto found = titlekit::FindAuthorfile(path);
    if (!found) return "a folder without an authorfile (authorfi, authorfi.le or auth*)";
    authorfile = *found;
  } else if (!fs::is_regular_file(status)) {
    return "not a file or a folder";
  }
  std::ifstream in(authorfile, std::ios::binary);
  if (!in) return "cannot read " + authorfile.filename().string() + ": " + std::strerror(errno);
  std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (in.bad()) return "cannot read " + authorfile.filename().string();
  if (bytes.compare(0, 4, "Auth") == 0) return std::nullopt;
  // A damaged magic on a file whose records all read is still a title to look into (the
  // overview says the player refuses it); other bytes are something else.
  const titlekit::AuthorfileReading reading = titlekit::ReadAuthorfile(bytes);
  if (reading.structured.raw || reading.structured.pages.empty() || !reading.notes.empty()) {
    return "not an authorfile (" + authorfile.filename().string() +
           " does not begin with \"Auth\" and its records do not read)";
  }
  return std::nullopt;
}

}  // namespace zd::info
