// The rules of the file dialog that need no display: which names a filter shows, how entries
// are ordered, and what a typed name means. Names and patterns are UTF-8.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace zd::platform::sdl {

// Patterns as a filter gives them: "*.zds;*.zdv" (blanks around the parts are ignored).
std::vector<std::string> SplitPatterns(std::string_view patterns);

// True when `name` matches one of the ';'-separated glob patterns ('*' any run, '?' one
// character), without regard to letter case. "*.*" and "*" match every name, as they did on
// the original platform, where a name without a dot matched "*.*" too. An empty pattern list
// matches everything.
bool MatchesFilter(std::string_view name, std::string_view patterns);

// Case-insensitive order of names, so that "b" comes between "A" and "C".
bool NameLess(std::string_view a, std::string_view b);

// The path a typed text names: absolute as it is, "~" at the start for the home directory
// (when `home` is given), otherwise relative to `directory`; "." and ".." are resolved.
std::filesystem::path EnteredPath(const std::filesystem::path& directory, std::string_view text,
                                  std::string_view home);

// The folder a folder dialog answers when accepted: the one selected in the list, or the one
// shown when none is (or when the selection is the way up, "..").
std::filesystem::path ChosenFolder(const std::filesystem::path& shown, std::string_view selected);

// True when the typed text is a pattern rather than a name ("*.txt"): the dialog then lists
// by it instead of accepting it.
bool IsPattern(std::string_view text);

}  // namespace zd::platform::sdl
