#include "graphics/text/text_style.h"

#include <algorithm>

namespace zd {
namespace {

int64_t Get(const TextStyle& s, StyleField f) {
  const LogicalFont& l = s.font;
  switch (f) {
    case StyleField::Height: return l.height;
    case StyleField::Width: return l.width;
    case StyleField::Escapement: return l.escapement;
    case StyleField::Orientation: return l.orientation;
    case StyleField::Weight: return l.weight;
    case StyleField::Italic: return l.italic;
    case StyleField::Underline: return l.underline;
    case StyleField::StrikeOut: return l.strikeOut;
    case StyleField::CharSet: return l.charSet;
    case StyleField::OutPrecision: return l.outPrecision;
    case StyleField::ClipPrecision: return l.clipPrecision;
    case StyleField::PitchAndFamily: return l.pitchAndFamily;
    case StyleField::FaceName: return 0;
    case StyleField::Left: return s.left;
    case StyleField::VerticalOffset: return s.verticalOffset;
    case StyleField::LineWidth: return s.lineWidth;
    case StyleField::Flags: return s.flags;
    case StyleField::TextColour: return s.textColour;
    case StyleField::Background: return s.background;
    case StyleField::LinkColour: return s.linkColour;
    case StyleField::LinkBackground: return s.linkBackground;
    case StyleField::Leading: return s.leading;
  }
  return 0;
}

void Set(TextStyle& s, const SavedField& saved) {
  LogicalFont& l = s.font;
  const int64_t v = saved.value;
  switch (saved.field) {
    case StyleField::Height: l.height = int(v); break;
    case StyleField::Width: l.width = int(v); break;
    case StyleField::Escapement: l.escapement = int(v); break;
    case StyleField::Orientation: l.orientation = int(v); break;
    case StyleField::Weight: l.weight = int(v); break;
    case StyleField::Italic: l.italic = v != 0; break;
    case StyleField::Underline: l.underline = v != 0; break;
    case StyleField::StrikeOut: l.strikeOut = v != 0; break;
    case StyleField::CharSet: l.charSet = uint8_t(v); break;
    case StyleField::OutPrecision: l.outPrecision = uint8_t(v); break;
    case StyleField::ClipPrecision: l.clipPrecision = uint8_t(v); break;
    case StyleField::PitchAndFamily: l.pitchAndFamily = uint8_t(v); break;
    case StyleField::FaceName: l.faceName = saved.face; break;
    case StyleField::Left: s.left = int(v); break;
    case StyleField::VerticalOffset: s.verticalOffset = int(v); break;
    case StyleField::LineWidth: s.lineWidth = int(v); break;
    case StyleField::Flags: s.flags = uint32_t(v); break;
    case StyleField::TextColour: s.textColour = uint32_t(v); break;
    case StyleField::Background: s.background = uint32_t(v); break;
    case StyleField::LinkColour: s.linkColour = uint32_t(v); break;
    case StyleField::LinkBackground: s.linkBackground = uint32_t(v); break;
    case StyleField::Leading: s.leading = int(v); break;
  }
}

SavedField Save(const TextStyle& s, StyleField f) {
  SavedField saved{f, Get(s, f), {}};
  if (f == StyleField::FaceName) saved.face = s.font.faceName;
  return saved;
}

}  // namespace

void TextStyle::Push(std::string closingTag, std::initializer_list<StyleField> fields) {
  if (stack.size() >= MAX_STYLE_RECORDS) stack.erase(stack.begin());
  StyleRecord record;
  record.closingTag = std::move(closingTag);
  for (const StyleField f : fields) record.fields.push_back(Save(*this, f));
  stack.push_back(std::move(record));
}

void TextStyle::SaveAlso(StyleField field) {
  if (!stack.empty()) stack.back().fields.push_back(Save(*this, field));
}

TextStyle::Restored TextStyle::Restore(std::string_view closingTag) {
  Restored r;
  for (size_t i = stack.size(); i-- > 0;) {
    if (stack[i].closingTag != closingTag) continue;
    r.found = true;
    for (const SavedField& saved : stack[i].fields) {
      Set(*this, saved);
      const int n = int(saved.field);
      if (n <= 12 || n == 14) r.font = true;
      if (n >= 19 && n <= 22) r.colours = true;
    }
    stack.erase(stack.begin() + long(i));
    break;
  }
  return r;
}

uint32_t TextStyle::DrawnTextColour() const {
  if (!LinkColoursApply()) return textColour;
  if (linkColour == PALETTE_BLACK) return textColour;
  if (linkColour == NO_COLOUR) return PALETTE_BLACK;
  return linkColour;
}

uint32_t TextStyle::DrawnBackground() const {
  if (!LinkColoursApply() || linkBackground == PALETTE_BLACK) return background;
  if (linkBackground == NO_COLOUR) return PALETTE_BLACK;
  return linkBackground;
}

uint32_t ParseColourValue(std::string_view value) {
  size_t i = 0;
  while (i < value.size() && (value[i] == ' ' || value[i] == '=' || value[i] == '"')) ++i;
  const std::string_view v = value.substr(i);
  if (v.starts_with("RED")) return PaletteColour(255, 0, 0);
  if (v.starts_with("BLUE")) return PaletteColour(0, 0, 255);
  if (v.starts_with("GREEN")) return PaletteColour(0, 255, 0);
  if (v.size() < 7 || v[0] != '#') return PALETTE_BLACK;
  uint8_t bytes[3];
  for (int b = 0; b < 3; ++b) {
    int byte = 0;
    for (int d = 0; d < 2; ++d) {
      const char c = v[size_t(1 + b * 2 + d)];
      int n;
      if (c >= '0' && c <= '9') n = c - '0';
      else if (c >= 'A' && c <= 'F') n = c - 'A' + 10;
      else if (c >= 'a' && c <= 'f') n = c - 'a' + 10;
      else return PALETTE_BLACK;
      byte = byte * 16 + n;
    }
    bytes[b] = uint8_t(byte);
  }
  return PaletteColour(bytes[0], bytes[1], bytes[2]);
}

}  // namespace zd
