// Page objects that show pictures: sprites and Draw drawings, each drawn from the resource its
// page loaded into the cache.
#pragma once

namespace zd {

class ObjectTypes;
class Runtime;

void RegisterPictureObjectTypes(ObjectTypes& types, Runtime& runtime);

}  // namespace zd
