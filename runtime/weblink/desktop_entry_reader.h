// Desktop entries (.desktop files) as the desktop describes installed programs: only what the
// browser list needs is read, from the [Desktop Entry] group. The files are the user's and the
// system's, so they are read as untrusted text: bounded in size, never trusted to be well formed.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zd {

// Larger files are not desktop entries anyone wrote by hand or by a package; they are ignored.
constexpr size_t kMaxDesktopEntryBytes = 64 * 1024;

struct DesktopEntry {
  std::string type;
  bool hidden = false;             // Hidden=true: the entry counts as deleted
  std::string tryExec;             // a program that must be installed for the entry to count
  std::vector<std::string> exec;   // the command words, field codes already turned (see below)
  std::string name, nameGreek;     // UTF-8
  std::string comment, commentGreek;
  std::vector<std::string> mimeTypes;
  bool execValid = false;          // Exec was present and could be split

  bool HandlesMimeType(std::string_view mimeType) const;
};

// Reads the entry's text; nullopt when it is too large or has no [Desktop Entry] group.
std::optional<DesktopEntry> ParseDesktopEntry(std::string_view text);

// Splits an Exec value (its string escapes already undone) into words by the desktop-entry
// quoting rules. %u %U %f %F become the single word "%u" (the address), %i %c %k and the
// deprecated codes are dropped, and %% is a literal percent, kept as "%%" so that it cannot
// be mistaken for a place of the address. Inside quotes nothing is a field code: a quoted "%u"
// is the literal text "%u" (and the address then follows the other words). nullopt for an
// unterminated quote, an empty line, or a program word holding a field code or a percent.
std::optional<std::vector<std::string>> SplitExec(std::string_view exec);

}  // namespace zd
