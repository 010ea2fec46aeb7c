// The choice list object (type 19): the page object that places the page's choice list.
#pragma once

namespace zd {

class ObjectTypes;
class Runtime;

void RegisterChoiceListObjectType(ObjectTypes& types, Runtime& runtime);

}  // namespace zd
