// zdinfo's texts: the words of a title's text objects and styled-text resources, without their
// markup, as UTF-8 text files.
#pragma once

#include <ostream>
#include <string>

#include "titlekit/title_reader.h"

namespace zd::info {

// zdinfo TITLE --export DIR: every resource a styled-text object (type 5) uses as
// DIR/res<d>-res<n>.txt, and the text of every text object (type 4) that is not a script as
// DIR/page<p>-object<o>.txt (both counted from 0). Returns 0 when every one was written, 1 when
// any could not be.
int ExportTitleTexts(const titlekit::TitleReading& title, const std::string& dir,
                     std::ostream& out, std::ostream& err);

}  // namespace zd::info
