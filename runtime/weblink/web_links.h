// Web links: the "webbrowse" command, pages shipped with a title, and opening addresses in the
// chosen browser.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "weblink/browsers.h"

namespace zd {

class Runtime;

class WebLinks {
 public:
  explicit WebLinks(Runtime& runtime);

  // Called when a title starts and when the player ends.
  void ClearBrowserList();
  void ReleaseBrowserList();
  // The browser settings dialog (message 1286); opens the pending link after OK.
  void BrowserSetup();

  // "webbrowse KIND PAGE" (code page 1253).
  void WebBrowse(std::string_view kind, std::string_view page);

  Browsers& browsers() { return browsers_; }

 private:
  Runtime& runtime_;
  Browsers browsers_;
  std::optional<std::string> pendingLink_;
  std::optional<uint32_t> lastAttempt_;
};

}  // namespace zd
