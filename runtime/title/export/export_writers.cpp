#include "title/export/export_writers.h"

#include "base/cp1253.h"
#include "graphics/canvas.h"
#include "graphics/draw/draw_file.h"
#include "graphics/draw/draw_svg.h"
#include "graphics/sprites/sprite_decode.h"
#include "graphics/text/markup_text.h"
#include "platform/atomic_file.h"
#include "platform/png_codec.h"
#include "runtime.h"
#include "title/export/bmp_writer.h"
#include "title/export/emf_writer.h"
#include "title/export/picture_limits.h"
#include "title/export/sprite_file_writer.h"

namespace zd {
namespace {

constexpr uint8_t kWhite = 255;  // the page's white in the 256-colour rule and the title palette

ByteView View(const ObjectToSave& object) {
  return ByteView(object.bytes.data(), object.bytes.size());
}

std::string AsString(const ObjectToSave& object) {
  return std::string(object.bytes.begin(), object.bytes.end());
}

// The sprite at its own size; its mask becomes transparency.
ExportResult SpritePng(const ObjectToSave& object, std::string& bytes) {
  auto picture = DecodeSpriteRgba(View(object), false);
  if (!picture) return ExportResult::KindMismatch;
  if (PictureTooLarge(picture->width, picture->height)) return ExportResult::NoData;
  const platform::RgbaImage image{picture->width, picture->height, std::move(picture->rgba)};
  std::string error;
  return platform::EncodePngRgba(image, bytes, error) ? ExportResult::Saved
                                                      : ExportResult::NoData;
}

// The drawing as the page shows it, at the size of its box there, on white. The box is the
// title's to choose, so an absurd one is refused before anything is allocated.
ExportResult DrawingPng(Runtime& runtime, const ObjectToSave& object, std::string& bytes) {
  const int w = object.box.width(), h = object.box.height();
  if (w <= 0 || h <= 0 || PictureTooLarge(w, h)) return ExportResult::NoData;
  std::vector<uint8_t> data(object.bytes);
  data.insert(data.end(), 4, uint8_t{0xFF});  // the end word the page's copy has
  Canvas canvas(w, h);
  canvas.Fill(runtime.graphics.NearestIndex({kWhite, kWhite, kWhite}));
  runtime.graphics.DrawDrawFile(canvas, {0, 0, w, h}, ByteView(data.data(), data.size()));
  std::string error;
  return platform::EncodePngIndexed(canvas.View(), runtime.graphics.titleColours(), 256, bytes,
                                    error)
             ? ExportResult::Saved
             : ExportResult::NoData;
}

bool IsDrawing(const ObjectToSave& object) {
  return object.kind == ExportKind::Drawing && DrawFileBox(View(object)).has_value();
}

}  // namespace

std::string PlainTextUtf8(std::string_view markedUp1253) {
  return Cp1253ToUtf8(StripMarkup(markedUp1253));
}

ExportResult EncodeObject(Runtime& runtime, ExportFormat format, const ObjectToSave& object,
                          std::string& bytes) {
  const bool sprite = object.kind == ExportKind::Sprite;
  switch (format) {
    case ExportFormat::Metafile:
      if (object.kind != ExportKind::Drawing) return ExportResult::KindMismatch;
      return EncodeMetafile(View(object), object.box.width(), object.box.height(),
                            runtime.shell.windowTitle(), runtime.graphics.fonts(), bytes);
    case ExportFormat::Bitmap:
      return sprite ? EncodeBitmap(View(object), bytes) : ExportResult::KindMismatch;
    case ExportFormat::SpriteFile:
      return sprite ? EncodeSpriteFile(View(object), bytes) : ExportResult::KindMismatch;
    case ExportFormat::DrawFile:
      if (!IsDrawing(object)) return ExportResult::KindMismatch;
      bytes = AsString(object);
      return ExportResult::Saved;
    case ExportFormat::Text:
      if (object.kind != ExportKind::Text) return ExportResult::KindMismatch;
      bytes = PlainTextUtf8(AsString(object));
      return ExportResult::Saved;
    case ExportFormat::Map:
      if (object.kind != ExportKind::Map) return ExportResult::KindMismatch;
      bytes = AsString(object);
      return ExportResult::Saved;
    case ExportFormat::Png:
      if (sprite) return SpritePng(object, bytes);
      return IsDrawing(object) ? DrawingPng(runtime, object, bytes) : ExportResult::KindMismatch;
    case ExportFormat::Svg:
      if (!IsDrawing(object)) return ExportResult::KindMismatch;
      if (object.box.width() <= 0 || object.box.height() <= 0) return ExportResult::NoData;
      bytes = DrawingAsSvg(View(object), object.box.width(), object.box.height(),
                           runtime.graphics.fonts());
      return ExportResult::Saved;
  }
  return ExportResult::KindMismatch;
}

ExportResult WriteObjectFile(Runtime& runtime, ExportFormat format, const ObjectToSave& object,
                             const std::string& diskPath) {
  std::string bytes;
  ExportResult result = ExportResult::NoData;
  try {
    result = EncodeObject(runtime, format, object, bytes);
  } catch (const std::bad_alloc&) {
    return ExportResult::NoData;
  }
  if (result != ExportResult::Saved) return result;
  platform::AtomicFile file;
  std::string error;
  if (!file.Open(diskPath, error)) return ExportResult::CannotCreate;
  if (!file.Write(bytes) || !file.Commit(error)) return ExportResult::WriteFailed;
  runtime.trace.Line(TraceCategory::File, "file written " + Utf8ToCp1253(diskPath));
  return ExportResult::Saved;
}

}  // namespace zd
