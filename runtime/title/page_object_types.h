// The object types the page engine owns itself: rectangles, hotspots and areas.
#pragma once

namespace zd {

class Graphics;
class ObjectTypes;

void RegisterPageObjectTypes(ObjectTypes& types, Graphics& graphics);

}  // namespace zd
