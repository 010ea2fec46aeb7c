#include "title/pages.h"

#include "base/seam.h"
#include "runtime.h"

namespace zd {

void Pages::ShowFirstSection() { TraceSeam(runtime_.trace, "pages.show-first-section"); }
void Pages::ClosePage(int closeMode) {
  TraceSeam(runtime_.trace, "pages.close-page " + std::to_string(closeMode));
}
void Pages::CloseAllPages() { TraceSeam(runtime_.trace, "pages.close-all"); }
void Pages::StartTitleAt(uint32_t section) {
  TraceSeam(runtime_.trace, "pages.start-title-at " + std::to_string(section));
}
void Pages::PaintPage() { runtime_.graphics.pageCanvas().Fill(0); }
void Pages::KeyDown(int virtualKey, int) {
  TraceSeam(runtime_.trace, "pages.key " + std::to_string(virtualKey));
}
void Pages::LeftButtonUp(int pageX, int pageY) {
  TraceSeam(runtime_.trace, "pages.click " + std::to_string(pageX) + "," + std::to_string(pageY));
}
bool Pages::HasObjectToSaveAt(int, int) { return false; }
int Pages::ObjectAt(int, int) { return -1; }
std::string Pages::ObjectName(int) { return {}; }
std::optional<std::string> Pages::CurrentPageName() const { return std::nullopt; }

}  // namespace zd
