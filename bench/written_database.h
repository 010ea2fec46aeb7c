// A database folder for the benchmarks: written once by the titlekit writer (as zdbuild
// --database writes it) into a temporary folder, and removed when the run ends.
#pragma once

#include <unistd.h>

#include <filesystem>
#include <functional>
#include <string>

#include "runtime.h"
#include "titlekit/database_description.h"
#include "titlekit/database_values.h"
#include "titlekit/title_writer.h"

namespace zd::bench {

class WrittenDatabase {
 public:
  using Json = titlekit::Json;
  // `fields` is a database description without records; `values(r)` gives record r's values
  // in their description forms, one per field.
  WrittenDatabase(const char* fields, const std::string& name, int records,
                 const std::function<Json(int)>& values)
      : name_(name) {
    char pattern[] = "/tmp/zd-bench-database-XXXXXX";
    if (!mkdtemp(pattern)) return;
    dir_ = pattern;
    titlekit::Database database = titlekit::ParseDatabase(Json::parse(fields), "", dir_);
    database.records.reserve(size_t(records));
    for (int r = 0; r < records; ++r) {
      const Json row = values(r);
      titlekit::DatabaseRecord record;
      for (size_t f = 0; f < database.fields.size(); ++f) {
        record.push_back(titlekit::CellFromJson(database.fields[f], row[f], "records"));
      }
      database.records.push_back(std::move(record));
    }
    titlekit::WriteDatabaseFolder(database, dir_ / name_);
  }
  ~WrittenDatabase() {
    std::error_code ignored;
    if (!dir_.empty()) std::filesystem::remove_all(dir_, ignored);
  }
  WrittenDatabase(const WrittenDatabase&) = delete;
  WrittenDatabase& operator=(const WrittenDatabase&) = delete;

  std::string path() const { return (dir_ / name_).string(); }
  const std::string& name() const { return name_; }

 private:
  std::filesystem::path dir_;
  std::string name_;
};

// A runtime's configuration with no messages file: the benchmarks report nothing.
inline RuntimeConfig NoMessages() {
  RuntimeConfig config;
  config.messagesPath = "/nonexistent";
  return config;
}

}  // namespace zd::bench
