#include "weblink/browser_settings_dialog.h"

#include "runtime.h"

namespace zd {

bool RunBrowserSettingsDialog(Runtime&, Browsers&) { return false; }

}  // namespace zd
