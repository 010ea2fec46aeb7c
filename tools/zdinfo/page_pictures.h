// zdinfo's pictures of pages: one page as it looks when first shown, or every page small on a
// contact sheet, drawn by the player's own page composer without playing the title.
#pragma once

#include <ostream>
#include <string>

namespace zd::info {

// Exit status: 0 written, 1 the title or page cannot be read or the file not written.
int WritePagePicture(const std::string& title, const std::string& page, const std::string& png,
                     std::ostream& err);
int WriteContactSheet(const std::string& title, const std::string& png, std::ostream& err);

}  // namespace zd::info
