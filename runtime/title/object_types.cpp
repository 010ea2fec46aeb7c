#include "title/object_types.h"

#include "title/pages.h"
#include "title/resource_cache.h"

namespace zd {
namespace {

// Types no subsystem claims (the no-action object, unknown numbers) load, draw and take
// clicks as nothing.
class InertObject final : public ObjectTypeHandler {};

}  // namespace

void ObjectRelease::GiveBack(uint32_t slot) {
  if (slot >= uint32_t(kCacheSlots)) return;
  cache.slot(static_cast<int>(slot)).inUseByPage = false;
  if (mode & leave_mode::FREE_RESOURCES) cache.Free(static_cast<int>(slot));
}

ObjectTypes::ObjectTypes() {
  owned_.push_back(std::make_unique<InertObject>());
  byType_.fill(owned_.front().get());
}

void ObjectTypes::Register(std::initializer_list<uint32_t> types,
                           std::unique_ptr<ObjectTypeHandler> handler) {
  for (uint32_t type : types) {
    if (type < kTypes) byType_[type] = handler.get();
  }
  owned_.push_back(std::move(handler));
}

const ObjectTypeHandler& ObjectTypes::For(uint32_t type) const {
  return *(type < kTypes ? byType_[type] : owned_.front().get());
}

}  // namespace zd
