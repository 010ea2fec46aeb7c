// Web pages shipped with a title: found in the "weblinks" folder beside the title's folder and
// handed to the browser as file:// addresses.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace zd {

// The page a "webbrowse Local" name gives (code page 1253): "FILE" or "FILE:SUFFIX" (a blank
// may follow the colon) is FILE in the folder "weblinks\htmlSUFFIX" beside the title directory,
// tried as written and then with ".HTM", below the override directory first, letters in any
// case. Returns the page's real path on disk (UTF-8), or nullopt when there is none. Names that
// could leave that folder ("..", absolute names, drive letters) are never found, nor is a page
// whose real path (after symbolic links) lies outside the pages' folder, nor any page when the
// pages' folder's real path lies outside the real folder that holds the title directory.
std::optional<std::string> FindLocalPage(std::string_view overrideDirectory,
                                         std::string_view titleDirectory,
                                         std::string_view name1253);

// "file://" and the path (UTF-8 bytes as on disk), every byte other than letters, digits,
// "-", ".", "_", "~" and "/" written as %XX.
std::string FileUri(std::string_view diskPath);

}  // namespace zd
