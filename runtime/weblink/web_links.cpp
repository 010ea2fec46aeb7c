#include "weblink/web_links.h"

#include <cstdlib>

#include "runtime.h"

namespace zd {

WebLinks::WebLinks(Runtime& runtime)
    : runtime_(runtime),
      browsers_(BrowserSources{std::getenv, {}}, runtime.config.language, runtime.trace) {}

void WebLinks::ClearBrowserList() { browsers_.Clear(); }
void WebLinks::ReleaseBrowserList() { browsers_.Clear(); }
void WebLinks::BrowserSetup() {}
void WebLinks::WebBrowse(std::string_view, std::string_view) {}

}  // namespace zd
