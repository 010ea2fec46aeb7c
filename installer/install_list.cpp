#include "installer/install_list.h"

#include <algorithm>

namespace zd::install {
namespace {

char LowerAscii(char c) { return (c >= 'A' && c <= 'Z') ? char(c - 'A' + 'a') : c; }

// Letters, digits and the code page's upper half (Greek letters) make up words; a name is only
// found where it stands as a word of its own ("items" does not hold "item").
bool IsWordByte(char c) {
  const auto u = static_cast<unsigned char>(c);
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
         c == '_' || u >= 0x80;
}

bool SameIgnoringCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    if (LowerAscii(a[i]) != LowerAscii(b[i])) return false;
  }
  return true;
}

// A block's text as the reader sees it: control characters and further "{" blank, comments
// blank. `quotes` counts the double quotes left; `longestValue` the longest quoted text.
struct BlankedBlock {
  std::string text;
  size_t quotes = 0;
  size_t longestValue = 0;
};

BlankedBlock Blank(std::string_view raw) {
  BlankedBlock out;
  out.text.reserve(raw.size());
  bool inQuotes = false;
  bool inComment = false;
  size_t valueStart = 0;
  for (size_t i = 0; i < raw.size(); ++i) {
    const char c = raw[i];
    if (inComment) {
      if (c == '\n' || c == '\r') inComment = false;
      out.text += ' ';
      continue;
    }
    if (c == '#' && !inQuotes) {
      inComment = true;
      out.text += ' ';
      continue;
    }
    if (c == '"') {
      ++out.quotes;
      if (inQuotes) {
        out.longestValue = std::max(out.longestValue, i - valueStart);
      } else {
        valueStart = i + 1;
      }
      inQuotes = !inQuotes;
      out.text += c;
      continue;
    }
    const auto u = static_cast<unsigned char>(c);
    out.text += (u < 0x20 || c == '{') ? ' ' : c;
  }
  if (inQuotes) out.longestValue = std::max(out.longestValue, raw.size() - valueStart);
  return out;
}

}  // namespace

std::optional<std::string> InstallBlock::Value(std::string_view name) const {
  if (name.empty()) return std::nullopt;
  const std::string_view t = text;
  bool inQuotes = false;
  for (size_t i = 0; i < t.size(); ++i) {
    if (t[i] == '"') {
      inQuotes = !inQuotes;
      continue;
    }
    if (inQuotes || i + name.size() > t.size()) continue;
    if (i > 0 && IsWordByte(t[i - 1])) continue;
    if (!SameIgnoringCase(t.substr(i, name.size()), name)) continue;
    const size_t after = i + name.size();
    if (after < t.size() && IsWordByte(t[after])) continue;
    // The first pair of double quotes after the name holds the value.
    const size_t open = t.find('"', after);
    if (open == std::string_view::npos) return std::nullopt;
    const size_t close = t.find('"', open + 1);
    if (close == std::string_view::npos) return std::nullopt;
    return std::string(t.substr(open + 1, close - open - 1));
  }
  return std::nullopt;
}

InstallList ParseInstallList(std::string_view bytes) {
  InstallList list;
  if (bytes.size() > kMaxListBytes) {
    list.problem = ListProblem::TooLarge;
    return list;
  }
  size_t pos = 0;
  while (true) {
    const size_t open = bytes.find('{', pos);
    if (open == std::string_view::npos) break;
    size_t close = bytes.find('}', open + 1);
    if (close == std::string_view::npos) close = bytes.size();
    const std::string_view raw = bytes.substr(open + 1, close - open - 1);
    const int number = int(list.blocks.size()) + 1;
    auto fail = [&](ListProblem problem) {
      list.problem = problem;
      list.problemBlock = number;
      list.blocks.clear();
      return list;
    };
    if (raw.size() > kMaxBlockBytes) return fail(ListProblem::BlockTooLong);
    BlankedBlock blanked = Blank(raw);
    if (blanked.quotes % 2 != 0) return fail(ListProblem::UnterminatedQuote);
    if (blanked.longestValue > kMaxValueBytes) return fail(ListProblem::ValueTooLong);
    list.blocks.push_back(InstallBlock{std::move(blanked.text)});
    if (close >= bytes.size()) break;
    pos = close + 1;
  }
  if (list.blocks.empty()) list.problem = ListProblem::Empty;
  return list;
}

}  // namespace zd::install
