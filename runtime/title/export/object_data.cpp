#include "title/export/object_data.h"

#include <new>

#include "database/database_pictures.h"
#include "runtime.h"
#include "title/object_record.h"
#include "title/page_object.h"
#include "title/resource_cache.h"
#include "title/tcs_decompress.h"

namespace zd {
namespace {

constexpr uint32_t kMapGraphic = 13;
constexpr size_t kDrawingEndWord = 4;
// A database text is saved as its display shows it, at most this many characters.
constexpr size_t kFieldTextCharacters = Database::kValueTextCapacity - 1;

using Result = std::variant<ObjectToSave, std::string>;

Result Made(ExportKind kind, std::vector<uint8_t> bytes, const Rect& box) {
  if (bytes.empty()) return std::string("saverr4");
  return ObjectToSave{kind, std::move(bytes), box};
}

std::vector<uint8_t> BytesOf(std::string_view text) { return {text.begin(), text.end()}; }

// The sprite as its resource file holds it: loaded afresh into a slot of its own and unpacked
// there, never the copy the page has readied for the screen.
Result FreshSprite(Runtime& runtime, const PageObject& object, const Rect& box) {
  ResourceCache& cache = runtime.titleFiles.cache();
  const auto slot = cache.FindFreeSlot();
  if (!slot) return std::string("saverr4");
  if (!cache.LoadResource(*slot, int(object.resourceDirectory()), int(object.resourceNumber()),
                          resource_kind::SPRITE)) {
    cache.Free(*slot);
    return std::string("saverr4");
  }
  cache.PrepareResource(*slot, false);  // unpacks a packed sprite, leaves its rows as they are
  std::vector<uint8_t> bytes;
  if (cache.slot(*slot).used) bytes = std::move(cache.slot(*slot).block);
  cache.Free(*slot);
  return Made(ExportKind::Sprite, std::move(bytes), box);
}

// The drawing in the page's cache slot, without the end word the cache put after the file.
Result CachedDrawing(Runtime& runtime, const PageObject& object, const Rect& box) {
  const ResourceCache& cache = runtime.titleFiles.cache();
  const uint32_t slot = object.cacheSlot();
  if (slot >= uint32_t(kCacheSlots) || !cache.slot(int(slot)).used) return std::string("saverr4");
  const std::vector<uint8_t>& block = cache.slot(int(slot)).block;
  if (block.size() <= kDrawingEndWord) return std::string("saverr4");
  return Made(ExportKind::Drawing, {block.begin(), block.end() - kDrawingEndWord}, box);
}

Result SlotBytes(Runtime& runtime, uint32_t slot, ExportKind kind, const Rect& box) {
  const ResourceCache& cache = runtime.titleFiles.cache();
  if (slot >= uint32_t(kCacheSlots) || !cache.slot(int(slot)).used) return std::string("saverr4");
  return Made(kind, cache.slot(int(slot)).block, box);
}

// A picture field's picture by its kind; a packed sprite is unpacked.
Result FieldPicture(const DatabasePicture& picture, const Rect& box) {
  const ByteView data(picture.bytes.data(), picture.bytes.size());
  switch (picture.entry.kind) {
    case graphic_kind::SPRITE: return Made(ExportKind::Sprite, picture.bytes, box);
    case graphic_kind::DRAWING: return Made(ExportKind::Drawing, picture.bytes, box);
    case graphic_kind::PACKED_SPRITE: {
      auto sprite = DecompressTcs(data);
      if (!sprite) return std::string("saverr4");
      return Made(ExportKind::Sprite, std::move(*sprite), box);
    }
    case kMapGraphic: return Made(ExportKind::Map, picture.bytes, box);
    default: return std::string("saverr3");  // the cross and the kinds that show nothing
  }
}

// What a database field display shows: the field's name, its picture or its text form.
Result FieldValue(Runtime& runtime, const PageObject& object, const Rect& box) {
  Database& database = runtime.database;
  const int32_t field = int32_t(object.Read(object_record::kField, kNone));
  if (field < 0 || field >= database.FieldCount()) return std::string("saverr4");
  const FieldDescriptor& descriptor = database.GetFieldDescriptor(field);
  if (object.Read(object_record::kShowFieldName, 0) != 0) {
    return Made(ExportKind::Text, BytesOf(descriptor.name.c_str()), box);
  }
  const int current = database.currentRecord;
  if (current < 0 || current >= database.RecordCount()) return std::string("saverr4");
  if (descriptor.type == field_type::PICTURE) {
    const ByteView record = database.GetRecord(current);
    const DatabasePicture* picture =
        record.empty() ? nullptr : database.LoadGraphic(RecordPictureName(record, descriptor));
    if (!picture) return std::string("saverr4");
    Result result = FieldPicture(*picture, box);
    database.FreeGraphic();
    return result;
  }
  // Numbers for scripts only, and kinds no title shows, have nothing on the page to save.
  if (descriptor.type == field_type::NUMBER || descriptor.type > field_type::COORDINATES) {
    return std::string("saverr4");
  }
  std::string text = database.FormatFieldValue(Database::kValueTextCapacity, current, field);
  if (text.size() > kFieldTextCharacters) text.resize(kFieldTextCharacters);
  return Made(ExportKind::Text, BytesOf(text), box);
}

}  // namespace

std::variant<ObjectToSave, std::string> DataOfObject(Runtime& runtime, const ObjectRef& ref) {
  if (!runtime.titleFiles.loaded()) return std::string("saverr4");
  const PageObject object(runtime.titleFiles.image(), ref);
  const Rect box = object.pixelBox().value_or(Rect{});
  try {
    switch (object.type()) {
      case object_type::SPRITE: return FreshSprite(runtime, object, box);
      case object_type::DRAWING: return CachedDrawing(runtime, object, box);
      case object_type::TEXT: return Made(ExportKind::Text, BytesOf(object.text()), box);
      case object_type::STYLED_TEXT:
        return SlotBytes(runtime, object.textSlot(), ExportKind::Text, box);
      case object_type::FIELD_DISPLAY: return FieldValue(runtime, object, box);
      default: return SlotBytes(runtime, object.cacheSlot(), ExportKind::Map, box);
    }
  } catch (const std::bad_alloc&) {
    return std::string("generr3");  // no memory for the copy
  }
}

}  // namespace zd
