#include "title/export/object_export.h"

#include <variant>

#include "runtime.h"
#include "title/export/object_data.h"
#include "title/export/object_finder.h"
#include "title/export/save_object_dialog.h"

namespace zd {

bool ObjectExport::HasObjectAt(int x, int y) { return FindObjectToSave(runtime_, x, y).has_value(); }

void ObjectExport::SaveObjectAt(int x, int y) {
  const auto ref = FindObjectToSave(runtime_, x, y);
  if (!ref) return;
  auto data = DataOfObject(runtime_, *ref);
  if (const auto* key = std::get_if<std::string>(&data)) {
    runtime_.shell.reporter().ReportError(*key);
    return;
  }
  const ObjectToSave& object = std::get<ObjectToSave>(data);
  SaveObjectDialog(runtime_, object, OfferMask(object.kind));
}

}  // namespace zd
