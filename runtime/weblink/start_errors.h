// Why a browser did not start, as the message key the user is shown.
#pragma once

namespace zd {

// The "wblerr" key for an errno value from starting the browser program.
const char* StartErrorKey(int error);

}  // namespace zd
