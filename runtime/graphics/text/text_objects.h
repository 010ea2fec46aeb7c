// Page objects that show text: plain text objects (their text in the record; those named with
// "+" are scripts and never shown) and styled-text objects (their marked-up text a resource).
// Anchors in the text take clicks and run what they say.
#pragma once

#include <string_view>

#include "graphics/text/styled_text.h"

namespace zd {

class ObjectTypes;
class PageObject;
class Runtime;
struct Rect;

void RegisterTextObjectTypes(ObjectTypes& types, Runtime& runtime);

// `text` in a box with the font, colours and flags of an object's text fields, as a text object
// draws its own (field displays and keyword hotspots draw their values so).
TextBoxInput ObjectTextInput(const PageObject& object, const Rect& box, std::string_view text);

}  // namespace zd
