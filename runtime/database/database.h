// The title's flat-file databases, their selection, keyword search and dates.
#pragma once

namespace zd {

class Runtime;

class Database {
 public:
  explicit Database(Runtime& runtime) : runtime_(runtime) {}

  void LoadDateNames();
  void BuildTables();
  void ReleaseKeywordConditions();

 private:
  Runtime& runtime_;
};

}  // namespace zd
