#include "weblink/desktop_entry_reader.h"

namespace zd {
namespace {

std::string_view Trim(std::string_view text) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t' || text.back() == '\r')) {
    text.remove_suffix(1);
  }
  return text;
}

// The escapes of string values: \s \n \t \r \\; any other backslash stays as written.
std::string Unescape(std::string_view value) {
  std::string out;
  out.reserve(value.size());
  for (size_t i = 0; i < value.size(); ++i) {
    if (value[i] != '\\' || i + 1 == value.size()) {
      out += value[i];
      continue;
    }
    const char next = value[++i];
    switch (next) {
      case 's': out += ' '; break;
      case 'n': out += '\n'; break;
      case 't': out += '\t'; break;
      case 'r': out += '\r'; break;
      case '\\': out += '\\'; break;
      default:
        out += '\\';
        out += next;
    }
  }
  return out;
}

// A list value ("a;b;c;"): semicolons separate, "\;" is a semicolon inside an item.
std::vector<std::string> SplitList(std::string_view value) {
  std::vector<std::string> items;
  std::string item;
  for (size_t i = 0; i < value.size(); ++i) {
    if (value[i] == '\\' && i + 1 < value.size() && value[i + 1] == ';') {
      item += ';';
      ++i;
    } else if (value[i] == ';') {
      if (!item.empty()) items.push_back(item);
      item.clear();
    } else {
      item += value[i];
    }
  }
  if (!item.empty()) items.push_back(item);
  return items;
}

bool IsTrue(std::string_view value) { return value == "true" || value == "1"; }

// "Name", "Name[el]" and "Name[el_GR]" (any Greek locale) as the plain and the Greek key.
enum class Localised { No, Greek, Other };
Localised LocaleOf(std::string_view key, std::string_view base) {
  if (key == base) return Localised::No;
  if (key.size() <= base.size() + 2 || key.substr(0, base.size()) != base ||
      key[base.size()] != '[' || key.back() != ']') {
    return Localised::Other;
  }
  const std::string_view locale = key.substr(base.size() + 1, key.size() - base.size() - 2);
  if (locale == "el" || locale.substr(0, 3) == "el_" || locale.substr(0, 3) == "el.") {
    return Localised::Greek;
  }
  return Localised::Other;
}

}  // namespace

bool DesktopEntry::HandlesMimeType(std::string_view mimeType) const {
  for (const std::string& type : mimeTypes) {
    if (type.size() == mimeType.size()) {
      bool same = true;
      for (size_t i = 0; i < type.size(); ++i) {
        const auto lower = [](char c) { return (c >= 'A' && c <= 'Z') ? char(c - 'A' + 'a') : c; };
        if (lower(type[i]) != lower(mimeType[i])) same = false;
      }
      if (same) return true;
    }
  }
  return false;
}

std::optional<std::vector<std::string>> SplitExec(std::string_view exec) {
  // Each word is built as the command stores it: "%u" marks the address, "%%" is a percent.
  // Field codes count only outside quotes; quoted text is an argument as written, so an entry
  // such as `sh -c "run %u"` cannot put the address inside a shell's script: its "%u" stays
  // literal and the address is given as a word of its own after the others.
  std::vector<std::string> words;
  std::string word;
  bool inWord = false;
  bool quoted = false;
  bool keep = false;        // the word holds something besides dropped field codes
  bool fieldCode = false;   // the word holds a field code or a percent outside quotes
  bool programCode = false; // the program's own word does; such an entry is refused
  const auto finish = [&] {
    if (words.empty() && fieldCode) programCode = true;
    if (keep) words.push_back(std::move(word));
    word.clear();
    inWord = keep = fieldCode = false;
  };
  for (size_t i = 0; i < exec.size(); ++i) {
    const char c = exec[i];
    if (quoted) {
      if (c == '"') {
        quoted = false;
      } else if (c == '\\' && i + 1 < exec.size() &&
                 (exec[i + 1] == '"' || exec[i + 1] == '`' || exec[i + 1] == '$' ||
                  exec[i + 1] == '\\')) {
        word += exec[++i];
      } else if (c == '%') {
        if (i + 1 < exec.size() && exec[i + 1] == '%') ++i;
        word += "%%";
      } else {
        word += c;
      }
      continue;
    }
    if (c == ' ' || c == '\t' || c == '\n') {
      if (inWord) finish();
      continue;
    }
    inWord = true;
    if (c == '"') {
      quoted = true;
      keep = true;  // "" is an empty argument
    } else if (c == '%') {
      fieldCode = true;
      const char code = i + 1 < exec.size() ? exec[++i] : '%';
      switch (code) {
        case 'u': case 'U': case 'f': case 'F':
          word += "%u";
          keep = true;
          break;
        case '%':
          word += "%%";
          keep = true;
          break;
        default:  // %i %c %k and the deprecated %d %D %n %N %v %m; unknown codes too
          break;
      }
    } else {
      word += c;
      keep = true;
    }
  }
  if (quoted) return std::nullopt;
  if (inWord) finish();
  if (programCode || words.empty() || words.front().empty()) return std::nullopt;
  return words;
}

std::optional<DesktopEntry> ParseDesktopEntry(std::string_view text) {
  if (text.size() > kMaxDesktopEntryBytes) return std::nullopt;
  DesktopEntry entry;
  bool seenGroup = false, inGroup = false;
  while (!text.empty()) {
    const size_t end = text.find('\n');
    const std::string_view line = Trim(text.substr(0, end));
    text = end == std::string_view::npos ? std::string_view{} : text.substr(end + 1);
    if (line.empty() || line.front() == '#') continue;
    if (line.front() == '[') {
      // Only the first [Desktop Entry] group counts; actions and others follow it.
      inGroup = !seenGroup && line == "[Desktop Entry]";
      if (inGroup) seenGroup = true;
      continue;
    }
    if (!inGroup) continue;
    const size_t equals = line.find('=');
    if (equals == std::string_view::npos) continue;
    const std::string_view key = Trim(line.substr(0, equals));
    const std::string_view value = Trim(line.substr(equals + 1));
    if (key == "Type") {
      entry.type = Unescape(value);
    } else if (key == "Hidden") {
      entry.hidden = IsTrue(value);
    } else if (key == "TryExec") {
      entry.tryExec = Unescape(value);
    } else if (key == "Exec") {
      const std::optional<std::vector<std::string>> words = SplitExec(Unescape(value));
      entry.execValid = words.has_value();
      entry.exec = words.value_or(std::vector<std::string>{});
    } else if (key == "MimeType") {
      entry.mimeTypes = SplitList(value);
    } else if (key.substr(0, 4) == "Name") {
      const Localised locale = LocaleOf(key, "Name");
      if (locale == Localised::No) entry.name = Unescape(value);
      if (locale == Localised::Greek && (entry.nameGreek.empty() || key == "Name[el]")) {
        entry.nameGreek = Unescape(value);
      }
    } else if (key.substr(0, 7) == "Comment") {
      const Localised locale = LocaleOf(key, "Comment");
      if (locale == Localised::No) entry.comment = Unescape(value);
      if (locale == Localised::Greek && (entry.commentGreek.empty() || key == "Comment[el]")) {
        entry.commentGreek = Unescape(value);
      }
    }
  }
  if (!seenGroup) return std::nullopt;
  return entry;
}

}  // namespace zd
