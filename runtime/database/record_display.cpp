#include "database/record_display.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <string>
#include <string_view>

#include "database/database.h"
#include "database/database_pictures.h"
#include "graphics/canvas.h"
#include "graphics/sprites/colour_tables.h"
#include "graphics/text/canvas_text_device.h"
#include "graphics/text/font_mapping.h"
#include "graphics/text/styled_text.h"
#include "graphics/text/text_objects.h"
#include "graphics/text/text_painter.h"
#include "runtime.h"
#include "title/object_record.h"
#include "title/page_drawing.h"

namespace zd {
namespace {

namespace record = object_record;

// Record displays: their own font, and the room kept inside the box and between pairs.
constexpr int kRecordFontHeight = 12, kRecordInset = 4, kPairGap = 4;

CanvasTextDevice TextDeviceOn(Runtime& runtime, Canvas& canvas) {
  Graphics& graphics = runtime.graphics;
  return CanvasTextDevice(&canvas, graphics.fonts(),
                          [&graphics](platform::Rgb rgb) { return graphics.NearestIndex(rgb); });
}

// Text without markup in the object's box, font and colours (its flags fill and frame the box).
void DrawObjectText(Runtime& runtime, Canvas& canvas, const PageObject& object, const Rect& box,
                    const Rect& visible, std::string_view text) {
  CanvasTextDevice device = TextDeviceOn(runtime, canvas);
  CanvasStateSaver saved(canvas);
  canvas.SetClip(visible);
  DrawPlainTextBox(device, ObjectTextInput(object, box, text), {});
}

uint8_t PaletteIndexOfWord(Runtime& runtime, uint32_t word) {
  return runtime.graphics.NearestIndex(PaletteWordToRgb(word));
}

// A picture field: the box filled, the record's picture, the box framed, as the flags ask.
void DrawPictureField(Runtime& runtime, Canvas& canvas, const PageObject& object, int field,
                      const Rect& box, const Rect& visible) {
  Database& database = runtime.database;
  const uint32_t flags = object.textFlags();
  if (flags & text_flag::FILL) {
    canvas.FillRect(box.Intersect(visible),
                    PaletteIndexOfWord(runtime, object.Read(record::kFillColour, 0)),
                    PlotAction::Copy);
  }
  // With no record picked there is no picture to look for (and none to report missing).
  const int current = database.currentRecord;
  if (current >= 0 && current < database.RecordCount()) {
    const ByteView bytes = database.GetRecord(current);
    const DatabasePicture* picture =
        bytes.empty() ? nullptr
                      : database.LoadGraphic(
                            RecordPictureName(bytes, database.GetFieldDescriptor(field)));
    if (picture) {
      DrawDatabasePicture(runtime, canvas, box, visible, *picture);
    } else {
      DrawMissingPictureCross(canvas, box, visible);
    }
  }
  if (flags & text_flag::FRAME) {
    CanvasTextDevice device = TextDeviceOn(runtime, canvas);
    CanvasStateSaver saved(canvas);
    canvas.SetClip(visible);
    device.FrameBox(box, PaletteColourOfWord(object.Read(record::kFrameColour, 0)));
  }
}

// The texts of a record display's pairs: NUL-ended, one after another to the record's end. The
// last may run to the end without its NUL.
class PairTexts {
 public:
  explicit PairTexts(ByteView bytes) : bytes_(bytes) {}
  bool AtEnd() const { return at_ >= bytes_.size(); }
  std::string_view Next() {
    if (AtEnd()) return {};
    const auto* begin = reinterpret_cast<const char*>(bytes_.data()) + at_;
    const std::string_view rest(begin, bytes_.size() - at_);
    const size_t length = std::min(rest.find('\0'), rest.size());
    at_ += length + 1;
    return rest.substr(0, length);
  }

