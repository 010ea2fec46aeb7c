#include "database/database_objects.h"

#include "database/database.h"
#include "title/object_types.h"
#include "title/pages.h"
#include "title/resource_cache.h"

namespace zd {
namespace {

class DatabaseObject final : public ObjectTypeHandler {
 public:
  explicit DatabaseObject(Database& database) : database_(database) {}

  void Load(PageObject& object, ObjectLoading&) const override {
    database_.OpenDatabaseObject(static_cast<int>(object.index()));
  }

  // A page left for one that goes on with the same database keeps its file's slot.
  void Release(PageObject& object, ObjectRelease& release) const override {
    if (release.mode & leave_mode::KEEP_DATABASE) {
      if (object.cacheSlot() < uint32_t(kCacheSlots)) {
        release.cache.slot(static_cast<int>(object.cacheSlot())).inUseByPage = true;
      }
      return;
    }
    database_.CloseDatabaseObject(static_cast<int>(object.index()));
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
    database_.DrawDisplay(paint.canvas, box, visible, static_cast<int>(object.index()));
  }

 private:
  Database& database_;
};

// An unfilled choice list stays hidden until it is filled; it closes with its page.
class ChoiceListObject final : public ObjectTypeHandler {
 public:
  explicit ChoiceListObject(Database& database) : database_(database) {}
  void Load(PageObject& object, ObjectLoading&) const override {
    if (object.Has(object_flag::CHOICE_LIST_UNFILLED)) object.SetFlag(object_flag::VISIBLE, false);
  }
  void Release(PageObject&, ObjectRelease&) const override { database_.CloseChoiceList(); }

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
    database_.DrawDisplay(paint.canvas, box, visible, static_cast<int>(object.index()));
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
  types.Register({object_type::CHOICE_LIST}, std::make_unique<ChoiceListObject>(database));
  types.Register({object_type::KEYWORD_HOTSPOT}, std::make_unique<KeywordHotspot>(database));
}

}  // namespace zd
