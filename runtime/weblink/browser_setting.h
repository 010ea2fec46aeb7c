// The browser the user chose, as the settings file keeps it: [Internet] "Browser Path", a
// whole path on disk or "NONE". The file is shared with the player's own settings, so writing
// the key keeps every other section, key and comment as it was.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zd {

inline constexpr std::string_view kNoBrowser = "NONE";

// The chosen path the file's text names, or "NONE"; what cannot be used (a relative path, a
// value that is no path) is told in `notes` and reads as "NONE".
std::string ReadBrowserPath(std::string_view text, std::vector<std::string>& notes);

// The file's new text: `previousText` with the key set to `path`; nullopt when the path cannot
// be kept in the file as it is (line breaks, blanks at its ends, too long) and would read back
// as another path.
std::optional<std::string> WriteBrowserPath(std::string_view path, std::string_view previousText);

}  // namespace zd
