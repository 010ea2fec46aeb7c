#include "titlekit/drawing.h"

#include "titlekit/description_error.h"
#include "titlekit/draw_writer.h"
#include "titlekit/picture.h"

namespace zd::titlekit {
namespace {

DrawBox ToDrawBox(const Json& value, const std::string& where) {
  if (!value.is_array() || value.size() != 4)
    throw DescriptionError(where, "expected [x0, y0, x1, y1]");
  return {ToI32(value[0], PathIndex(where, 0)), ToI32(value[1], PathIndex(where, 1)),
          ToI32(value[2], PathIndex(where, 2)), ToI32(value[3], PathIndex(where, 3))};
}

uint32_t ToCap(const Json& value, const std::string& where) {
  if (value.is_string()) {
    const std::string name = value.get<std::string>();
    if (name == "butt") return 0;
    if (name == "round") return 1;
    if (name == "square") return 2;
    if (name == "triangle") return 3;
    throw DescriptionError(where,
                           "unknown cap \"" + name + "\" (known: butt, round, square, triangle)");
  }
  return ToU32(value, where) & 3;
}

DrawElement ToElement(const Json& value, const std::string& where) {
  if (!value.is_array() || value.empty() || !value[0].is_string()) {
    throw DescriptionError(where,
                           "expected [\"move\", x, y], [\"line\", x, y], [\"curve\", x1, y1, x2, "
                           "y2, x3, y3], [\"close\"] or [\"end\"]");
  }
  const std::string kind = value[0].get<std::string>();
  DrawElement e;
  size_t points = 0;
  if (kind == "move") {
    e.kind = DrawElement::Move;
    points = 1;
  } else if (kind == "line") {
    e.kind = DrawElement::Line;
    points = 1;
  } else if (kind == "curve") {
    e.kind = DrawElement::Curve;
    points = 3;
  } else if (kind == "close") {
    e.kind = DrawElement::Close;
  } else if (kind == "end") {
    e.kind = DrawElement::End;
  } else if (kind == "tag") {  // any tag word, for malformed paths
    if (value.size() != 2) throw DescriptionError(where, "expected [\"tag\", number]");
    e.kind = DrawElement::Kind(ToU32(value[1], PathIndex(where, 1)));
    return e;
  } else {
    throw DescriptionError(
        PathIndex(where, 0),
        "unknown element \"" + kind + "\" (known: move, line, curve, close, end, tag)");
  }
  if (value.size() != 1 + 2 * points) {
    throw DescriptionError(where,
                           "\"" + kind + "\" takes " + std::to_string(2 * points) + " coordinates");
  }
  for (size_t i = 0; i < points; ++i) {
    e.points.push_back({ToI32(value[1 + 2 * i], PathIndex(where, 1 + 2 * i)),
                        ToI32(value[2 + 2 * i], PathIndex(where, 2 + 2 * i))});
  }
  return e;
}

void WriteObjects(DrawWriter& w, const Json& list, const std::string& where,
                  const std::filesystem::path& baseDir);

void WriteObject(DrawWriter& w, const Json& json, const std::string& where,
                 const std::filesystem::path& baseDir) {
  const Members m(
      json, where,
      {"path",       "fill",     "outline", "width",  "evenOdd", "startCap", "endCap", "capWidth",
       "capLength",  "dash",     "box",     "text",   "font",    "size",     "at",     "colour",
       "background", "textArea", "group",   "tagged", "tag",     "objects",  "sprite"});
  const std::string_view kind = m.OneOf({"path", "text", "textArea", "group", "tagged", "sprite"});
  const auto box = [&](bool required) -> std::optional<DrawBox> {
    if (const Json* v = m.Find("box")) return ToDrawBox(*v, m.Path("box"));
    if (required) throw DescriptionError(m.Path("box"), "missing");
    return std::nullopt;
  };
  if (kind == "path") {
    DrawPathShape path;
    path.outline = 0;  // black outline unless told
    m.Colour("fill", path.fill);
    m.Colour("outline", path.outline);
    m.Get("width", path.width);
    if (const Json* v = m.Find("evenOdd")) path.evenOdd = ToBool(*v, m.Path("evenOdd"));
    if (const Json* v = m.Find("startCap")) path.startCap = ToCap(*v, m.Path("startCap"));
    if (const Json* v = m.Find("endCap")) path.endCap = ToCap(*v, m.Path("endCap"));
    m.Get("capWidth", path.capWidth);
    m.Get("capLength", path.capLength);
    if (const Json* v = m.Find("dash")) {
      if (!v->is_array()) throw DescriptionError(m.Path("dash"), "expected a list of lengths");
      path.dash.emplace();
      for (size_t i = 0; i < v->size(); ++i)
        path.dash->push_back(ToI32((*v)[i], PathIndex(m.Path("dash"), i)));
    }
    const Json& elements = *m.Find("path");
    if (!elements.is_array()) throw DescriptionError(m.Path("path"), "expected a list of elements");
    for (size_t i = 0; i < elements.size(); ++i) {
      path.elements.push_back(ToElement(elements[i], PathIndex(m.Path("path"), i)));
    }
    path.box = box(false);
    w.Path(path);
  } else if (kind == "text") {
    uint32_t colour = 0, background = 0xFFFFFF00, font = 0;
    m.Colour("colour", colour);
    m.Colour("background", background);
    m.Get("font", font);
    int32_t xSize = 12 * 640, ySize = 12 * 640;  // 12 points
    if (const Json* v = m.Find("size")) {
      if (!v->is_array() || v->size() != 2)
        throw DescriptionError(m.Path("size"), "expected [x size, y size]");
      xSize = ToI32((*v)[0], PathIndex(m.Path("size"), 0));
      ySize = ToI32((*v)[1], PathIndex(m.Path("size"), 1));
    }
    const Json* at = m.Find("at");
    if (!at || !at->is_array() || at->size() != 2)
      throw DescriptionError(m.Path("at"), "expected [x, y]: the start of the baseline");
    const int32_t x = ToI32((*at)[0], PathIndex(m.Path("at"), 0)),
                  y = ToI32((*at)[1], PathIndex(m.Path("at"), 1));
    const Bytes text = ToText(*m.Find("text"), m.Path("text"));
    // Without a box: one from the baseline, as high as the font and about as wide as the text.
    const DrawBox b = box(false).value_or(
        DrawBox{x, y - ySize / 4, x + int32_t(text.size()) * xSize / 2, y + ySize});
    w.Text(b, colour, background, uint8_t(font), xSize, ySize, x, y, text);
  } else if (kind == "textArea") {
    uint32_t colour = 0, background = 0xFFFFFF00;
    m.Colour("colour", colour);
    m.Colour("background", background);
    w.TextArea(*box(true), colour, background, ToText(*m.Find("textArea"), m.Path("textArea")));
  } else if (kind == "group" || kind == "tagged") {
    const Json* objects = m.Find("objects");
    if (!objects) throw DescriptionError(m.Path("objects"), "missing");
    const DrawBox b = box(false).value_or(DrawBox{});
    if (kind == "group") {
      w.BeginGroup(b, ToString(*m.Find("group"), m.Path("group")));
    } else {
      w.BeginTagged(b, ToU32(*m.Find("tagged"), m.Path("tagged")));
    }
    WriteObjects(w, *objects, m.Path("objects"), baseDir);
    w.EndGroup();
  } else if (kind == "sprite") {
    const PictureResource picture = ParsePicture(*m.Find("sprite"), m.Path("sprite"), baseDir);
    w.Sprite(*box(true), picture.sprite);
  } else {
    throw DescriptionError(
        where,
        "give the object as \"path\", \"text\", \"textArea\", \"group\", \"tagged\" or \"sprite\"");
  }
}

void WriteObjects(DrawWriter& w, const Json& list, const std::string& where,
                  const std::filesystem::path& baseDir) {
  if (!list.is_array()) throw DescriptionError(where, "expected a list of objects");
  for (size_t i = 0; i < list.size(); ++i) WriteObject(w, list[i], PathIndex(where, i), baseDir);
}

}  // namespace

std::string ParseDrawing(const Json& json, const std::string& where,
                         const std::filesystem::path& baseDir) {
  const Members m(json, where, {"box", "fonts", "objects"});
  if (!m.Has("box"))
    throw DescriptionError(m.Path("box"), "missing: the drawing's box in Draw units");
  DrawWriter w(ToDrawBox(*m.Find("box"), m.Path("box")));
  if (const Json* fonts = m.Find("fonts")) {
    const std::string at = m.Path("fonts");
    if (!fonts->is_array()) throw DescriptionError(at, "expected [[number, name], ...]");
    std::vector<std::pair<uint8_t, std::string>> table;
    for (size_t i = 0; i < fonts->size(); ++i) {
      const Json& entry = (*fonts)[i];
      const std::string p = PathIndex(at, i);
      if (!entry.is_array() || entry.size() != 2)
        throw DescriptionError(p, "expected [number, name]");
      table.push_back({ToU8(entry[0], PathIndex(p, 0)), ToText(entry[1], PathIndex(p, 1))});
    }
    w.FontTable(table);
  }
  if (const Json* objects = m.Find("objects"))
    WriteObjects(w, *objects, m.Path("objects"), baseDir);
  return w.Finish();
}

}  // namespace zd::titlekit
