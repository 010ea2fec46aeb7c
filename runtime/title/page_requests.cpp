// The navigation scripts request. The requests are kept here and nowhere else, so a script
// cannot half-change one and the scheduler tick is the only place that carries them out.
#include "title/pages.h"

namespace zd {
namespace {

template <typename T>
std::optional<T> Take(std::optional<T>& request) {
  std::optional<T> taken = std::move(request);
  request.reset();
  return taken;
}

}  // namespace

void Pages::RequestSection(uint32_t section) { pendingSection_ = section; }

void Pages::RequestHotspot(uint32_t number) { pendingHotspot_ = number; }

void Pages::RequestExternalTitle(std::string titleName, std::string pageName) {
  pendingExternalTitle_ = ExternalTitleRequest{std::move(titleName), std::move(pageName)};
}

std::optional<uint32_t> Pages::TakePendingSection() { return Take(pendingSection_); }

std::optional<uint32_t> Pages::TakePendingHotspot() { return Take(pendingHotspot_); }

std::optional<ExternalTitleRequest> Pages::TakePendingExternalTitle() {
  return Take(pendingExternalTitle_);
}

bool Pages::SectionOrHotspotRequested() const { return pendingSection_ || pendingHotspot_; }

}  // namespace zd
