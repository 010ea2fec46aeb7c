#include "shell/ini_file.h"

#include <algorithm>

namespace zd::ini {
namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

std::string_view Trimmed(std::string_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  return text;
}

char AsciiLower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

std::string Numbered(size_t lineNumber, const std::string& what) {
  return "line " + std::to_string(lineNumber) + ": " + what;
}

// What the writer may still add beside what it must keep.
struct Budget {
  size_t sections = kMaxSections, keys = kMaxKeys, bytes = kMaxFileBytes;

  bool Take(size_t lineBytes, bool isKey) {
    if (lineBytes + 1 > bytes || lineBytes > kMaxLineBytes || (isKey && keys == 0)) return false;
    bytes -= lineBytes + 1;
    if (isKey) --keys;
    return true;
  }
};

Budget BudgetBesideReserved(const Document& document) {
  Budget budget;
  for (const Section& section : document.sections) {
    if (!section.reserved) continue;
    --budget.sections;
    budget.bytes -= section.header.size() + 1;
    for (const Line& line : section.lines) {
      if (!line.reserved) continue;
      budget.bytes -= line.text.size() + 1;
      if (line.isKey) --budget.keys;
    }
  }
  return budget;
}

void Append(std::string& out, const std::string& line) {
  out += line;
  out += '\n';
}

}  // namespace

bool IsText(std::string_view line) {
  return std::none_of(line.begin(), line.end(), [](char c) {
    const auto byte = static_cast<unsigned char>(c);
    return (byte < 0x20 && c != '\t') || byte == 0x7f;
  });
}

bool SameName(std::string_view a, std::string_view b) {
  return a.size() == b.size() &&
         std::equal(a.begin(), a.end(), b.begin(),
                    [](char x, char y) { return AsciiLower(x) == AsciiLower(y); });
}

Line KeyLine(std::string_view key, std::string_view value) {
  Line line;
  line.isKey = true;
  line.key = key;
  line.value = value;
  line.text = line.key + "=" + line.value;
  return line;
}

Document ParseIni(std::string_view text, std::vector<std::string>& notes) {
  Document document;
  if (text.size() > kMaxFileBytes) {
    notes.push_back("the file is larger than " + std::to_string(kMaxFileBytes) +
                    " bytes; the rest is ignored");
    text = text.substr(0, kMaxFileBytes);
    // A line cut in two is not read at all.
    const size_t lastEnd = text.rfind('\n');
    text = lastEnd == std::string_view::npos ? std::string_view() : text.substr(0, lastEnd + 1);
  }
  // Editors that write UTF-8 may start the file with a byte-order mark.
  constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
  if (text.substr(0, kByteOrderMark.size()) == kByteOrderMark) text.remove_prefix(kByteOrderMark.size());
  size_t keys = 0;
  size_t lineNumber = 0;
  while (!text.empty()) {
    ++lineNumber;
    const size_t end = text.find('\n');
    std::string_view raw = text.substr(0, end);
    text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
    if (!raw.empty() && raw.back() == '\r') raw.remove_suffix(1);

    if (raw.size() > kMaxLineBytes) {
      notes.push_back(Numbered(lineNumber, "longer than " + std::to_string(kMaxLineBytes) +
                                               " bytes; ignored"));
      continue;
    }
    if (!IsText(raw)) {
      notes.push_back(Numbered(lineNumber, "not text; ignored"));
      continue;
    }
    const std::string_view content = Trimmed(raw);
    std::vector<Line>& lines =
        document.sections.empty() ? document.preamble : document.sections.back().lines;
    // Text that is not read is still kept where it stands: the file is the person's as well.
    const auto keepUnread = [&](const std::string& what) {
      if (!what.empty()) notes.push_back(Numbered(lineNumber, what + "; kept but not read"));
      Line other;
      other.text = raw;
      other.number = lineNumber;
      lines.push_back(std::move(other));
    };
    if (content.empty() || content.front() == ';' || content.front() == '#') {
      keepUnread("");
      continue;
    }
    if (content.front() == '[') {
      if (document.sections.size() == kMaxSections) {
        notes.push_back(Numbered(lineNumber, "more than " + std::to_string(kMaxSections) +
                                                 " sections; the rest of the file is ignored"));
        break;
      }
      Section section;
      section.header = raw;
      if (content.back() != ']' || content.size() < 2) {
        // A section of its own that no name finds (its name stays empty), so that its keys
        // are not taken for the keys of the section before it.
        notes.push_back(Numbered(lineNumber, "a section name without its closing ']'; its keys "
                                             "are kept but not read"));
      } else {
        section.name = Trimmed(content.substr(1, content.size() - 2));
      }
      document.sections.push_back(std::move(section));
      continue;
    }
    const size_t equals = content.find('=');
    if (equals == std::string_view::npos) {
      keepUnread("neither a section, a key nor a comment");
      continue;
    }
    const std::string_view key = Trimmed(content.substr(0, equals));
    if (key.empty()) {
      keepUnread("a value without a key name");
      continue;
    }
    if (document.sections.empty()) {
      keepUnread("a key before any section");
      continue;
    }
    if (keys == kMaxKeys) {
      notes.push_back(Numbered(lineNumber, "more than " + std::to_string(kMaxKeys) +
                                               " keys; the rest of the file is ignored"));
      break;
    }
    ++keys;
    Line line;
    line.isKey = true;
    line.number = lineNumber;
    line.text = raw;
    line.key = key;
    line.value = Trimmed(content.substr(equals + 1));
    lines.push_back(std::move(line));
  }
  return document;
}

std::string WriteIni(const Document& document) {
  Budget budget = BudgetBesideReserved(document);
  std::string out;
  for (const Line& line : document.preamble) {
    if (!line.isKey && budget.Take(line.text.size(), false)) Append(out, line.text);
  }
  for (const Section& section : document.sections) {
    if (!section.reserved) {
      if (budget.sections == 0 || !budget.Take(section.header.size(), false)) continue;
      --budget.sections;
    }
    Append(out, section.header);
    for (const Line& line : section.lines) {
      if (line.reserved || budget.Take(line.text.size(), line.isKey)) Append(out, line.text);
    }
  }
  return out;
}

}  // namespace zd::ini
