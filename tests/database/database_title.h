// Titles with databases for the database tests: a title directory "t" made by zdbuild beside
// its "database" folder, started headless, with scripts run on its first page and the keys
// they report read back from the trace.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "script/script_runner.h"
#include "support/title_builder.h"

namespace zd::test {

// A database of places with a field of every kind, 3 records. Field numbers:
// 0 Name (text 16), 1 Height (byte, "m"), 2 People (integer, "people"), 3 Rain (real, "mm"),
// 4 Founded (date), 5 Coastal (yes/no), 6 Features (keywords), 7 Picture (picture name),
// 8 History (long text), 9 Code (number), 10 Other (4 bytes), 11 Where (coordinates),
// 12 Kinds (categories).
inline std::string PlacesDatabase(const std::string& extra = "") {
  return R"({"title": "Places", "explain": "Places of the meadow",
    "fields": [
      {"name": "Name", "type": "text", "width": 16, "explain": "What the place is called"},
      {"name": "Height", "type": "byte", "units": "m"},
      {"name": "People", "type": "integer", "units": "people"},
      {"name": "Rain", "type": "real", "units": "mm"},
      {"name": "Founded", "type": "date"},
      {"name": "Coastal", "type": "yesno", "labels": ["Yes", "No"]},
      {"name": "Features", "type": "keywords", "keywords": ["river", "lake", "hill", "wood", "sea"]},
      {"name": "Picture", "type": "picture", "width": 12},
      {"name": "History", "type": "longtext"},
      {"name": "Code", "type": "number"},
      {"name": "Other", "type": "other", "width": 4},
      {"name": "Where", "type": "coordinates"},
      {"name": "Kinds", "type": "categories", "keywords": ["town", "village"]}
    ],
    "records": [
      {"Name": "Λίμνη", "Height": 12, "People": 1500, "Rain": 47.5, "Founded": "1996-02-29",
       "Coastal": true, "Features": ["river", "lake"], "Picture": "lake", "History": "Old and wet.",
       "Code": -7, "Where": [10, -20], "Kinds": ["town"]},
      {"Name": "Hilltop", "Height": 250, "People": null, "Rain": null, "Founded": "1890",
       "Coastal": 1, "Features": ["hill", "sea"], "Picture": "none", "Code": 3, "Where": [0, 0],
       "Kinds": ["town", "village"]},
      {"Name": "Wood End", "Height": 0, "People": -3, "Rain": 0.125, "Founded": "2000-07",
       "Coastal": false, "Features": [], "Picture": "wood", "History": "", "Code": 0}
    ],
    "pictures": [{"name": "lake", "kind": 1}, {"name": "wood", "file": "wood.bin", "kind": 2}])" +
         extra + "}";
}

// A title "t" of one page whose description the test gives, with `databases` (a JSON list of
// {"folder", "name", ...database}) beside it and `override` files for -E.
inline std::string TitleWithDatabases(const std::string& pages, const std::string& databases,
                                      const std::string& rest = "") {
  return R"({"titles": [{"directory": "t", "pages": )" + pages + R"(, "resources": [], )" +
         R"("sections": [{"page": 0}]}], "databases": )" + databases + rest + "}";
}

inline const char* kPlainPage = R"([{"name": "Start", "objects": []}])";

// The directory a database test's title is built in: made before the runtime that plays it.
class BuiltTitleDirectory {
 public:
  explicit BuiltTitleDirectory(const std::string& description) {
    dir_.Write("wood.bin", std::string(20, 'W'));
    const std::string descriptionPath = dir_.Write("title.json", description);
    const RunResult built = RunTool("zdbuild", {descriptionPath, dir_.File("out")});
    EXPECT_EQ(built.status, 0) << built.err;
  }
  std::string out() const { return dir_.File("out"); }
  std::string titlePath() const { return dir_.File("out/t"); }

 private:
  TempDir dir_;
};

class DatabaseTitle : public BuiltTitleDirectory, public ScriptRunner {
 public:
  // Builds the description into a fresh directory "out" (a file "wood.bin" of 20 bytes lies
  // beside the description for pictures) and starts the title "t" with `commandLine` before its
  // path; "{out}" in the command line stands for that directory. Scripts run on its first page.
  explicit DatabaseTitle(const std::string& description, const std::string& commandLine = "")
      : BuiltTitleDirectory(description), ScriptRunner(Options(commandLine)) {
    runtime().shell.StartUp();
    runtime().shell.window().Dispatch(WindowMessage{Msg::ShowFirstPage});
    runtime().shell.PaintNow();
  }

 private:
  RuntimeOptions Options(std::string commandLine) const {
    if (const size_t at = commandLine.find("{out}"); at != std::string::npos) {
      commandLine.replace(at, 5, out());
    }
    RuntimeOptions options;
    options.commandLine = (commandLine.empty() ? "" : commandLine + " ") + titlePath();
    return options;
  }
};

}  // namespace zd::test
