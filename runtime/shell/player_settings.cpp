#include "shell/player_settings.h"

#include <algorithm>
#include <array>
#include <charconv>

#include "shell/ini_file.h"

namespace zd {
namespace {

constexpr std::string_view kWindowSection = "Window";
constexpr std::string_view kRecentSection = "Recent";
constexpr std::string_view kStartKey = "Start", kWidthKey = "Width", kHeightKey = "Height",
                           kScalingKey = "Scaling";
constexpr std::string_view kTitleKeyPrefix = "Title";

struct ScalingName {
  platform::Scaling scaling;
  std::string_view name;
};
constexpr std::array<ScalingName, 3> kScalingNames = {{
    {platform::Scaling::Sharp, "sharp"},
    {platform::Scaling::Smooth, "smooth"},
    {platform::Scaling::Stretch, "stretch"},
}};

std::string TitleKey(size_t index) { return std::string(kTitleKeyPrefix) + std::to_string(index + 1); }

// Which recent title a key names (Title1 is 0), if it names one.
std::optional<size_t> RecentIndex(std::string_view key) {
  for (size_t i = 0; i < kMaxRecentTitles; ++i) {
    if (ini::SameName(key, TitleKey(i))) return i;
  }
  return std::nullopt;
}

bool IsWindowKey(std::string_view key) {
  return ini::SameName(key, kStartKey) || ini::SameName(key, kWidthKey) ||
         ini::SameName(key, kHeightKey) || ini::SameName(key, kScalingKey);
}

std::optional<int> WindowSide(std::string_view value) {
  int side = 0;
  const char* end = value.data() + value.size();
  const auto [next, error] = std::from_chars(value.data(), end, side);
  if (value.empty() || error != std::errc() || next != end) return std::nullopt;
  if (side < kMinWindowSide || side > kMaxWindowSide) return std::nullopt;
  return side;
}

// A recent title the file can hold and give back as it was: one line, no blanks around it.
bool Writable(const std::string& path) {
  if (path.empty() || TitleKey(0).size() + 1 + path.size() > ini::kMaxLineBytes) return false;
  if (path.front() == ' ' || path.front() == '\t' || path.back() == ' ' || path.back() == '\t') {
    return false;
  }
  return ini::IsText(path);
}

class SettingsReader {
 public:
  SettingsReader(PlayerSettings& settings, std::vector<std::string>& notes)
      : settings_(settings), notes_(notes) {}

  void ReadWindowKey(const ini::Line& line) {
    const std::string& value = line.value;
    if (ini::SameName(line.key, kStartKey)) {
      if (ini::SameName(value, "window")) {
        settings_.windowed = true;
      } else if (ini::SameName(value, "fullscreen")) {
        settings_.windowed = false;
      } else {
        Note(line, "window or fullscreen");
      }
    } else if (ini::SameName(line.key, kWidthKey) || ini::SameName(line.key, kHeightKey)) {
      int& side = ini::SameName(line.key, kWidthKey) ? settings_.windowWidth
                                                      : settings_.windowHeight;
      if (const std::optional<int> read = WindowSide(value)) {
        side = *read;
      } else {
        Note(line, "a whole number from " + std::to_string(kMinWindowSide) + " to " +
                       std::to_string(kMaxWindowSide));
      }
    } else if (ini::SameName(line.key, kScalingKey)) {
      const auto named = std::find_if(kScalingNames.begin(), kScalingNames.end(),
                                      [&](const ScalingName& s) { return ini::SameName(value, s.name); });
      if (named != kScalingNames.end()) {
        settings_.scaling = named->scaling;
      } else {
        Note(line, "sharp, smooth or stretch");
      }
    }
  }

  void ReadRecentKey(const ini::Line& line) {
    if (const std::optional<size_t> index = RecentIndex(line.key)) recent_[*index] = line.value;
  }

  // Title1 to Title6 in their order, whatever order the file gave them in. The player writes
  // whole paths; a relative one (an edit) would depend on where the player was started.
  void FinishRecent() {
    for (const std::string& path : recent_) {
      if (path.empty() || path.front() != '/') continue;
      if (std::find(settings_.recentTitles.begin(), settings_.recentTitles.end(), path) !=
          settings_.recentTitles.end()) {
        continue;
      }
      settings_.recentTitles.push_back(path);
    }
  }

 private:
  void Note(const ini::Line& line, const std::string& expected) {
    notes_.push_back("line " + std::to_string(line.number) + ": " + line.key + " must be " + expected + ", not \"" + line.value + "\"; ignored");
  }

