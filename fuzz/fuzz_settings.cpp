// The player's settings file: read, written back over the same text, and read again. Reading
// must take anything, and what was written must read back as the same settings (a file the
// player writes is one it reads whole).
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "shell/player_settings.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  std::vector<std::string> notes;
  zd::PlayerSettings settings = zd::ReadPlayerSettings(text, notes);
  const std::string written = zd::WritePlayerSettings(settings, text);
  std::vector<std::string> notesAgain;
  if (!(zd::ReadPlayerSettings(written, notesAgain) == settings)) std::abort();
  // A title opened since, then the file written again over what was written.
  zd::AddRecentTitle(settings, "/titles/new/authorfi");
  const std::string again = zd::WritePlayerSettings(settings, written);
  notesAgain.clear();
  if (!(zd::ReadPlayerSettings(again, notesAgain) == settings)) std::abort();
  return 0;
}
