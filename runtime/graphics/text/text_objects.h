// Page objects that show text: plain text objects (their text in the record; those named with
// "+" are scripts and never shown) and styled-text objects (their marked-up text a resource).
// Anchors in the text take clicks and run what they say.
#pragma once

namespace zd {

class ObjectTypes;
class Runtime;

void RegisterTextObjectTypes(ObjectTypes& types, Runtime& runtime);

}  // namespace zd
