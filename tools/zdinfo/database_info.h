// zdinfo's databases: the databases a title uses (its database objects' resource folders and
// the folders database/ravel*/<name>/ beside it) listed with their fields, described as JSON,
// and exported as CSV records with a schema zdbuild --database rebuilds them from.
#pragma once

#include <ostream>
#include <string>

#include "titlekit/title_reader.h"

namespace zd::info {

// The overview's "Databases:" part: each database's title, counts and fields, or why the
// player would refuse it.
void PrintTitleDatabases(std::ostream& out, const titlekit::TitleReading& title);

// zdinfo TITLE --export DIR: every database as DIR/<name>.csv and DIR/<name>.json, its pictures
// in DIR/<name>-pictures/. Returns 0 when every one was written, 1 when any was not.
int ExportTitleDatabases(const titlekit::TitleReading& title, const std::string& dir,
                         std::ostream& out, std::ostream& err);

// zdinfo --database FOLDER [--json] [--export DIR]: one database folder listed, described or
// exported. Returns the exit status: 1 when the database is malformed (the reason on `err`).
int ShowDatabaseFolder(const std::string& folder, bool json, const std::string& exportDir,
                       std::ostream& out, std::ostream& err);

}  // namespace zd::info
