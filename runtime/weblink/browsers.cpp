#include "weblink/browsers.h"

namespace zd {

Browsers::Browsers(BrowserSources sources, Language language, const Trace& trace)
    : sources_(std::move(sources)), language_(language), trace_(trace) {}

void Browsers::DetectBrowsers() { detected_ = true; }

bool Browsers::AddBrowser(const std::string&, bool, bool, std::vector<std::string>) {
  return false;
}

bool Browsers::HaveBrowserChoice() { return false; }

const BrowserEntry* Browsers::ChosenBrowser() const { return nullptr; }

bool Browsers::ChooseBrowser(const std::string&, std::string& error) {
  error = "not built yet";
  return false;
}

void Browsers::Clear() {
  detected_ = false;
  entries_.clear();
  chosenPath_ = "NONE";
}

std::vector<std::string> BrowserCommand(const BrowserEntry&, std::string_view) { return {}; }

}  // namespace zd
