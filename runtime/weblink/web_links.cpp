#include "weblink/web_links.h"

#include "base/seam.h"
#include "runtime.h"

namespace zd {

void WebLinks::ClearBrowserList() { TraceSeam(runtime_.trace, "weblinks.clear-browsers"); }
void WebLinks::ReleaseBrowserList() { TraceSeam(runtime_.trace, "weblinks.release-browsers"); }
void WebLinks::BrowserSetup() { TraceSeam(runtime_.trace, "weblinks.browser-setup"); }

}  // namespace zd
