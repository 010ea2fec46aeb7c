// One sprite as a sprite file of its own.
#pragma once

#include <string>

#include "base/byte_view.h"
#include "title/export/export_result.h"

namespace zd {

// Three words (one sprite, the first sprite at 16, free space after it), then the sprite,
// its length taken from its own first word and held to the data there is.
ExportResult EncodeSpriteFile(ByteView sprite, std::string& file);

}  // namespace zd
