#include "graphics/draw/draw_text.h"

#include <cmath>
#include <cstdlib>

#include "graphics/draw/draw_format.h"

namespace zd {
namespace {

// A NUL-terminated text from `offset` to its NUL or the end of the object.
std::string_view TextAt(ByteView object, size_t offset) {
  if (offset >= object.size()) return {};
  const char* start = reinterpret_cast<const char*>(object.data() + offset);
  const size_t limit = object.size() - offset;
  size_t n = 0;
  while (n < limit && start[n] != 0) ++n;
  return {start, n};
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// The escape reader: a cursor over the text that never leaves it.
class Escapes {
 public:
  explicit Escapes(std::string_view text) : text_(text) {}

  TextAreaStyle Read() {
    TextAreaStyle style;
    while (pos_ < text_.size() && text_[pos_] == '\\') {
      ++pos_;
      if (pos_ >= text_.size()) break;
      const char code = text_[pos_++];
      switch (code >= 'a' && code <= 'z' ? char(code - 'a' + 'A') : code) {
        case 'A':
          if (pos_ < text_.size()) {
            const char a = text_[pos_++];
            if (a == 'R' || a == 'r')
              style.align = TextAlign::Right;
            else if (a == 'C' || a == 'c')
              style.align = TextAlign::Centre;
            else
              style.align = TextAlign::Left;
          }
          break;
        case 'C':
          style.red = Number();
          style.green = Number();
          style.blue = Number();
          style.colourSet = true;
          SkipToTerminator();
          break;
        case 'F': {
          const int number = Number();
          Blanks();
          const size_t end = LineEnd();
          if (number >= 0 && size_t(number) < style.fonts.size()) {
            style.fonts[size_t(number)] = std::string(text_.substr(pos_, end - pos_));
          }
          pos_ = end < text_.size() ? end + 1 : end;
          break;
        }
        case 'M':
          style.leftMargin = Number();
          style.rightMargin = Number();
          SkipToTerminator();
          break;
        case 'V':
          if (pos_ < text_.size() && text_[pos_] == '-') ++pos_;
          if (pos_ < text_.size() && IsDigit(text_[pos_])) ++pos_;
          break;
        case ';': {
          const size_t end = LineEnd();
          pos_ = end < text_.size() ? end + 1 : end;
          break;
        }
        case '\n':
        case '-':
        case '\\': break;
        default:
          if (IsDigit(code)) {
            int number = code - '0';
            if (pos_ < text_.size() && IsDigit(text_[pos_]))
              number = number * 10 + (text_[pos_++] - '0');
            style.font = number;
            if (pos_ < text_.size() && (text_[pos_] == '/' || text_[pos_] == '\n')) ++pos_;
          } else {
            // L (leading), !, B, D, P, U and the rest: up to a line feed or "/".
            SkipToTerminator();
          }
          break;
      }
    }
    style.textStart = pos_;
    return style;
  }

 private:
  void Blanks() {
    while (pos_ < text_.size() && (text_[pos_] == ' ' || text_[pos_] == '\t')) ++pos_;
  }
  // A decimal number after blanks; 0 when there is none.
  int Number() {
    Blanks();
    int value = 0;
    bool negative = false;
    if (pos_ < text_.size() && text_[pos_] == '-') {
      negative = true;
      ++pos_;
    }
    while (pos_ < text_.size() && IsDigit(text_[pos_])) {
      if (value < 100000000) value = value * 10 + (text_[pos_] - '0');
      ++pos_;
    }
    return negative ? -value : value;
  }
  size_t LineEnd() const {
    const size_t end = text_.find('\n', pos_);
    return end == std::string_view::npos ? text_.size() : end;
  }
  void SkipToTerminator() {
    while (pos_ < text_.size() && text_[pos_] != '\n' && text_[pos_] != '/') ++pos_;
    if (pos_ < text_.size()) ++pos_;
  }

  std::string_view text_;
  size_t pos_ = 0;
};

// "name size [width]" of a text area's font definition.
struct AreaFont {
  std::string name;
  double size = 0, width = 0;
};
AreaFont ParseAreaFont(const std::string& entry) {
  AreaFont font;
  const size_t space = entry.find(' ');
  font.name = entry.substr(0, space);
  if (space != std::string::npos) {
    const char* p = entry.c_str() + space;
    char* end = nullptr;
    font.size = std::strtod(p, &end);
    if (end != p) font.width = std::strtod(end, nullptr);
  }
  if (!std::isfinite(font.size)) font.size = 0;
  if (!std::isfinite(font.width) || font.width == 0) font.width = font.size;
  return font;
}

}  // namespace

TextAreaStyle ReadTextAreaEscapes(std::string_view text) { return Escapes(text).Read(); }

void DrawTextObject(DrawSurface& surface, const DrawFontTable& fonts,
                    const DrawPlacement& placement, ByteView object) {
  const auto box = draw::ReadBox(object, 8);
  const auto colour = object.U32(24), style = object.U32(32);
  const auto xSize = object.I32(36), ySize = object.I32(40);
  if (!box || !colour || !style || !xSize || !ySize) return;
  const std::string_view text = TextAt(object, 52);
  const int left = placement.BoxX(box->x0);
  const int top = placement.BoxY(box->y1);
  const int bottom = placement.BoxY(box->y0);
  const int widthSize = TruncPixels(*xSize * placement.sx * 72 / 90);
  const int heightSize = TruncPixels(*ySize * placement.sy * 72 / 90);
  const std::string* name = fonts.Find(uint8_t(*style & 0xFF));
  const LogicalFont font = MapFont(name ? *name : "System", heightSize, widthSize);
  const int y = int((int64_t(top) + ((int64_t(bottom) - top - heightSize) >> 1)));
  surface.TextLine(left, y, font, text, *colour);
}

void DrawTextAreaObject(DrawSurface& surface, const DrawPlacement& placement, ByteView object) {
  const auto box = draw::ReadBox(object, 8);
  if (!box) return;
  size_t pos = draw::OBJECT_HEADER_SIZE;
  while (object.U32(pos) == draw::TEXT_COLUMN) pos += 24;  // ends at the object's end at the latest
  const auto foreground = object.U32(pos + 12);
  if (!foreground) return;
  const std::string_view text = TextAt(object, pos + 20);
  const TextAreaStyle style = ReadTextAreaEscapes(text);

  Rect area{placement.BoxX(box->x0), placement.BoxY(box->y1), placement.BoxX(box->x1),
            placement.BoxY(box->y0)};
  LogicalFont font;
  if (style.font >= 0 && size_t(style.font) < style.fonts.size()) {
    const AreaFont f = ParseAreaFont(style.fonts[size_t(style.font)]);
    font = MapFont(f.name, TruncPixels(f.size * 640 * placement.sy * 0.8),
                   TruncPixels(f.width * 640 * placement.sx * 0.8));
  } else {
    font = MapFont("System Font", 0, 0);
  }
  const uint32_t colour = style.colourSet ? uint32_t(style.blue & 0xFF) << 24 |
                                                uint32_t(style.green & 0xFF) << 16 |
                                                uint32_t(style.red & 0xFF) << 8
                                          : *foreground;
  area.left += TruncPixels(style.leftMargin * 640 * placement.sx);
  area.right -= TruncPixels(style.rightMargin * 640 * placement.sx);
  surface.TextBox(area, font, text.substr(style.textStart), colour, style.align);
}

}  // namespace zd
