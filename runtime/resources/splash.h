// The splash picture ("IDB_Splash"): a 256-colour picture with its own palette, shown while
// the player starts and while no title is loaded.
#pragma once

#include "platform/types.h"

namespace zd {

// Decodes the picture built into the program. An empty picture (width 0) if it cannot be read.
platform::IndexedImage LoadSplash();

}  // namespace zd
