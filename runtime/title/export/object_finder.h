// Which page object a right-click at a page pixel would save: pictures, drawings, texts,
// database field displays and maps that the learner can see there.
#pragma once

#include <optional>

#include "title/authorfile.h"

namespace zd {

class Runtime;

// Every open page from the bottom up and every object in page order: the last object that
// matches wins. nullopt when no title runs or nothing savable lies under the point.
std::optional<ObjectRef> FindObjectToSave(Runtime& runtime, int pageX, int pageY);

}  // namespace zd
