// The tags of styled text: reading a tag's name and attributes, and what each tag does to the
// text style.
#pragma once

#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "graphics/text/text_style.h"

namespace zd {

constexpr size_t MAX_TAG_LENGTH = 255;

struct MarkupTag {
  std::string name;  // upper case
  std::vector<std::pair<std::string, std::string>> attributes;  // names upper case
};

// `text` is what stands between "<" and ">" (only its first 255 characters count). Attributes
// are name=value pairs; a value is quoted or runs to the next comma or space; an attribute
// without a value, or one that is not a name, ends the list.
MarkupTag ParseTag(std::string_view text);

struct TagEffect {
  bool fontChanged = false, coloursChanged = false;
};

// Applies one tag to `style`. Headings size themselves from the object's own font (`base`).
TagEffect ApplyTag(std::string_view tagText, TextStyle& style, const TextStyle& base);

}  // namespace zd