 private:
  ByteView bytes_;
  size_t at_ = 0;
};

// How far a wrapped text reaches down from `top`: its lines, blank ones too, at least one.
int WrappedHeight(platform::FontSet& fonts, const LogicalFont& font, std::string_view text,
                  const Rect& column) {
  const int lineHeight = std::max(fonts.Metrics(FontRequestFor(font)).height(), 1);
  const Rect unbounded{column.left, column.top, column.right, INT_MAX / 2};
  const auto lines = WrapText(fonts, font, text, unbounded, TextAlign::Centre);
  if (lines.empty()) return lineHeight;
  return lines.back().y - column.top + lineHeight;
}

}  // namespace

void DrawFieldDisplay(Runtime& runtime, Canvas& canvas, const PageObject& object,
                      const Rect& box, const Rect& visible) {
  Database& database = runtime.database;
  const int32_t field = int32_t(object.Read(record::kField, kNone));
  if (field < 0 || field >= database.FieldCount()) {
    DrawMissingPictureCross(canvas, box, visible);
    return;
  }
  const FieldDescriptor& descriptor = database.GetFieldDescriptor(field);
  if (object.Read(record::kShowFieldName, 0) != 0) {
    DrawObjectText(runtime, canvas, object, box, visible, descriptor.name);
    return;
  }
  switch (descriptor.type) {
    case field_type::PICTURE:
      DrawPictureField(runtime, canvas, object, field, box, visible);
      return;
    case field_type::NUMBER:  // a number for scripts only, never shown
      return;
    default:
      if (descriptor.type > field_type::COORDINATES) return;  // kinds no title shows
      break;
  }
  const int current = database.currentRecord;
  const std::string text = current >= 0 && current < database.RecordCount()
                               ? database.FormatFieldValue(Database::kValueTextCapacity, current, field)
                               : std::string();
  DrawObjectText(runtime, canvas, object, box, visible, text);
}

void DrawRecordDisplay(Runtime& runtime, Canvas& canvas, const PageObject& object,
                       const Rect& box, const Rect& visible) {
  const Rect inner{box.left + kRecordInset, box.top + kRecordInset, box.right - kRecordInset,
                   box.bottom - kRecordInset};
  const int64_t labelWidth = std::max<int32_t>(int32_t(object.Read(record::kLabelWidth, 0)), 0);
  const int64_t valueLeft =
      inner.left + labelWidth * kRecordLabelPixelsPerCharacter + kRecordLabelMargin;
  if (valueLeft >= inner.right) return;

  Graphics& graphics = runtime.graphics;
  CanvasStateSaver saved(canvas);
  canvas.SetClip(visible);
  const uint32_t background = object.Read(record::kDisplayBackground, kNone);
  if (background != kNone) {
    canvas.FillRect(box, PaletteIndexOfWord(runtime, background), PlotAction::Copy);
  }

  const LogicalFont font = MapFont("System Font", kRecordFontHeight, 0);
  const uint8_t labelIndex = PaletteIndexOfWord(runtime, object.Read(record::kLabelColour, 0));
  const uint8_t valueIndex = PaletteIndexOfWord(runtime, object.Read(record::kValueColour, 0));
  const Rect labelColumn{inner.left, inner.top, int(valueLeft), inner.bottom};

  // The pairs are read from the record as far as it reaches, whatever its count says.
  const ObjectRef& ref = object.ref();
  const ByteView data = runtime.titleFiles.image().view().Sub(ref.offset, ref.length)
                            .value_or(ByteView())
                            .From(record::kPairs);
  PairTexts texts(data);
  const int32_t pairCount = int32_t(object.Read(record::kPairCount, 0));
  int top = inner.top;
  for (int32_t pair = 0; pair < pairCount && !texts.AtEnd() && top <= inner.bottom; ++pair) {
    const std::string_view label = texts.Next();
    const std::string_view value = texts.Next();
    canvas.SetClip(visible.Intersect(labelColumn));
    graphics.textPainter().DrawLine(canvas, inner.left, top, font, label, labelIndex);
    canvas.SetClip(visible);
    const Rect valueColumn{int(valueLeft), top, inner.right, inner.bottom};
    graphics.textPainter().DrawWrapped(canvas, valueColumn, font, value, valueIndex,
                                       TextAlign::Centre);
    top += WrappedHeight(graphics.fonts(), font, value, valueColumn) + kPairGap;
  }
}

void DrawKeywordHotspot(Runtime& runtime, Canvas& canvas, const PageObject& object,
                        const Rect& box, const Rect& visible) {
  Database& database = runtime.database;
  const auto page = runtime.pages.currentPage();
  if (!database.IsOpen() || !page) return;
  // The keywords are those of the field the page's keyword search looks in.
  const uint16_t field =
      runtime.titleFiles.image().U16(page->offset + page_record::kKeywordField).value_or(0);
  if (field >= database.FieldCount() || !database.GetFieldDescriptor(field).IsKeywords()) return;
  const int32_t keyword = int32_t(object.Read(record::kKeyword, kNone));
  const auto& names = database.KeywordNames(field);
  if (keyword < 0 || size_t(keyword) >= names.size() || names[size_t(keyword)].empty()) return;

  // The name centred both ways; the box is filled and framed as the flags ask.
  TextBoxInput input = ObjectTextInput(object, box, names[size_t(keyword)]);
  CanvasTextDevice device = TextDeviceOn(runtime, canvas);
  CanvasStateSaver saved(canvas);
  canvas.SetClip(visible);
  if (input.flags & text_flag::FILL) device.FillBox(box, input.background);
  if (input.flags & text_flag::FRAME) device.FrameBox(box, input.textColour);
  input.flags = (input.flags & ~(text_flag::FILL | text_flag::FRAME | text_flag::RIGHT)) |
                text_flag::CENTRE;
  // The plain text box starts its first line this far below its top, and ends its text this
  // far above its bottom.
  const int firstLineGap = (input.font.pitchAndFamily & 3) == 1 ? 4 : 5, lastLineGap = 4;
  const Rect kept = KeptTextBox(box);  // a box of any size gives sums that cannot overflow
  const int lineTop = kept.top + (kept.height() - device.TextHeight(input.font)) / 2;
  input.box.top = lineTop - firstLineGap;
  input.box.bottom = std::max(kept.bottom, lineTop + device.TextHeight(input.font) + lastLineGap);
  DrawPlainTextBox(device, input, {});
}

}  // namespace zd
