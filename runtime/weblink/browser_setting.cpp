#include "weblink/browser_setting.h"

#include "shell/ini_file.h"

namespace zd {
namespace {

constexpr std::string_view kSection = "Internet";
constexpr std::string_view kKey = "Browser Path";

bool Keepable(std::string_view path) {
  if (path.empty() || kKey.size() + 1 + path.size() > ini::kMaxLineBytes) return false;
  if (path.front() == ' ' || path.front() == '\t' || path.back() == ' ' || path.back() == '\t') {
    return false;
  }
  return ini::IsText(path);
}

}  // namespace

std::string ReadBrowserPath(std::string_view text, std::vector<std::string>& notes) {
  const ini::Document document = ini::ParseIni(text, notes);
  std::string path(kNoBrowser);
  for (const ini::Section& section : document.sections) {
    if (!ini::SameName(section.name, kSection)) continue;
    for (const ini::Line& line : section.lines) {
      if (!line.isKey || !ini::SameName(line.key, kKey)) continue;
      // The last one written counts, as with any key given twice.
      if (ini::SameName(line.value, kNoBrowser) || line.value.empty()) {
        path = kNoBrowser;
      } else if (line.value.front() != '/') {
        // A relative path would depend on where the player was started.
        notes.push_back("line " + std::to_string(line.number) + ": " + std::string(kKey) +
                        " must be a whole path, not \"" + line.value + "\"; ignored");
        path = kNoBrowser;
      } else {
        path = line.value;
      }
    }
  }
  return path;
}

std::optional<std::string> WriteBrowserPath(std::string_view path, std::string_view previousText) {
  if (!Keepable(path)) return std::nullopt;
  std::vector<std::string> ignoredNotes;  // they were given when the file was read
  ini::Document document = ini::ParseIni(previousText, ignoredNotes);

  // The key goes where it stood first; other copies of it go (they would override it).
  ini::Section* target = nullptr;
  std::optional<size_t> at;
  for (ini::Section& section : document.sections) {
    if (!ini::SameName(section.name, kSection)) continue;
    if (!target) target = &section;
    for (size_t i = 0; i < section.lines.size();) {
      if (section.lines[i].isKey && ini::SameName(section.lines[i].key, kKey)) {
        if (&section == target && !at) at = i;
        section.lines.erase(section.lines.begin() + static_cast<std::ptrdiff_t>(i));
      } else {
        ++i;
      }
    }
  }
  if (!target) {
    if (!document.sections.empty()) {
      document.sections.back().lines.push_back(ini::Line{});
    } else if (!document.preamble.empty()) {
      document.preamble.push_back(ini::Line{});
    }
    ini::Section added;
    added.header = "[" + std::string(kSection) + "]";
    added.name = kSection;
    document.sections.push_back(std::move(added));
    target = &document.sections.back();
  }
  target->reserved = true;
  if (!at) {
    size_t afterLastKey = 0;
    for (size_t i = 0; i < target->lines.size(); ++i) {
      if (target->lines[i].isKey) afterLastKey = i + 1;
    }
    at = afterLastKey;
  }
  ini::Line line = ini::KeyLine(kKey, path);
  line.reserved = true;
  target->lines.insert(target->lines.begin() + static_cast<std::ptrdiff_t>(*at), std::move(line));
  return ini::WriteIni(document);
}

}  // namespace zd
