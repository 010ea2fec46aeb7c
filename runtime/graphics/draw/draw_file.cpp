#include "graphics/draw/draw_file.h"

#include <cstring>

#include "graphics/draw/draw_path.h"
#include "graphics/draw/draw_text.h"
#include "graphics/sprites/sprite_plot.h"

namespace zd {
namespace {

bool IsDrawFile(ByteView data) {
  return data.size() >= 4 && std::memcmp(data.data(), "Draw", 4) == 0;
}

// Font table: after the type and size words, entries of a font number and a NUL-terminated
// name, then zero padding. The first ten are kept, their names cut to 32 characters.
void ReadFontTable(DrawFontTable& table, ByteView object) {
  table = {};
  size_t pos = 8;
  while (pos < object.size()) {
    const uint8_t number = object.data()[pos++];
    if (number == 0) break;  // the padding
    const size_t start = pos;
    while (pos < object.size() && object.data()[pos] != 0) ++pos;
    if (table.count < table.entries.size()) {
      const size_t length = std::min(pos - start, draw::MAX_FONT_NAME);
      table.entries[table.count++] = {
          number, std::string(reinterpret_cast<const char*>(object.data() + start), length)};
    }
    ++pos;  // the NUL
  }
}

void DrawSpriteObject(DrawSurface& surface, const DrawPlacement& p, ByteView object) {
  const auto box = draw::ReadBox(object, 8);
  if (!box) return;
  const int left = int(std::clamp<int64_t>(int64_t(p.originX) + TruncPixels(box->x0 * p.sx),
                                           -1000000000, 1000000000));
  const int width = TruncPixels(box->x1 * p.sx) - TruncPixels(box->x0 * p.sx);
  const int upper = TruncPixels((double(box->y1) - p.y0) * p.sy);
  const int height = upper - TruncPixels((double(box->y0) - p.y0) * p.sy);
  const int top = int(std::clamp<int64_t>(int64_t(p.rect.bottom) - upper, -1000000000, 1000000000));
  const Rect destination{left, top,
                         int(std::clamp<int64_t>(int64_t(left) + width, -1000000000, 1000000000)),
                         int(std::clamp<int64_t>(int64_t(top) + height, -1000000000, 1000000000))};
  surface.Sprite(destination, object.From(draw::OBJECT_HEADER_SIZE));
}

// The canvas as a surface: colours matched to the palette, text through the painter.
class CanvasSurface : public DrawSurface {
 public:
  CanvasSurface(const DrawContext& context, Canvas& canvas) : context_(context), canvas_(canvas) {}
  void Polygon(std::span<const Point> points, FillRule rule, uint32_t colour) override {
    FillPolygon(canvas_, points, rule, context_.Colour(colour));
  }
  void Polyline(std::span<const Point> points, int width, bool dotted, uint32_t colour) override {
    DrawPolyline(canvas_, points, Pen{width, dotted, context_.Colour(colour)});
  }
  void TextLine(int x, int y, const LogicalFont& font, std::string_view text,
                uint32_t colour) override {
    if (context_.text) context_.text->DrawLine(canvas_, x, y, font, text, context_.Colour(colour));
  }
  void TextBox(const Rect& box, const LogicalFont& font, std::string_view text, uint32_t colour,
               TextAlign align) override {
    if (context_.text) {
      context_.text->DrawWrapped(canvas_, box, font, text, context_.Colour(colour), align);
    }
  }
  void Sprite(const Rect& destination, ByteView sprite) override {
    PlotSpriteStretched(canvas_, destination, sprite, false, context_.matcher);
  }

 private:
  const DrawContext& context_;
  Canvas& canvas_;
};

}  // namespace

const std::string* DrawFontTable::Find(uint8_t number) const {
  for (size_t i = 0; i < count; ++i) {
    if (entries[i].number == number) return &entries[i].name;
  }
  return nullptr;
}

std::optional<draw::Box> DrawFileBox(ByteView data) {
  if (!IsDrawFile(data)) return std::nullopt;
  return draw::ReadBox(data, draw::FILE_BOX);
}

std::vector<DrawObjectEntry> ListDrawObjects(ByteView data) {
  std::vector<DrawObjectEntry> list;
  if (!IsDrawFile(data)) return list;
  size_t offset = draw::FILE_HEADER_SIZE;
  // Every step moves on by at least one byte, so the walk ends at the data's end.
  while (offset < data.size()) {
    const auto type = data.U32(offset), size = data.U32(offset + 4);
    if (!type || !size || *type == draw::END_OF_OBJECTS || *size == 0) break;
    list.push_back({offset, *type, *size});
    offset += *type == draw::GROUP ? draw::GROUP_HEADER_SIZE : size_t(*size);
  }
  return list;
}

void RenderDrawObject(DrawSurface& surface, DrawFontTable& fonts, const DrawPlacement& placement,
                      ByteView object) {
  switch (object.U32(0).value_or(draw::END_OF_OBJECTS)) {
    case draw::FONT_TABLE: ReadFontTable(fonts, object); break;
    case draw::TEXT: DrawTextObject(surface, fonts, placement, object); break;
    case draw::PATH: DrawPathObject(surface, placement, object); break;
    case draw::SPRITE: DrawSpriteObject(surface, placement, object); break;
    case draw::TEXT_AREA: DrawTextAreaObject(surface, placement, object); break;
    default: break;  // groups open in the walk; tagged and newer objects are not drawn
  }
}

void DrawDrawObject(DrawContext& context, Canvas& canvas, const DrawPlacement& placement,
                    ByteView object) {
  CanvasSurface surface(context, canvas);
  RenderDrawObject(surface, context.fonts, placement, object);
}

void DrawDrawFile(DrawContext& context, Canvas& canvas, const Rect& rect, ByteView data) {
  CanvasSurface surface(context, canvas);
  RenderDrawFile(surface, context.fonts, rect, data);
}

void RenderDrawFile(DrawSurface& surface, DrawFontTable& fonts, const Rect& rect, ByteView data) {
  const auto box = DrawFileBox(data);
  if (!box) return;
  // A box without width or height has no scale (the arithmetic would divide by zero).
  if (int64_t(box->x1) <= box->x0 || int64_t(box->y1) <= box->y0) return;
  const DrawPlacement placement = FitDrawing(rect, *box);
  for (const DrawObjectEntry& entry : ListDrawObjects(data)) {
    if (entry.type == draw::GROUP) continue;
    const size_t length = std::min<size_t>(entry.size, data.size() - entry.offset);
    RenderDrawObject(surface, fonts, placement, *data.Sub(entry.offset, length));
  }
}

}  // namespace zd
