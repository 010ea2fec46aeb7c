#include "graphics/draw/draw_svg.h"

#include <algorithm>
#include <cstdio>
#include <sstream>

#include "base/cp1253.h"
#include "graphics/draw/draw_file.h"
#include "graphics/sprites/sprite_decode.h"
#include "platform/png_codec.h"
#include "platform/text_fonts.h"

namespace zd {
namespace {

std::string Hex(uint32_t colour) {
  char text[8];
  std::snprintf(text, sizeof text, "#%02x%02x%02x", draw::Red(colour), draw::Green(colour),
                draw::Blue(colour));
  return text;
}

std::string Xml(std::string_view cp1253) {
  std::string out;
  for (const char c : Cp1253ToUtf8(cp1253)) {
    switch (c) {
      case '&': out += "&amp;"; break;
      case '<': out += "&lt;"; break;
      case '>': out += "&gt;"; break;
      case '"': out += "&quot;"; break;
      default:
        if (uint8_t(c) >= 0x20 || c == '\t') out += c;
        break;
    }
  }
  return out;
}

std::string Base64(std::string_view bytes) {
  static constexpr char kDigits[] =
      "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
  std::string out;
  out.reserve((bytes.size() + 2) / 3 * 4);
  size_t i = 0;
  for (; i + 3 <= bytes.size(); i += 3) {
    const uint32_t v = uint32_t(uint8_t(bytes[i])) << 16 | uint32_t(uint8_t(bytes[i + 1])) << 8 |
                       uint8_t(bytes[i + 2]);
    for (int s = 18; s >= 0; s -= 6) out += kDigits[(v >> s) & 63];
  }
  const size_t rest = bytes.size() - i;
  if (rest > 0) {
    uint32_t v = uint32_t(uint8_t(bytes[i])) << 16;
    if (rest == 2) v |= uint32_t(uint8_t(bytes[i + 1])) << 8;
    out += kDigits[(v >> 18) & 63];
    out += kDigits[(v >> 12) & 63];
    out += rest == 2 ? kDigits[(v >> 6) & 63] : '=';
    out += '=';
  }
  return out;
}

// The sprite as PNG bytes, encoded in memory; empty when it cannot be encoded.
std::string PngBytes(const platform::RgbaImage& image) {
  std::string png, error;
  if (!platform::EncodePngRgba(image, png, error)) return {};
  return png;
}

// The families an SVG viewer should try for a face, in the order the player does.
std::string Families(const LogicalFont& font) {
  const std::string& face = font.faceName;
  if (face == "Arial") return "Arial, 'Liberation Sans', sans-serif";
  if (face == "Times New Roman") return "'Times New Roman', 'Liberation Serif', serif";
  if (face == "Courier New") return "'Courier New', 'Liberation Mono', monospace";
  if (face == "ArcSys") return "ArcSys, 'DejaVu Sans Mono', monospace";
  if (face == "PrimaryCheynes") return "PrimaryCheynes, 'DejaVu Sans', sans-serif";
  if (face.empty()) return "'Liberation Sans', sans-serif";
  return "'" + Xml(face) + "', sans-serif";
}

std::string FontAttributes(const LogicalFont& font) {
  const int height = font.height > 0 ? font.height : 16;
  std::ostringstream a;
  a << " font-family=\"" << Families(font) << "\" font-size=\"" << height * 0.8 << "\"";
  if (font.weight >= 700) a << " font-weight=\"bold\"";
  if (font.italic) a << " font-style=\"italic\"";
  if (font.underline) a << " text-decoration=\"underline\"";
  return a.str();
}

// The drawing as SVG elements, in pixels of the picture's size.
class SvgSurface : public DrawSurface {
 public:
  SvgSurface(std::ostream& svg, platform::FontSet& fonts) : svg_(svg), fonts_(fonts) {}

  void Polygon(std::span<const Point> points, FillRule rule, uint32_t colour) override {
    svg_ << "<polygon points=\"" << Points(points, 0) << "\" fill=\"" << Hex(colour)
         << "\" fill-rule=\"" << (rule == FillRule::EvenOdd ? "evenodd" : "nonzero") << "\"/>\n";
  }
  void Polyline(std::span<const Point> points, int width, bool dotted, uint32_t colour) override {
    svg_ << "<polyline points=\"" << Points(points, 0.5) << "\" fill=\"none\" stroke=\""
         << Hex(colour) << "\" stroke-width=\"" << std::max(width, 1) << "\"";
    if (width > 1) svg_ << " stroke-linecap=\"round\" stroke-linejoin=\"round\"";
    if (dotted && width <= 1) svg_ << " stroke-dasharray=\"3 3\"";
    svg_ << "/>\n";
  }
  void TextLine(int x, int y, const LogicalFont& font, std::string_view text,
                uint32_t colour) override {
    svg_ << "<text x=\"" << x << "\" y=\"" << y + Ascent(font) << "\" fill=\"" << Hex(colour)
         << "\"" << FontAttributes(font) << " xml:space=\"preserve\">" << Xml(text)
         << "</text>\n";
  }
  // Broken into lines where the picture breaks them, with the player's fonts.
  void TextBox(const Rect& box, const LogicalFont& font, std::string_view text, uint32_t colour,
               TextAlign align) override {
    const int ascent = Ascent(font);
    for (const WrappedLine& line : WrapText(fonts_, font, text, box, align)) {
      std::string utf8;
      for (const char32_t c : line.text) AppendUtf8(utf8, c);
      svg_ << "<text x=\"" << line.x << "\" y=\"" << line.y + ascent << "\" fill=\""
           << Hex(colour) << "\"" << FontAttributes(font) << " xml:space=\"preserve\">"
           << Xml(Utf8ToCp1253(utf8)) << "</text>\n";
    }
  }
  void Sprite(const Rect& destination, ByteView sprite) override {
    auto picture = DecodeSpriteRgba(sprite, false);
    if (!picture || destination.empty()) return;
    const std::string png =
        PngBytes(platform::RgbaImage{picture->width, picture->height, std::move(picture->rgba)});
    if (png.empty()) return;
    svg_ << "<image x=\"" << destination.left << "\" y=\"" << destination.top << "\" width=\""
         << destination.width() << "\" height=\"" << destination.height()
         << "\" preserveAspectRatio=\"none\" style=\"image-rendering:pixelated\" "
            "href=\"data:image/png;base64,"
         << Base64(png) << "\"/>\n";
  }

 private:
  static std::string Points(std::span<const Point> points, double offset) {
    std::ostringstream text;
    for (size_t i = 0; i < points.size(); ++i) {
      text << (i ? " " : "") << points[i].x + offset << "," << points[i].y + offset;
    }
    return text.str();
  }
  int Ascent(const LogicalFont& font) {
    const int ascent = fonts_.Metrics(FontRequestFor(font)).ascent;
    return ascent > 0 ? ascent : (font.height > 0 ? font.height : 16) * 4 / 5;
  }

  std::ostream& svg_;
  platform::FontSet& fonts_;
};

}  // namespace

std::string DrawingAsSvg(ByteView data, int width, int height, platform::FontSet& fonts) {
  std::ostringstream svg;
  svg << "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" << width << "\" height=\"" << height
      << "\" viewBox=\"0 0 " << width << " " << height << "\" shape-rendering=\"crispEdges\">\n"
      << "<rect width=\"" << width << "\" height=\"" << height << "\" fill=\"#ffffff\"/>\n";
  SvgSurface surface(svg, fonts);
  DrawFontTable table;
  RenderDrawFile(surface, table, {0, 0, width, height}, data);
  svg << "</svg>\n";
  return svg.str();
}

}  // namespace zd
