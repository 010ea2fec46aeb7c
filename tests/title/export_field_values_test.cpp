// Database field displays saved as what they show: the picked record's text, the field's name,
// or its picture (a sprite, a packed sprite unpacked, a drawing), each in the file of its kind.
#include <gtest/gtest.h>

#include <string>
#include <variant>

#include "database/database_title.h"
#include "database/picture_fixtures.h"
#include "runtime.h"
#include "title/export/export_writers.h"
#include "title/export/object_data.h"
#include "title/export/object_finder.h"

namespace zd {
namespace {

class SavedFieldDisplays : public testing::Test {
 protected:
  SavedFieldDisplays() {
    const std::string red = test::SolidPng(pngs_, "red.png", 20, 10, 255, 0, 0);
    const std::string database = R"({"folder": "ravel", "name": "PLACES", "title": "Places",
      "fields": [{"name": "Name", "type": "text", "width": 16},
                 {"name": "Picture", "type": "picture"}],
      "records": [["Λίμνη", "sun"], ["Hilltop", "plan"], ["", "packed"], ["", "cross"]],
      "pictures": [{"name": "sun", "picture": {"png": ")" + red + R"("}},
        {"name": "plan", "drawing": {"box": [0, 0, 1000, 1000], "objects": [{"path":
          [["move", 0, 0], ["line", 1000, 0], ["line", 1000, 1000], ["close"]],
          "fill": "#0000FF", "outline": "none"}]}},
        {"name": "packed", "picture": {"png": ")" + red + R"(", "compress": true}},
        {"name": "cross", "kind": 1}]})";
    const std::string pages = R"([{"name": "Start", "objects": [
      {"name": "Value", "type": "fieldDisplay", "field": 0, "pixels": [0, 0, 200, 40]},
      {"name": "Label", "type": "fieldDisplay", "field": 0, "showName": true,
       "pixels": [0, 50, 200, 90]},
      {"name": "Picture", "type": "fieldDisplay", "field": 1, "pixels": [300, 0, 400, 100]}]}])";
    title_ = std::make_unique<test::DatabaseTitle>(
        test::TitleWithDatabases(pages, "[" + database + "]"));
  }

  // What saving the object at (x, y) in `format` writes, or the key of the failure.
  std::string Saved(int x, int y, ExportFormat format) {
    Runtime& runtime = title_->runtime();
    const auto ref = FindObjectToSave(runtime, x, y);
    if (!ref) return "no object";
    const auto data = DataOfObject(runtime, *ref);
    if (const auto* key = std::get_if<std::string>(&data)) return *key;
    const std::string path = out_.File("saved");
    const ExportResult result = WriteObjectFile(runtime, format, std::get<ObjectToSave>(data), path);
    if (result != ExportResult::Saved) return ResultKey(result, false);
    return test::ReadFile(path);
  }

  test::TempDir pngs_, out_;
  std::unique_ptr<test::DatabaseTitle> title_;
};

TEST_F(SavedFieldDisplays, EachDisplaySavesWhatItShows) {
  ASSERT_EQ(title_->Run("opendata \"PLACES\"\n"), test::Keys{});
  Database& database = title_->runtime().database;
  database.currentRecord = -1;
  EXPECT_EQ(Saved(10, 10, ExportFormat::Text), "saverr4") << "no record picked";
  EXPECT_EQ(Saved(10, 60, ExportFormat::Text), "Name");

  database.currentRecord = 0;
  EXPECT_EQ(Saved(10, 10, ExportFormat::Text), "Λίμνη");
  EXPECT_EQ(Saved(350, 50, ExportFormat::Bitmap).substr(0, 2), "BM");
  EXPECT_EQ(Saved(350, 50, ExportFormat::DrawFile), "saverr3") << "a sprite is no drawing";

  database.currentRecord = 1;
  EXPECT_EQ(Saved(350, 50, ExportFormat::DrawFile).substr(0, 4), "Draw");
  EXPECT_EQ(Saved(350, 50, ExportFormat::Bitmap), "saverr3");

  database.currentRecord = 2;
  const std::string unpacked = Saved(350, 50, ExportFormat::Bitmap);
  database.currentRecord = 0;
  EXPECT_EQ(unpacked, Saved(350, 50, ExportFormat::Bitmap)) << "the packed copy, unpacked";

  database.currentRecord = 3;
  EXPECT_EQ(Saved(350, 50, ExportFormat::Bitmap), "saverr3") << "the cross is no picture";
}

}  // namespace
}  // namespace zd
