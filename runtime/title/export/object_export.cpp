#include "title/export/object_export.h"

namespace zd {

bool ObjectExport::HasObjectAt(int, int) { return false; }
void ObjectExport::SaveObjectAt(int, int) {}

}  // namespace zd
