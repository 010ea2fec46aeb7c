#include "database/database_objects.h"

#include "database/database.h"
#include "title/object_types.h"
#include "title/pages.h"
#include "title/resource_cache.h"
#include "title/title_paths.h"

namespace zd {
namespace {

class DatabaseObject final : public ObjectTypeHandler {
 public:
  explicit DatabaseObject(Database& database) : database_(database) {}

  // The page's database replaces whatever database is open. Its DESCRIBE goes into the
  // resource cache like any resource of the page; the other files are read from its folder.
  void Load(PageObject& object, ObjectLoading& loading) const override {
    database_.CloseDatabase();
    const auto slot = loading.loadResource(resource_kind::DATABASE, object.resourceDirectory(),
                                           object.resourceNumber());
    if (!slot) return;
    const std::string folder(ParentPath(loading.cache.slot(*slot).titlePath));
    if (!database_.OpenDatabaseFromResource(folder, *slot)) {
      loading.cache.Free(*slot);
      return;
    }
    object.SetCacheSlot(uint32_t(*slot));
    object.SetFlag(object_flag::ATTACHED, true);
    database_.listField = int32_t(object.Read(object_record::kListField, 0));
  }

  // A page left for one that goes on with the same database keeps its file's slot.
  void Release(PageObject& object, ObjectRelease& release) const override {
    if (release.mode & leave_mode::KEEP_DATABASE) {
      // Only while the slot still holds this page's database: a script may have opened
      // another one since, and the slot gone to another resource.
      if (object.cacheSlot() < uint32_t(kCacheSlots) &&
          database_.resourceSlot() == int(object.cacheSlot())) {
        release.cache.slot(static_cast<int>(object.cacheSlot())).inUseByPage = true;
      }
      return;
    }
    database_.CloseDatabase();
    object.SetCacheSlot(kNone);
    object.SetFlag(object_flag::ATTACHED, false);
    release.resetKeywords |= database_.KeywordSearchPageIs(release.pageNumber + 1);
  }

 private:
  Database& database_;
};

// Record and field displays show the selected record.
class RecordDisplay final : public ObjectTypeHandler {
 public:
  explicit RecordDisplay(Database& database) : database_(database) {}
  void Draw(ObjectPainting& paint, const PageObject& object, const Rect& box,
            const Rect& visible) const override {
    database_.DrawDisplay(paint.canvas, object, box, visible);
  }

 private:
  Database& database_;
};

// Keyword hotspots show a field's words and take clicks on them.
class KeywordHotspot final : public ObjectTypeHandler {
 public:
  explicit KeywordHotspot(Database& database) : database_(database) {}
  void Load(PageObject&, ObjectLoading& loading) const override {
    database_.PageHasKeywordHotspot(loading.keywordPage);
  }
  void Draw(ObjectPainting& paint, const PageObject& object, const Rect& box,
            const Rect& visible) const override {
    database_.DrawDisplay(paint.canvas, object, box, visible);
  }
  ClickRole clickRole() const override { return ClickRole::KeywordHotspot; }

 private:
  Database& database_;
};

}  // namespace

void RegisterDatabaseObjectTypes(ObjectTypes& types, Database& database) {
  types.Register({object_type::DATABASE}, std::make_unique<DatabaseObject>(database));
  types.Register({object_type::RECORD_DISPLAY, object_type::FIELD_DISPLAY},
                 std::make_unique<RecordDisplay>(database));
  types.Register({object_type::KEYWORD_HOTSPOT}, std::make_unique<KeywordHotspot>(database));
}

}  // namespace zd
