// Databases whose files lie: every count, offset and length that points outside its file is
// refused when the database opens ("generr6"), so no later read can leave the file; missing
// files are reported where the player reads them, or read as empty where titles expect that.
#include <gtest/gtest.h>

#include "database/database_title.h"

namespace zd {
namespace {

using test::DatabaseTitle;
using test::Has;
using test::Keys;

// The places database beside the title, with `extra` members and `fieldExtra` members added to
// field `field`.
std::string LyingTitle(const std::string& extra, int field = -1, const std::string& fieldExtra = "") {
  std::string db = test::PlacesDatabase(extra);
  if (field >= 0) {
    size_t at = db.find("\"fields\"");
    for (int i = 0; i <= field; ++i) at = db.find("{\"name\"", at + 1);
    db.insert(db.find('}', at), fieldExtra);
  }
  return test::TitleWithDatabases(test::kPlainPage,
                                  R"([{"name": "PLACES", )" + db.substr(1) + "]");
}

struct Lie {
  const char* what;
  std::string extra;
  int field = -1;
  std::string fieldExtra;
  const char* reason = "";  // what the trace says
};

TEST(DatabaseMalformed, EveryCountOrOffsetOutsideItsFileIsRefusedAtOpen) {
  const Lie lies[] = {
      {"a record length of 0", R"(, "recordLength": 0)", -1, "", "record length 0"},
      {"a record longer than the window", R"(, "recordLength": 20481)", -1, "", "record length 20481"},
      {"a field past its record", R"(, "recordLength": 90)", 12, R"(, "offset": 88)",
       "field 12 lies past the end of its record"},
      {"more fields than DESCRIBE holds", R"(, "fieldCount": 255)", -1, "", "too short for its 255"},
      {"33 keywords", R"(, "omit": ["TOKEN"])", 6, R"(, "keywordCount": 33)", "has 33 keywords"},
      {"a negative keyword count", R"(, "omit": ["TOKEN"])", 12, R"(, "parameter": 200)",
       "has -56 keywords"},
      {"units past DESCRIBE", "", 1, R"(, "extraOffset": 50000)", "units past the end"},
      {"labels past DESCRIBE", "", 5, R"(, "extraOffset": 50000)", "labels past the end"},
      {"the database's explain text past EXPLAIN", R"(, "explainOffset": 40000)", -1, "",
       "explain text lies past the end of EXPLAIN"},
      {"a field's explain text past EXPLAIN", "", 0, R"(, "explainOffset": 40000)",
       "field 0 has its explain text past"},
      {"a keyword list past TOKEN", "", 6, R"(, "extraOffset": 40000)", "keywords past the end of TOKEN"},
      {"a TOKEN cut short", R"(, "truncate": {"TOKEN": 10})", -1, "", "keywords past the end of TOKEN"},
      {"more records than DATA holds", R"(, "recordCount": 4)", -1, "", "DATA holds"},
      {"a DATA cut short", R"(, "truncate": {"DATA": 20})", -1, "", "DATA holds 20 bytes"},
      {"more pictures than GRAPHICS holds", R"(, "pictureCount": 7)", -1, "", "too short for its 7 entries"},
      {"a GRAPHICS too short for its count", R"(, "truncate": {"GRAPHICS": 10})", -1, "",
       "shorter than its header"},
      {"a DESCRIBE shorter than its header", R"(, "truncate": {"DESCRIBE": 79})", -1, "",
       "DESCRIBE is shorter than its header"},
  };
  for (const Lie& lie : lies) {
    DatabaseTitle title(LyingTitle(lie.extra, lie.field, lie.fieldExtra));
    EXPECT_EQ(title.Run("opendata \"PLACES\"\nset n%, NFields%\n"), Keys{"generr6"}) << lie.what;
    EXPECT_EQ(title.Number("n%"), -1) << lie.what << ": nothing is left open";
    EXPECT_TRUE(Has(title.TraceText(), lie.reason)) << lie.what << ": " << title.TraceText();
    EXPECT_TRUE(Has(title.reports().at(0).text, "PLACES")) << "with the path";
  }
  // A record of no bytes, whatever its fields.
  {
    const std::string db = R"([{"name": "EMPTY", "recordLength": 0,
      "fields": [{"name": "O", "type": "other", "width": 0}], "records": [[]]}])";
    DatabaseTitle title(test::TitleWithDatabases(test::kPlainPage, db));
    EXPECT_EQ(title.Run("opendata \"EMPTY\"\ngetdata 0, 0, s$\n"), (Keys{"generr6", "scerr50"}));
  }
  // Pictures whose entries point past the file.
  for (const char* picture : {R"("offset": 5000)", R"("length": 5000)"}) {
    std::string description = LyingTitle("");
    const size_t at = description.find(R"("name": "wood")");
    description.insert(at, std::string(picture) + ", ");
    DatabaseTitle title(description);
    EXPECT_EQ(title.Run("opendata \"PLACES\"\n"), Keys{"generr6"}) << picture;
  }
}

