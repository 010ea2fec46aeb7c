// zdinfo's pictures: sprites converted to PNG in the colours of direct drawing with their masks
// as alpha, one from a sprite file (--sprite) or every sprite resource of a title (--export),
// and the short description of a sprite resource in the overview.
#pragma once

#include <optional>
#include <ostream>
#include <string>

#include "titlekit/title_reader.h"

namespace zd::info {

// The sprite of a resource file as the player reads it: a first word below 65 makes it a sprite
// file (the sprite from offset w1 - 4, the word at w1 - 8 plus 4 bytes long), "3TCS" is
// unpacked, anything else is the sprite itself. Nothing when the bytes cannot hold that much.
std::optional<std::string> SpriteOfResource(const std::string& bytes);

// "sprite "name", 79 x 98 px, mode 28 (8 bits), mask, 64 palette entries", or why it is not
// drawn.
std::string DescribeSprite(const std::string& sprite);

// zdinfo --sprite FILE --png OUT [--index N]: sprite N (from 0) of a sprite file, or the sprite
// of a resource file when N is 0. Returns the exit status: 0 written, 1 not (and nothing
// written).
int ConvertSpriteFile(const std::string& file, int index, const std::string& png,
                      std::ostream& out, std::ostream& err);

// zdinfo TITLE --export DIR: every resource a sprite object uses, as DIR/res<d>-res<n>.png.
// Returns 0 when every one was written, 1 when any could not be.
int ExportTitlePictures(const titlekit::TitleReading& title, const std::string& dir,
                        std::ostream& out, std::ostream& err);

}  // namespace zd::info
