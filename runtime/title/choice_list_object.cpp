#include "title/choice_list_object.h"

#include <memory>

#include "runtime.h"
#include "title/object_types.h"

namespace zd {
namespace {

// The object draws nothing of its own: the list window over its box is the platform's to draw.
// One that is to stay empty stays hidden until a script shows it; the list closes with its page.
class ChoiceListObject final : public ObjectTypeHandler {
 public:
  explicit ChoiceListObject(Runtime& runtime) : runtime_(runtime) {}
  void Load(PageObject& object, ObjectLoading&) const override {
    if (object.Has(object_flag::CHOICE_LIST_UNFILLED)) object.SetFlag(object_flag::VISIBLE, false);
  }
  void Release(PageObject&, ObjectRelease&) const override {
    runtime_.shell.window().choiceList().Close();
  }

 private:
  Runtime& runtime_;
};

}  // namespace

void RegisterChoiceListObjectType(ObjectTypes& types, Runtime& runtime) {
  types.Register({object_type::CHOICE_LIST}, std::make_unique<ChoiceListObject>(runtime));
}

}  // namespace zd
