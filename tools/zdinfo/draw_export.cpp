#include "zdinfo/draw_export.h"

#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>

#include "base/cp1253.h"
#include "graphics/draw/draw_file.h"
#include "graphics/palette.h"
#include "graphics/sprites/sprite_decode.h"
#include "platform/png_codec.h"
#include "platform/text_fonts.h"
#include "titlekit/hex_text.h"
#include "zdinfo/overview_text.h"
#include "zdinfo/resources_overview.h"

namespace zd::info {
namespace fs = std::filesystem;
namespace {

ByteView View(const std::string& bytes) { return ByteView(bytes); }

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

// The drawing as SVG elements, in the pixels of the PNG.
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
    // The sprite as a PNG inside the SVG.
    const fs::path temporary =
        fs::temp_directory_path() / ("zdinfo-sprite-" + std::to_string(::getpid()) + ".png");
    std::string error;
    platform::RgbaImage image{picture->width, picture->height, std::move(picture->rgba)};
    if (!platform::WritePngRgba(temporary.string(), image, error)) return;
    const std::string png = ReadAll(temporary);
    std::error_code ec;
    fs::remove(temporary, ec);
    svg_ << "<image x=\"" << destination.left << "\" y=\"" << destination.top << "\" width=\""
         << destination.width() << "\" height=\"" << destination.height()
         << "\" preserveAspectRatio=\"none\" style=\"image-rendering:pixelated\" "
            "href=\"data:image/png;base64,"
         << titlekit::ToBase64(png) << "\"/>\n";
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

bool WritePng(const std::string& data, int width, int height, platform::FontSet& fonts,
              const std::string& path, std::string& error) {
  const ColourMatcher matcher;
  DrawFontTable table;
  FontTextPainter painter(fonts);
  DrawContext context{matcher, table, &painter};
  Canvas canvas(width, height);
  canvas.Fill(matcher.Nearest(255, 255, 255));
  DrawDrawFile(context, canvas, {0, 0, width, height}, View(data));
  platform::IndexedImage picture{width, height, {}, PaletteColours(BuildRulePalette()), 256};
  picture.pixels.assign(canvas.View().pixels,
                        canvas.View().pixels + size_t(width) * size_t(height));
  return platform::WritePngIndexed(path, picture, error);
}

bool WriteSvg(const std::string& data, int width, int height, platform::FontSet& fonts,
              const std::string& path, std::string& error) {
  std::ostringstream svg;
  svg << "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" << width << "\" height=\"" << height
      << "\" viewBox=\"0 0 " << width << " " << height << "\" shape-rendering=\"crispEdges\">\n"
      << "<rect width=\"" << width << "\" height=\"" << height << "\" fill=\"#ffffff\"/>\n";
  SvgSurface surface(svg, fonts);
  DrawFontTable table;
  RenderDrawFile(surface, table, {0, 0, width, height}, View(data));
  svg << "</svg>\n";
  std::ofstream out(path, std::ios::binary);
  out << svg.str();
  if (!out) {
    error = "cannot write " + path;
    return false;
  }
  return true;
}

std::string Describe(const std::string& data) {
  const auto box = DrawFileBox(View(data));
  if (!box) return "not a Draw file";
  std::ostringstream text;
  text << "Draw file, box " << box->x0 << " " << box->y0 << " " << box->x1 << " " << box->y1 << ", "
       << ListDrawObjects(View(data)).size() << " objects";
  return text.str();
}

}  // namespace

int ConvertDrawFile(const std::string& file, const std::string& png, const std::string& svg,
                    int width, int height, std::ostream& out, std::ostream& err) {
  if (!fs::is_regular_file(file)) {
    err << "zdinfo: cannot read " << file << "\n";
    return 1;
  }
  const std::string data = ReadAll(file);
  if (!DrawFileBox(View(data))) {
    err << "zdinfo: " << file << " is not a Draw file (it does not begin with \"Draw\")\n";
    return 1;
  }
  platform::FontSet fonts;
  std::string error;
  if (!png.empty()) {
    if (!WritePng(data, width, height, fonts, png, error)) {
      err << "zdinfo: " << png << ": " << error << "\n";
      return 1;
    }
    out << "wrote " << png << ": " << Describe(data) << ", drawn into " << width << " x " << height
        << "\n";
  }
  if (!svg.empty()) {
    if (!WriteSvg(data, width, height, fonts, svg, error)) {
      err << "zdinfo: " << error << "\n";
      return 1;
    }
    out << "wrote " << svg << ": " << Describe(data) << ", drawn into " << width << " x " << height
        << "\n";
  }
  return 0;
}

int ExportTitleDrawings(const titlekit::TitleReading& title, const std::string& dir,
                        std::ostream& out, std::ostream& err) {
  const auto drawings = ResourcesOfType(title, titlekit::DRAWING);
  if (drawings.empty()) return 0;
  platform::FontSet fonts;
  for (const char* name : {"fonts/pchbrww.ttf", "fonts/pchrrww.ttf", "fonts/arcsys.fon",
                           "pchbrww.ttf", "pchrrww.ttf", "arcsys.fon"}) {
    const fs::path path = titlekit::ResolveCaseless(title.directory, name);
    if (!path.empty()) fonts.AddFontFile(path.string());
  }
  int status = 0;
  for (const auto& [d, n] : drawings) {
    const std::string name = ResourceName(d, n);
    const fs::path path = titlekit::ResolveCaseless(title.directory, name);
    const std::string data = path.empty() ? std::string() : ReadAll(path);
    const std::string base =
        (fs::path(dir) / ("res" + std::to_string(d) + "-res" + std::to_string(n))).string();
    std::string error = path.empty() ? "missing" : "not a Draw file";
    if (DrawFileBox(View(data)) && WritePng(data, 640, 480, fonts, base + ".png", error) &&
        WriteSvg(data, 640, 480, fonts, base + ".svg", error)) {
      out << "wrote " << base << ".png and .svg: " << name << ", " << Describe(data) << "\n";
    } else {
      err << "zdinfo: " << name << " not exported: " << error << "\n";
      status = 1;
    }
  }
  return status;
}

}  // namespace zd::info
