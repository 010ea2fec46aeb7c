// Picture resources of a description: a sprite made from a PNG picture (in a chosen mode, with
// the 256-colour rule, the default tables or a palette of its own, and a mask from its alpha),
// or one sprite taken out of a sprite file. Either way the resource holds one bare sprite.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "titlekit/json_fields.h"
#include "titlekit/sprite_writer.h"

namespace zd::titlekit {

struct PictureResource {
  Bytes sprite;
  bool compress = false;
};

// The "picture" member of a resource; throws DescriptionError naming the field at fault.
PictureResource ParsePicture(const Json& json, const std::string& where,
                             const std::filesystem::path& baseDir);

// How the colours of a PNG become sprite pixels.
struct PictureColours {
  enum class Palette { Rule, Own, Given } palette = Palette::Rule;
  std::vector<uint32_t> given;  // palette words, for Palette::Given
};

// An RGBA picture as sprite pixels: every pixel takes the nearest of the colours the player
// shows for the sprite when it draws it directly, and with `mask` alpha below 128 is
// transparent (without it, alpha is ignored).
SpritePicture PictureFromRgba(int width, int height, const std::vector<uint8_t>& rgba,
                              uint32_t mode, const PictureColours& colours, bool mask,
                              std::string name);

}  // namespace zd::titlekit
