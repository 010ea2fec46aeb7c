// The program's pointer images, by resource name ("IDC_HANDPOINT" and the rest).
#pragma once

#include <string_view>

#include "platform/cursor_image.h"

namespace zd {

// The image of a cursor resource, or nullptr when the program has none of that name.
const platform::CursorImage* FindCursorImage(std::string_view resourceName);

}  // namespace zd
