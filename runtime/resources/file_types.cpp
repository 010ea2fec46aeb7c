#include "resources/file_types.h"

namespace zd {

std::vector<platform::FileFilter> FileTypesFromList(const std::string& list) {
  std::vector<platform::FileFilter> types;
  size_t at = 0;
  while (at < list.size()) {
    const size_t labelEnd = list.find(';', at);
    if (labelEnd == std::string::npos) break;
    const size_t patternEnd = list.find(';', labelEnd + 1);
    const size_t end = patternEnd == std::string::npos ? list.size() : patternEnd;
    types.push_back(
        {list.substr(at, labelEnd - at), list.substr(labelEnd + 1, end - labelEnd - 1)});
    at = end + 1;
  }
  return types;
}

}  // namespace zd
