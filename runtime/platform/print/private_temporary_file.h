// A file for a document on its way to the printer: made afresh, readable by this user only,
// in the user's runtime folder when there is one (else the temporary folder).
#pragma once

#include <string>
#include <string_view>

namespace zd::platform {

// Creates an empty file named `prefix`, a unique part and `suffix`, mode 0600, and returns its
// path (UTF-8); empty when no such file could be made.
std::string CreatePrivateTemporaryFile(std::string_view prefix, std::string_view suffix);

}  // namespace zd::platform
