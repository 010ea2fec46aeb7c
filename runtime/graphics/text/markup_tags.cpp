#include "graphics/text/markup_tags.h"

#include <algorithm>
#include <cctype>
#include <cstdint>

namespace zd {
namespace {

std::string Upper(std::string_view s) {
  std::string out(s);
  for (char& c : out) c = char(std::toupper(uint8_t(c)));
  return out;
}

bool SameWord(std::string_view a, std::string_view b) { return Upper(a) == Upper(b); }

// Decimal digits after optional blanks and sign, kept to a sane range.
int DecimalValue(std::string_view s) {
  size_t i = 0;
  while (i < s.size() && s[i] == ' ') ++i;
  bool negative = false;
  if (i < s.size() && (s[i] == '-' || s[i] == '+')) negative = s[i++] == '-';
  int64_t n = 0;
  for (; i < s.size() && s[i] >= '0' && s[i] <= '9'; ++i) n = std::min<int64_t>(n * 10 + (s[i] - '0'), 1000000);
  return int(negative ? -n : n);
}

// Leading is kept to 100 times the line height, so line offsets cannot overflow.
constexpr int MAX_LEADING = 10000;

// ALIGN=LEFT, RIGHT or CENTER of headings and paragraphs (saving the flags first).
void ApplyAlign(const MarkupTag& tag, TextStyle& style) {
  for (const auto& [name, value] : tag.attributes) {
    if (name != "ALIGN") continue;
    style.SaveAlso(StyleField::Flags);
    if (SameWord(value, "LEFT")) {
      style.flags &= ~(text_flag::CENTRE | text_flag::RIGHT);
    } else if (SameWord(value, "RIGHT")) {
      style.flags = (style.flags & ~text_flag::CENTRE) | text_flag::RIGHT;
    } else if (SameWord(value, "CENTER")) {
      style.flags = (style.flags & ~text_flag::RIGHT) | text_flag::CENTRE;
    }
    return;
  }
}

void SetAnchor(const MarkupTag& tag, TextStyle& style) {
  style.inAnchor = true;
  style.anchorName.clear();
  style.anchorValue.clear();
  if (tag.attributes.empty()) return;
  style.anchorName = tag.attributes[0].first.substr(0, MAX_ANCHOR_NAME);
  style.anchorValue = tag.attributes[0].second.substr(0, MAX_ANCHOR_VALUE);
}

}  // namespace

MarkupTag ParseTag(std::string_view text) {
  text = text.substr(0, MAX_TAG_LENGTH);
  MarkupTag tag;
  size_t i = text.find(' ');
  tag.name = Upper(text.substr(0, i));
  if (i == std::string_view::npos) return tag;
  while (true) {
    while (i < text.size() && (text[i] == ' ' || text[i] == ',')) ++i;
    if (i >= text.size()) break;
    const size_t nameStart = i;
    while (i < text.size() && text[i] != ' ' && text[i] != '=') ++i;
    std::string name = Upper(text.substr(nameStart, i - nameStart));
    while (i < text.size() && text[i] == ' ') ++i;
    if (name.empty() || i >= text.size() || text[i] != '=') break;
    ++i;
    while (i < text.size() && text[i] == ' ') ++i;
    std::string value;
    if (i < text.size() && text[i] == '"') {
      const size_t close = text.find('"', i + 1);
      const size_t end = close == std::string_view::npos ? text.size() : close;
      value = std::string(text.substr(i + 1, end - i - 1));
      i = end + 1;
    } else {
      const size_t start = i;
      while (i < text.size() && text[i] != ' ' && text[i] != ',') ++i;
      value = std::string(text.substr(start, i - start));
    }
    tag.attributes.emplace_back(std::move(name), std::move(value));
  }
  return tag;
}

TagEffect ApplyTag(std::string_view tagText, TextStyle& style, const TextStyle& base) {
  const MarkupTag tag = ParseTag(tagText);
  const std::string& n = tag.name;
  TagEffect effect;
  using F = StyleField;
  if (n == "A") {
    SetAnchor(tag, style);
    if (style.anchorName != "QSH") {
      effect.coloursChanged = true;
    } else if (tag.attributes.size() > 1) {
      const auto& [name, value] = tag.attributes[1];
      if (name == "COLOR") style.textColour = ParseColourValue(value);
      if (name == "BKCOLOR") style.background = ParseColourValue(value);
      effect.coloursChanged = true;
    }
  } else if (n == "COLOR") {
    SetAnchor(tag, style);
  } else if (n == "FONT") {
    for (const auto& [name, value] : tag.attributes) {
      if (name == "COLOR") {
        style.Push("/FONT", {F::TextColour});
        style.textColour = ParseColourValue(value);
        effect.coloursChanged = true;
      } else if (name == "BKCOLOR") {
        style.Push("/FONT", {F::Background});
        style.background = ParseColourValue(value);
        effect.coloursChanged = true;
      }
    }
  } else if (n == "B" || n == "STRONG") {
    style.Push("/" + n, {F::Weight});
    style.font.weight = FW_BOLD;
    effect.fontChanged = true;
  } else if (n == "I" || n == "CITE" || n == "EM") {
    style.Push("/" + n, {F::Italic});
    style.font.italic = true;
    effect.fontChanged = true;
  } else if (n == "U") {
    style.Push("/U", {F::Underline});
    style.font.underline = true;
    effect.fontChanged = true;
  } else if (n == "STRIKE") {
    style.Push("/STRIKE", {F::StrikeOut});
    style.font.strikeOut = true;
    effect.fontChanged = true;
  } else if (n == "CENTER") {
    style.Push("/CENTER", {F::Flags});
    style.flags |= text_flag::CENTRE;
  } else if (n == "LEADING") {
    style.Push("/LEADING", {});
    for (const auto& [name, value] : tag.attributes) {
      if (name != "PC") continue;
      style.SaveAlso(F::Leading);
      const int pc = DecimalValue(value);
      style.leading = pc < 1 ? 100 : std::min(pc, MAX_LEADING);
      break;
    }
  } else if (n.size() == 2 && n[0] == 'H' && n[1] >= '1' && n[1] <= '6') {
    static constexpr double kScale[6] = {2, 1.5, 1.2, 1, 0.9, 0.7};
    const double scale = kScale[n[1] - '1'];
    style.Push("/" + n, {F::Weight, F::Height, F::Width});
    style.font.weight = FW_BOLD;
    style.font.height = int(base.font.height * scale);
    style.font.width = int(base.font.width * scale);
    ApplyAlign(tag, style);
    effect.fontChanged = true;
  } else if (n == "P") {
    style.Push("/P", {});
    ApplyAlign(tag, style);
  } else if (n == "/COLOR") {
    style.inAnchor = false;
    effect.coloursChanged = true;
  } else if (n == "/A") {
    style.inAnchor = false;
    style.font.underline = false;
    style.textColour = 0;
    style.background = 0;
    effect.coloursChanged = true;  // the underline waits for the next font change
  } else if (n.size() > 1 && n[0] == '/') {
    // /FONT, /B, /STRONG, /I, /CITE, /EM, /U, /STRIKE, /CENTER, /LEADING, /H1../H6, /P, /SUB,
    // /SUP: a closing tag without its record changes nothing.
    const TextStyle::Restored r = style.Restore(n);
    effect.fontChanged = r.font;
    effect.coloursChanged = r.colours || n == "/FONT";
  }
  return effect;
}

}  // namespace zd
