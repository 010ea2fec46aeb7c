// What a page object gives to be saved: its bytes as they are to be written and the kind that
// decides the formats offered.
#pragma once

#include <cstdint>
#include <string>
#include <variant>
#include <vector>

#include "graphics/rect.h"
#include "title/authorfile.h"
#include "title/export/export_formats.h"

namespace zd {

class Runtime;

struct ObjectToSave {
  ExportKind kind = ExportKind::Text;
  // Sprites: one sprite, from its offset-to-next word, decompressed and as its file holds it
  // (rows top-down, not prepared for display). Drawings: the Draw file without the end word
  // the cache adds. Texts: code page 1253 text, markup included. Maps: the data as it is.
  std::vector<uint8_t> bytes;
  Rect box;  // where the object lies on the page (pictures are rendered at this size)
};

// The object's data, or the key of the message that says why there is none.
std::variant<ObjectToSave, std::string> DataOfObject(Runtime& runtime, const ObjectRef& ref);

}  // namespace zd
