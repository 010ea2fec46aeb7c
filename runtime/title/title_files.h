// Title files: finding and loading a title's authorfile, its pages and sections, and the
// resource cache.
#pragma once

#include <string>

namespace zd {

class Runtime;

class TitleFiles {
 public:
  explicit TitleFiles(Runtime& runtime) : runtime_(runtime) {}

  // Opens the title whose authorfile path (or directory) is given; reports its own failures.
  bool OpenTitle(const std::string& path);
  void ClearResourceCache();
  void FreeTitleImage();

 private:
  Runtime& runtime_;
};

}  // namespace zd
