// Web links: the "webbrowse" command, pages shipped with a title, and opening addresses in the
// chosen browser.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "weblink/browsers.h"

namespace zd {

class Runtime;

// Time that must pass between two attempts to open a page: a double click on a link, or a
// learner clicking again while the browser starts, opens it once.
constexpr uint32_t kWebAttemptIntervalMs = 3000;

class WebLinks {
 public:
  explicit WebLinks(Runtime& runtime);

  // Called when a title starts and when the player ends.
  void ClearBrowserList();
  void ReleaseBrowserList();
  // The browser settings dialog (message 1286); opens the pending link after OK.
  void BrowserSetup();

  // "webbrowse KIND PAGE" (code page 1253): KIND "Local" (a page shipped with the title) or
  // "URL" (a web address).
  void WebBrowse(std::string_view kind, std::string_view page);
  // Starts the chosen browser on `address` (UTF-8, already checked), once.
  void OpenAddress(const std::string& address);

  Browsers& browsers() { return browsers_; }
  const std::optional<std::string>& pendingLink() const { return pendingLink_; }

 private:
  void PauseMedia();
  void ResumeMedia();

  Runtime& runtime_;
  Browsers browsers_;
  std::optional<std::string> pendingLink_;
  std::optional<uint32_t> lastAttempt_;
  bool setupPosted_ = false;  // message 1286 is queued; later links replace the pending one
  bool mediaPaused_ = false;  // the clock and the movies stand still for the settings dialog
};

}  // namespace zd
