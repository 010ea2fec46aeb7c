#include "graphics/text/markup_text.h"

#include <algorithm>
#include <cctype>
#include <cstdint>

namespace zd {
namespace {

bool IsHeading(std::string_view n, size_t at) {
  return n.size() == at + 2 && n[at] == 'H' && n[at + 1] >= '1' && n[at + 1] <= '6';
}

bool IsBlockTag(std::string_view n) {
  return n == "P" || n == "/P" || IsHeading(n, 0) || (n.size() > 1 && n[0] == '/' && IsHeading(n, 1));
}

}  // namespace

std::string TagName(std::string_view tagText) {
  std::string name(tagText.substr(0, std::min(tagText.find(' '), size_t(255))));
  for (char& c : name) c = char(std::toupper(uint8_t(c)));
  return name;
}

size_t MarkupEnd(std::string_view text) {
  const size_t lastClose = text.rfind('>');
  const size_t open = text.find('<', lastClose == std::string_view::npos ? 0 : lastClose);
  return open == std::string_view::npos ? text.size() : open;
}

std::string NormalizeMarkupBreaks(std::string_view text) {
  std::string out;
  out.reserve(text.size() + 200);
  // The line feed put after the last block tag while nothing but line feeds followed it.
  size_t afterBlock = std::string::npos;
  size_t i = 0;
  while (i < text.size()) {
    const char c = text[i];
    if (c != '<') {
      out.push_back(c);
      if (c != '\n') afterBlock = std::string::npos;
      ++i;
      continue;
    }
    const size_t close = text.find('>', i);
    if (close == std::string_view::npos) {  // the rest is not drawn; keep it as it stands
      out.append(text.substr(i));
      break;
    }
    const std::string name = TagName(text.substr(i + 1, close - i - 1));
    const bool lineStart = i == 0 || out.empty() || out.back() == '\n' || out.back() == '\r';
    const bool block = IsBlockTag(name);
    const bool hadOutput = !out.empty();
    if (name == "BR" || (!lineStart && (block || name == "CENTER" || name == "/CENTER"))) {
      out.push_back('\n');
    }
    out.append(text.substr(i, close + 1 - i));
    i = close + 1;
    if (!block) {
      afterBlock = std::string::npos;
      continue;
    }
    if (afterBlock != std::string::npos) out.erase(afterBlock, 1);
    afterBlock = std::string::npos;
    if (hadOutput && !(i < text.size() && text[i] == '\n')) {
      afterBlock = out.size();
      out.push_back('\n');
    }
  }
  return out;
}

std::string StripMarkup(std::string_view text) {
  std::string out;
  size_t i = 0;
  while (i < text.size()) {
    const char c = text[i];
    if (c != '<') {
      out.push_back(c == '\r' ? '\n' : c);
      ++i;
      continue;
    }
    const size_t close = text.find('>', i);
    if (close == std::string_view::npos) break;
    const std::string name = TagName(text.substr(i + 1, close - i - 1));
    if (name == "BR" || name == "P" || IsHeading(name, 0) ||
        (name.size() == 3 && name[0] == '/' && IsHeading(name, 1))) {
      out += "\r\n";
    }
    i = close + 1;
  }
  return out;
}

}  // namespace zd
