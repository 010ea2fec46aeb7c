// The player's own settings, kept between runs in $XDG_CONFIG_HOME/zendral/zendral.ini: how the
// window starts, its size and scaling, and the titles opened last (docs/settings.md). Reading
// never fails: what cannot be read keeps its default and is told in a note. Writing keeps every
// section and key the player does not know (other parts of the player keep theirs there).
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/types.h"

namespace zd {

constexpr size_t kMaxRecentTitles = 6;
constexpr int kMinWindowSide = 160, kMaxWindowSide = 16384;

struct PlayerSettings {
  std::optional<bool> windowed;  // how the last run that played a title ended; absent: full screen
  int windowWidth = 0, windowHeight = 0;  // the window's outer size; 0: not remembered
  platform::Scaling scaling = platform::Scaling::Sharp;
  std::vector<std::string> recentTitles;  // UTF-8 paths, latest first, at most six

  bool operator==(const PlayerSettings&) const = default;
};

PlayerSettings ReadPlayerSettings(std::string_view text, std::vector<std::string>& notes);

// The file's new text: `previousText` (the file as it was, or empty) with the player's keys
// replaced by `settings`.
std::string WritePlayerSettings(const PlayerSettings& settings, std::string_view previousText);

// Puts `path` first in the recent titles, dropping its earlier place and the oldest beyond six.
void AddRecentTitle(PlayerSettings& settings, const std::string& path);

}  // namespace zd
