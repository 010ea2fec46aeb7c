// Draw files drawn into a small canvas, fitted into a box that is partly off it, with every text
// object handed to a painter that draws nothing (fonts would only slow the runs).
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "graphics/canvas.h"
#include "graphics/colour_match.h"
#include "graphics/draw/draw_file.h"
#include "graphics/text/text_painter.h"

namespace {

class QuietPainter : public zd::TextPainter {
 public:
  void DrawLine(zd::Canvas&, int, int, const zd::LogicalFont&, std::string_view text,
                uint8_t) override {
    characters += text.size();
  }
  void DrawWrapped(zd::Canvas&, const zd::Rect&, const zd::LogicalFont&, std::string_view text,
                   uint8_t, zd::TextAlign) override {
    characters += text.size();
  }
  size_t characters = 0;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const zd::ColourMatcher matcher;
  const zd::ByteView file(data, size);
  zd::DrawFontTable fonts;
  QuietPainter painter;
  zd::DrawContext context{matcher, fonts, &painter};
  zd::Canvas canvas(48, 36);
  zd::DrawDrawFile(context, canvas, {-8, 4, 40, 60}, file);
  zd::ListDrawObjects(file);
  zd::DrawFileBox(file);
  return 0;
}
