// Drawing resources of a description: a Draw file written from shapes (paths of moves, lines,
// curves and closes with their colours, width, caps and dash pattern; text lines in the fonts of
// a font table; text areas; sprites; groups and tagged objects).
#pragma once

#include <filesystem>
#include <string>

#include "titlekit/json_fields.h"

namespace zd::titlekit {

// The "drawing" member of a resource, as the bytes of a Draw file; throws DescriptionError
// naming the field at fault.
std::string ParseDrawing(const Json& json, const std::string& where,
                         const std::filesystem::path& baseDir);

}  // namespace zd::titlekit
