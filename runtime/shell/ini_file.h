// A settings file in the INI shape: "[Section]" lines, "Key=Value" lines, ";" and "#" comments.
// The file is the user's to edit, so it is read as untrusted text: it is bounded in size, every
// line that cannot be read is noted (with its number), and whatever the player does not know or
// cannot read is kept as it was, to be written back unchanged. Only lines that are not text
// (control characters) and what lies past the bounds are dropped.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace zd::ini {

// What the reader takes of a file; the rest is ignored with a note. The writer stays within
// the same bounds, so what it writes reads back whole.
constexpr size_t kMaxFileBytes = 64 * 1024;
constexpr size_t kMaxLineBytes = 4096;
constexpr size_t kMaxSections = 64;
constexpr size_t kMaxKeys = 512;

struct Line {
  bool isKey = false;
  std::string text;  // as it was read, without its line end (comments, blanks, unknown keys)
  std::string key, value;  // a key line's name and value, blanks around them trimmed
  bool reserved = false;   // the writer keeps it whatever else it must drop
  size_t number = 0;       // its line in the file read, for notes; 0: made by the writer
};

struct Section {
  std::string header;  // "[Name]" as it was read
  std::string name;         // empty for a header without its closing ']'
  std::vector<Line> lines;  // in file order: keys, comments and blank lines
  bool reserved = false;
};

struct Document {
  std::vector<Line> preamble;  // comments and blank lines before the first section
  std::vector<Section> sections;
};

// Control characters (a lone carriage return, a NUL) mean a line is not text; written back they
// could split it or end it early.
bool IsText(std::string_view line);

// Section and key names are compared without regard to ASCII case.
bool SameName(std::string_view a, std::string_view b);

Document ParseIni(std::string_view text, std::vector<std::string>& notes);

// The file's text, lines ended with "\n". Where the document holds more than the bounds allow,
// lines and sections that are not reserved are left out from the end until it fits.
std::string WriteIni(const Document& document);

// A key line as the writer makes it.
Line KeyLine(std::string_view key, std::string_view value);

}  // namespace zd::ini