TEST(DatabaseMalformed, WhatTitlesMayHoldStillOpens) {
  // Names that fill their 32 bytes, text values without a NUL, and an explain text longer than
  // what a script reads.
  const std::string name(32, 'N');
  const std::string explain(600, 'e');
  const std::string db = R"({"name": "FULL", "title": ")" + name + R"(", "fields": [
      {"name": ")" + name + R"(", "type": "text", "width": 4, "explain": ")" + explain + R"("},
      {"name": "B", "type": "picture", "width": 4}],
    "records": [{")" + name + R"(": "abcd", "B": "wxyz"}]})";
  DatabaseTitle title(test::TitleWithDatabases(test::kPlainPage, "[" + db + "]"));
  ASSERT_EQ(title.Run("opendata \"FULL\"\ngetfieldname n$, 0\ngetdata 0, 0, a$\ngetdata 1, 0, b$\n"
                      "getexplain e$, 0\n"),
            Keys{});
  EXPECT_EQ(title.Text("n$"), name);
  EXPECT_EQ(title.Text("a$"), "abcd") << "the value ends with its width";
  EXPECT_EQ(title.Text("b$"), "wxyz");
  EXPECT_EQ(title.Text("e$"), explain.substr(0, 255)) << "cut to what a variable holds";
}

TEST(DatabaseMalformed, MissingFilesAreReportedWhereTheyAreReadOrReadAsNothing) {
  {
    DatabaseTitle title(LyingTitle(R"(, "omit": ["DATA"])"));
    EXPECT_EQ(title.Run("opendata \"PLACES\"\nset n%, NFields%\ngetdata 0, 0, s$\n"),
              Keys{"generr4"});
    EXPECT_EQ(title.Number("n%"), 13) << "the database opens without its records";
    EXPECT_FALSE(title.Text("s$")) << "nothing was read";
  }
  {
    DatabaseTitle title(LyingTitle(R"(, "omit": ["TOKEN", "GRAPHICS", "EXPLAIN"])"));
    EXPECT_EQ(title.Run("opendata \"PLACES\"\ngetdata 6, 0, s$\ngetdata 6, 0, k%\n"), Keys{});
    EXPECT_EQ(title.Text("s$"), "") << "no TOKEN: keywords have no names";
    EXPECT_EQ(title.Number("k%"), 3) << "the bits are still there";
    Database& database = title.runtime().database;
    EXPECT_EQ(database.LoadGraphic(PictureName(ByteView(std::string_view("lake")))), nullptr);
    EXPECT_EQ(title.Run("getexplain s$, 0\n"), Keys{"generr4"}) << "EXPLAIN is read for a text";
    EXPECT_FALSE(Has(title.TraceText(), "generr1")) << "no GRAPHICS: pictures are crosses, silently";
  }
  {
    DatabaseTitle title(LyingTitle(R"(, "omit": ["DESCRIBE"])"));
    EXPECT_EQ(title.Run("opendata \"PLACES\"\n"), Keys{"generr4"});
  }
}

TEST(DatabaseMalformed, LongTextsOutsideFreetextAndPicturesOfTheIndex) {
  // Record 2's long text says it lies at 1000 and runs for 50 bytes; FREETEXT is shorter. Record
  // 1's starts at 0 and runs for 50: past the file's 12 bytes.
  std::string description = LyingTitle("");
  const std::string history = R"("History": "")";
  description.replace(description.find(history), history.size(),
                      R"("History": {"hex": "e8030000 32000000"})");
  const std::string code = R"("Code": 3,)";
  description.replace(description.find(code), code.size(),
                      R"("Code": 3, "History": {"hex": "00000000 32000000"},)");
  DatabaseTitle title(description);
  ASSERT_EQ(title.Run("opendata \"PLACES\"\ngetdata 8, 2, s$\ngetdata 8, 0, t$\n"
                      "getdata 8, 1, u$\n"),
            Keys{});
  EXPECT_EQ(title.Text("s$"), "") << "nothing of it lies in the file";
  EXPECT_EQ(title.Text("t$"), "Old and wet.") << "the others are as they were";
  EXPECT_EQ(title.Text("u$"), "Old and wet.") << "what the file holds of it";

  Database& database = title.runtime().database;
  const DatabasePicture* wood = database.LoadGraphic(PictureName(ByteView(std::string_view("wood"))));
  ASSERT_NE(wood, nullptr);
  EXPECT_EQ(wood->entry.kind, graphic_kind::SPRITE);
  EXPECT_EQ(std::string(wood->bytes.begin(), wood->bytes.end()), std::string(20, 'W'));
  EXPECT_EQ(database.LoadGraphic(PictureName(ByteView(std::string_view("wood")))), wood)
      << "the loaded picture is kept";
  title.ClearTrace();
  EXPECT_EQ(database.LoadGraphic(PictureName(ByteView(std::string_view("none")))), nullptr);
  EXPECT_TRUE(Has(title.TraceText(), "message generr1")) << title.TraceText();
}

}  // namespace
}  // namespace zd
