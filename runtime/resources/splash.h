// The splash picture ("IDB_Splash"): a 256-colour picture with its own palette, shown while
// the player starts and while no title is loaded.
#pragma once

#include "base/language.h"
#include "platform/types.h"

namespace zd {

// Decodes the picture built into the program, with its line of text in `language`. An empty
// picture (width 0) if it cannot be read.
platform::IndexedImage LoadSplash(Language language);

}  // namespace zd
