#include "title/title_files.h"

#include "base/seam.h"
#include "runtime.h"

namespace zd {

bool TitleFiles::OpenTitle(const std::string& path) {
  TraceSeam(runtime_.trace, "title.open " + path);
  return false;
}

void TitleFiles::ClearResourceCache() { TraceSeam(runtime_.trace, "title.clear-resource-cache"); }
void TitleFiles::FreeTitleImage() { TraceSeam(runtime_.trace, "title.free-image"); }

}  // namespace zd
