// Web links: the user's browsers, the browser setting and opening links.
#pragma once

namespace zd {

class Runtime;

class WebLinks {
 public:
  explicit WebLinks(Runtime& runtime) : runtime_(runtime) {}

  void ClearBrowserList();
  void ReleaseBrowserList();
  void BrowserSetup();

 private:
  Runtime& runtime_;
};

}  // namespace zd
