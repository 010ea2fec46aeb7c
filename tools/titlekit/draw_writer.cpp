#include "titlekit/draw_writer.h"

#include <algorithm>
#include <climits>

namespace zd::titlekit {
namespace {

void Pad(ByteWriter& out) {
  while (out.size() % 4) out.U8(0);
}

}  // namespace

DrawWriter::DrawWriter(DrawBox box, std::string_view producer) {
  out_.Append("Draw");
  out_.U32(201);  // major version
  out_.U32(0);
  std::string name(producer.substr(0, 12));
  name.resize(12, ' ');
  out_.Append(name);
  out_.I32(box.x0);
  out_.I32(box.y0);
  out_.I32(box.x1);
  out_.I32(box.y1);
}

void DrawWriter::Header(uint32_t type, const DrawBox& box) {
  out_.U32(type);
  out_.U32(0);  // the size, filled in by Close
  out_.I32(box.x0);
  out_.I32(box.y0);
  out_.I32(box.x1);
  out_.I32(box.y1);
}

void DrawWriter::Close(size_t start) { out_.PutU32(start + 4, uint32_t(out_.size() - start)); }

void DrawWriter::FontTable(const std::vector<std::pair<uint8_t, std::string>>& fonts) {
  const size_t start = out_.size();
  out_.U32(0);
  out_.U32(0);
  for (const auto& [number, name] : fonts) {
    out_.U8(number);
    out_.Append(name);
    out_.U8(0);
  }
  Pad(out_);
  Close(start);
}

void DrawWriter::Text(DrawBox box, uint32_t colour, uint32_t background, uint8_t font,
                      int32_t xSize, int32_t ySize, int32_t x, int32_t y, std::string_view text) {
  const size_t start = out_.size();
  Header(1, box);
  out_.U32(colour);
  out_.U32(background);
  out_.U32(font);
  out_.I32(xSize);
  out_.I32(ySize);
  out_.I32(x);
  out_.I32(y);
  out_.Append(text);
  out_.U8(0);
  Pad(out_);
  Close(start);
}

void DrawWriter::Path(const DrawPathShape& path) {
  DrawBox box;
  if (path.box) {
    box = *path.box;
  } else {
    int32_t x0 = INT32_MAX, y0 = INT32_MAX, x1 = INT32_MIN, y1 = INT32_MIN;
    for (const DrawElement& e : path.elements) {
      for (const auto& [x, y] : e.points) {
        x0 = std::min(x0, x);
        y0 = std::min(y0, y);
        x1 = std::max(x1, x);
        y1 = std::max(y1, y);
      }
    }
    if (x0 <= x1)
      box = {x0 - path.width / 2, y0 - path.width / 2, x1 + path.width / 2, y1 + path.width / 2};
  }
  const size_t start = out_.size();
  Header(2, box);
  out_.U32(path.fill);
  out_.U32(path.outline);
  out_.I32(path.width);
  const uint32_t style = (path.evenOdd ? 1u << 6 : 0) | (path.dash ? 1u << 7 : 0) |
                         ((path.endCap & 3) << 2) | ((path.startCap & 3) << 4) |
                         ((path.capWidth & 0xFF) << 16) | ((path.capLength & 0xFF) << 24);
  out_.U32(style);
  if (path.dash) {
    out_.U32(0);
    out_.U32(uint32_t(path.dash->size()));
    for (const int32_t d : *path.dash) out_.I32(d);
  }
  for (const DrawElement& e : path.elements) {
    out_.U32(e.kind);
    for (const auto& [x, y] : e.points) {
      out_.I32(x);
      out_.I32(y);
    }
  }
  if (path.elements.empty() || path.elements.back().kind != DrawElement::End) out_.U32(0);
  Close(start);
}

void DrawWriter::Sprite(DrawBox box, std::string_view sprite) {
  const size_t start = out_.size();
  Header(5, box);
  out_.Append(sprite);
  Pad(out_);
  Close(start);
}

void DrawWriter::TextArea(DrawBox box, uint32_t foreground, uint32_t background,
                          std::string_view text) {
  const size_t start = out_.size();
  Header(9, box);
  Header(10, box);  // one column the size of the area
  out_.PutU32(out_.size() - 20, 24);
  out_.U32(0);
  out_.U32(0);
  out_.U32(0);
  out_.U32(foreground);
  out_.U32(background);
  out_.Append(text);
  out_.U8(0);
  Pad(out_);
  Close(start);
}

void DrawWriter::BeginGroup(DrawBox box, std::string_view name) {
  open_.push_back(out_.size());
  Header(6, box);
  std::string field(name.substr(0, 12));
  field.resize(12, ' ');
  out_.Append(field);
}

void DrawWriter::EndGroup() {
  if (open_.empty()) return;
  Close(open_.back());
  open_.pop_back();
}

void DrawWriter::BeginTagged(DrawBox box, uint32_t tag) {
  open_.push_back(out_.size());
  Header(7, box);
  out_.U32(tag);
}

void DrawWriter::EndTagged() { EndGroup(); }

std::string DrawWriter::Finish() {
  while (!open_.empty()) EndGroup();
  return out_.Take();
}

}  // namespace zd::titlekit
