// The browser setting and desktop entries: arbitrary settings-file bytes go through reading the
// chosen browser and writing a choice back, which must read back as written whatever else the
// file held; the same bytes go through the desktop-entry reader and the Exec splitter.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "weblink/browser_setting.h"
#include "weblink/desktop_entry_reader.h"

namespace {

void WriteAndReadBack(const std::string& path, std::string_view text) {
  const std::optional<std::string> written = zd::WriteBrowserPath(path, text);
  if (!written) return;
  std::vector<std::string> notes;
  if (zd::ReadBrowserPath(*written, notes) != path) std::abort();
  // Written again over what was written, it still reads back.
  const std::optional<std::string> again = zd::WriteBrowserPath(path, *written);
  notes.clear();
  if (!again || zd::ReadBrowserPath(*again, notes) != path) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  std::vector<std::string> notes;
  const std::string chosen = zd::ReadBrowserPath(text, notes);
  if (chosen != zd::kNoBrowser) WriteAndReadBack(chosen, text);
  WriteAndReadBack("/usr/bin/web browser", text);

  if (const auto entry = zd::ParseDesktopEntry(text)) {
    for (const std::string& word : entry->exec) {
      if (word.empty() && &word == &entry->exec.front()) std::abort();
    }
  }
  (void)zd::SplitExec(text.substr(0, 4096));
  return 0;
}
