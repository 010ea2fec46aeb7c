// Page objects of the database: the database itself, record and field displays, the choice
// list and keyword hotspots.
#pragma once

namespace zd {

class Database;
class ObjectTypes;

void RegisterDatabaseObjectTypes(ObjectTypes& types, Database& database);

}  // namespace zd
