// zdinfo's drawings: a Draw file rendered into a picture of a given size by the player's fitting
// rule, as a PNG in the title palette (white around and under it) and as SVG, one file at a
// time (--draw) or every drawing a title's drawing objects use (--export).
#pragma once

#include <ostream>
#include <string>

#include "titlekit/title_reader.h"

namespace zd::info {

// zdinfo --draw FILE [--png OUT] [--svg OUT] [--size WxH]. Returns the exit status: 0 written,
// 1 not.
int ConvertDrawFile(const std::string& file, const std::string& png, const std::string& svg,
                    int width, int height, std::ostream& out, std::ostream& err);

// Every resource a drawing object uses, as DIR/res<d>-res<n>.png and .svg at 640 x 480, drawn
// with the title's own font files. Returns 0 when every one was written, 1 when any could not be.
int ExportTitleDrawings(const titlekit::TitleReading& title, const std::string& dir,
                        std::ostream& out, std::ostream& err);

}  // namespace zd::info