  PlayerSettings& settings_;
  std::vector<std::string>& notes_;
  std::array<std::string, kMaxRecentTitles> recent_;
};

ini::Section& SectionFor(ini::Document& document, std::string_view name) {
  for (ini::Section& section : document.sections) {
    if (ini::SameName(section.name, name)) return section;
  }
  // A blank line before the new section.
  if (!document.sections.empty()) {
    document.sections.back().lines.push_back(ini::Line{});
  } else if (!document.preamble.empty()) {
    document.preamble.push_back(ini::Line{});
  }
  ini::Section added;
  added.header = "[" + std::string(name) + "]";
  added.name = name;
  document.sections.push_back(std::move(added));
  return document.sections.back();
}

// Replaces a section's keys of the player by `lines`, where the first of them stood (or after
// the section's last key).
void PutKeys(ini::Document& document, std::string_view sectionName,
             bool (*ours)(std::string_view key), std::vector<ini::Line> lines) {
  const bool present = std::any_of(document.sections.begin(), document.sections.end(),
                                   [&](const ini::Section& s) { return ini::SameName(s.name, sectionName); });
  if (!present && lines.empty()) return;
  ini::Section& target = SectionFor(document, sectionName);
  target.reserved = true;
  std::optional<size_t> at;
  for (ini::Section& section : document.sections) {
    if (!ini::SameName(section.name, sectionName)) continue;
    auto& sectionLines = section.lines;
    for (size_t i = 0; i < sectionLines.size();) {
      if (sectionLines[i].isKey && ours(sectionLines[i].key)) {
        if (&section == &target && !at) at = i;
        sectionLines.erase(sectionLines.begin() + static_cast<std::ptrdiff_t>(i));
      } else {
        ++i;
      }
    }
  }
  if (!at) {
    size_t afterLastKey = 0;
    for (size_t i = 0; i < target.lines.size(); ++i) {
      if (target.lines[i].isKey) afterLastKey = i + 1;
    }
    at = afterLastKey;
  }
  for (ini::Line& line : lines) line.reserved = true;
  target.lines.insert(target.lines.begin() + static_cast<std::ptrdiff_t>(*at), lines.begin(),
                      lines.end());
}

bool IsRecentKey(std::string_view key) { return RecentIndex(key).has_value(); }

}  // namespace

PlayerSettings ReadPlayerSettings(std::string_view text, std::vector<std::string>& notes) {
  PlayerSettings settings;
  const ini::Document document = ini::ParseIni(text, notes);
  SettingsReader reader(settings, notes);
  for (const ini::Section& section : document.sections) {
    const bool window = ini::SameName(section.name, kWindowSection);
    const bool recent = ini::SameName(section.name, kRecentSection);
    for (const ini::Line& line : section.lines) {
      if (!line.isKey) continue;
      if (window) reader.ReadWindowKey(line);
      if (recent) reader.ReadRecentKey(line);
    }
  }
  reader.FinishRecent();
  return settings;
}

std::string WritePlayerSettings(const PlayerSettings& settings, std::string_view previousText) {
  std::vector<std::string> ignoredNotes;  // they were given when the file was read
  ini::Document document = ini::ParseIni(previousText, ignoredNotes);

  std::vector<ini::Line> window;
  if (settings.windowed) {
    window.push_back(ini::KeyLine(kStartKey, *settings.windowed ? "window" : "fullscreen"));
  }
  if (WindowSide(std::to_string(settings.windowWidth))) {
    window.push_back(ini::KeyLine(kWidthKey, std::to_string(settings.windowWidth)));
  }
  if (WindowSide(std::to_string(settings.windowHeight))) {
    window.push_back(ini::KeyLine(kHeightKey, std::to_string(settings.windowHeight)));
  }
  for (const ScalingName& s : kScalingNames) {
    if (s.scaling == settings.scaling) window.push_back(ini::KeyLine(kScalingKey, s.name));
  }
  PutKeys(document, kWindowSection, IsWindowKey, std::move(window));

  std::vector<ini::Line> recent;
  std::vector<std::string> written;
  for (const std::string& path : settings.recentTitles) {
    if (written.size() == kMaxRecentTitles) break;
    if (!Writable(path) || std::find(written.begin(), written.end(), path) != written.end()) {
      continue;
    }
    recent.push_back(ini::KeyLine(TitleKey(written.size()), path));
    written.push_back(path);
  }
  PutKeys(document, kRecentSection, IsRecentKey, std::move(recent));
  return ini::WriteIni(document);
}

void AddRecentTitle(PlayerSettings& settings, const std::string& path) {
  if (path.empty()) return;
  std::vector<std::string>& titles = settings.recentTitles;
  std::erase(titles, path);
  titles.insert(titles.begin(), path);
  if (titles.size() > kMaxRecentTitles) titles.resize(kMaxRecentTitles);
}

}  // namespace zd
