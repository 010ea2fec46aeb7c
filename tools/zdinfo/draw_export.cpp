#include "zdinfo/draw_export.h"

#include <filesystem>
#include <fstream>
#include <sstream>

#include "graphics/draw/draw_file.h"
#include "graphics/draw/draw_svg.h"
#include "graphics/palette.h"
#include "platform/png_codec.h"
#include "platform/text_fonts.h"
#include "zdinfo/overview_text.h"
#include "zdinfo/resources_overview.h"

namespace zd::info {
namespace fs = std::filesystem;
namespace {

ByteView View(const std::string& bytes) { return ByteView(bytes); }

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
  std::ofstream out(path, std::ios::binary);
  out << DrawingAsSvg(View(data), width, height, fonts);
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
