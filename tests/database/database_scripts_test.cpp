// What scripts read of a database: where opendata finds it, each field type's text and number,
// explain texts, statistics, and the reports for everything a script can get wrong.
#include <gtest/gtest.h>

#include <cfloat>
#include <climits>
#include <cstdio>

#include "base/cp1253.h"
#include "database/database_title.h"

namespace zd {
namespace {

using test::DatabaseTitle;
using test::Has;
using test::Keys;
using test::PlacesDatabase;
using test::TitleWithDatabases;

std::string Greek(const char* utf8) { return Utf8ToCp1253(utf8); }

// A "databases" entry: the places database in database\<folder>\<name>.
std::string Places(const std::string& folder, const std::string& name,
                   const std::string& extra = "") {
  const std::string db = PlacesDatabase(extra);
  return R"({"folder": ")" + folder + R"(", "name": ")" + name + R"(", )" + db.substr(1);
}

std::string PlacesTitle(const std::string& extra = "") {
  return TitleWithDatabases(test::kPlainPage, "[" + Places("ravel", "PLACES", extra) + "]");
}

TEST(DatabaseScripts, OpendataFindsTheFolderBySuffixByNearNameAndBelowTheOverrideDirectory) {
  const std::string databases =
      "[" + Places("ravel", "CITIES", R"(, "title": "One")") + ", " +
      Places("ravel2", "CITIES", R"(, "title": "Two")") + ", " +
      Places("ravel", "xOWNS", R"(, "title": "Near")") + ", " +
      Places("ravel", "yOWNS", R"(, "title": "Later")") + "]";
  const std::string override = R"(, "override": {"directory": "newer", "databases": [)" +
                               Places("ravel", "CITIES", R"(, "title": "Newer")") + "]}";
  const std::string description = TitleWithDatabases(test::kPlainPage, databases, override);
  DatabaseTitle title(description);

  EXPECT_EQ(title.Run("set n%, NFields%\nset r%, NRecords%\n"), Keys{});
  EXPECT_EQ(title.Number("n%"), -1) << "no database is open";
  EXPECT_EQ(title.Number("r%"), -1);

  EXPECT_EQ(title.Run("opendata \"CITIES: 2\"\nshowexplain -1\nset n%, NFields%\n"
                      "set r%, NRecords%\n"),
            Keys{});
  EXPECT_EQ(title.Number("n%"), 13);
  EXPECT_EQ(title.Number("r%"), 3);
  EXPECT_TRUE(Has(title.TraceText(), "ravel2")) << title.TraceText();
  EXPECT_TRUE(Has(title.TraceText(), "captioned \"Two\"")) << "captioned by the database's title";
  EXPECT_TRUE(Has(title.TraceText(), "Places of the meadow")) << "its explain text";

  EXPECT_EQ(title.Run("opendata \"TOWNS\"\nshowexplain -1\nshowexplain 7\n"), Keys{});
  EXPECT_TRUE(Has(title.TraceText(), "captioned \"Near\"")) << "a folder differing in its first letter";
  EXPECT_TRUE(Has(title.TraceText(), "captioned \"Picture\"")) << "captioned by the field's name";
  EXPECT_TRUE(Has(title.TraceText(), "No explain text available.")) << title.TraceText();

  EXPECT_EQ(title.Run("opendata \"CITIES\"\nshowexplain -1\n"), Keys{});
  EXPECT_TRUE(Has(title.TraceText(), "captioned \"One\"")) << "without -E, the title's own copy";
  EXPECT_EQ(title.Run("opendata \"CITIES:2\"\nshowexplain -1\n"), Keys{});
  EXPECT_TRUE(Has(title.TraceText(), "captioned \"Two\"")) << "the blank after the colon is not needed";
  EXPECT_EQ(title.Run("opendata \"CITIES:  2\"\n"), Keys{"scerr61"}) << "only one blank is skipped";

  DatabaseTitle newer(description, "-E {out}/newer");
  EXPECT_EQ(newer.Run("opendata \"CITIES\"\nshowexplain -1\n"), Keys{});
  EXPECT_TRUE(Has(newer.TraceText(), "captioned \"Newer\"")) << "the copy below -E comes first";

  // Names that are too long, lead out of the folder or find nothing.
  EXPECT_EQ(title.Run("opendata \"ABCDEFGHIJKLMNOPQRST\"\n"), Keys{"scerr60"});
  EXPECT_EQ(title.Run("opendata \"NOWHERE\"\nopendata \"..\\t\"\nopendata \"a/b\"\n"
                      "opendata \"CITIES:/../..\"\nset n%, NFields%\n"),
            (Keys{"scerr61", "scerr61", "scerr61", "scerr61"}));
  EXPECT_EQ(title.Number("n%"), 13) << "a failed search leaves the open database open";
  EXPECT_EQ(title.Run("closedata\nset n%, NFields%\nclosedata\n"), Keys{});
  EXPECT_EQ(title.Number("n%"), -1);
}

TEST(DatabaseScripts, EveryFieldTypeGivesItsTextAndItsNumbers) {
  DatabaseTitle title(PlacesTitle());
  ASSERT_EQ(title.Run("opendata \"PLACES\"\nset DateFormat%, 3\n"), Keys{});
  const char* const record0[] = {"Λίμνη",  "12 m",       "1500 people", "47.5 mm", "29/2/96",
                                 "Yes",    "river, lake", "lake",       "Old and wet.", "-7",
                                 "",       "(10,-20)",   "town"};
  for (int field = 0; field < 13; ++field) {
    ASSERT_EQ(title.Run("getdata " + std::to_string(field) + ", 0, s$\n"), Keys{});
    EXPECT_EQ(title.Text("s$"), Greek(record0[field])) << "field " << field;
  }
  const std::string unknown = Greek("Άγνωστο");
  ASSERT_EQ(title.Run("set DateFormat%, 0\ngetdata \"People\", 1, a$\ngetdata \"Rain\", 1, b$\n"
                      "getdata \"Founded\", 1, c$\ngetdata \"Coastal\", 1, d$\n"
                      "getdata \"Features\", 1, e$\ngetdata \"Kinds\", 1, f$\n"
                      "getdata \"Rain\", 2, g$\ngetdata \"People\", 2, h$\n"),
            Keys{});
  EXPECT_EQ(title.Text("a$"), unknown) << "an unknown integer";
  EXPECT_EQ(title.Text("b$"), unknown) << "an unknown real";
  EXPECT_EQ(title.Text("c$"), "1890") << "a year alone";
  EXPECT_EQ(title.Text("d$"), "No") << "only 255 is yes";
  EXPECT_EQ(title.Text("e$"), "hill, sea");
  EXPECT_EQ(title.Text("f$"), "town, village");
  EXPECT_EQ(title.Text("g$"), "0.125 mm");
  EXPECT_EQ(title.Text("h$"), "-3 people");

  ASSERT_EQ(title.Run("getdata 1, 1, h%\ngetdata 2, 1, p%\ngetdata 3, 0, rain\n"
                      "getdata 4, 0, d%, m%, y%\ngetdata 5, 1, c%\ngetdata 5, 2, n%\n"
                      "getdata 6, 0, k%\ngetdata 11, 0, x%, z%\n"),
            Keys{});
  EXPECT_EQ(title.Number("h%"), 250);
  EXPECT_EQ(title.Number("p%"), INT_MIN) << "the unknown value as it is stored";
  EXPECT_DOUBLE_EQ(*title.Number("rain"), 47.5);
  EXPECT_EQ(title.Number("d%"), 29);
  EXPECT_EQ(title.Number("m%"), 2);
  EXPECT_EQ(title.Number("y%"), 1996);
  EXPECT_EQ(title.Number("c%"), 1) << "any non-zero byte reads as 1";
  EXPECT_EQ(title.Number("n%"), 0);
  EXPECT_EQ(title.Number("k%"), 3) << "the bit set of river and lake";
  EXPECT_EQ(title.Number("x%"), 10);
  EXPECT_EQ(title.Number("z%"), -20);

  // Values that cannot go into numbers, and variables of the wrong kind.
  EXPECT_EQ(title.Run("getdata 0, 0, a%\ngetdata 7, 0, a%\ngetdata 10, 0, a%\n"
                      "getdata 8, 0, a%\ngetdata 9, 0, a%\n"),
            (Keys{"scerr16", "scerr16", "scerr16", "scerr53", "scerr53"}));
  EXPECT_TRUE(Has(title.reports()[3].text, "Long text")) << "with the type's name";
  EXPECT_EQ(title.Run("getdata 3, 0, a%\ngetdata 1, 0, rain\ngetdata 4, 0, d%, m%, rain\n"),
            (Keys{"scerr46", "scerr44", "scerr44"}));
  EXPECT_TRUE(Has(title.reports()[2].text, "rain")) << "with the argument at fault";
}

TEST(DatabaseScripts, FieldNamesTypesExplainTextsAndStatistics) {
  DatabaseTitle title(PlacesTitle());
  ASSERT_EQ(title.Run("opendata \"PLACES\"\ngetfieldname n$, 5\ngetfieldtype t$, 5\n"
                      "getfieldtype u$, 13\ngetexplain e$, 0\ngetexplain f$, 1\n"),
            Keys{"scerr51"});
  EXPECT_EQ(title.Text("n$"), "Coastal");
  EXPECT_EQ(title.Text("t$"), "Yes or No");
  EXPECT_EQ(title.Text("e$"), "What the place is called");
  EXPECT_EQ(title.Text("f$"), "") << "a field without one";

  ASSERT_EQ(title.Run("getfieldstats 1, lo, hi, sum, sq\ngetfieldstats 3, rlo, rhi, rsum, rsq\n"),
            Keys{});
  EXPECT_EQ(title.Number("lo"), 0);
  EXPECT_EQ(title.Number("hi"), 250);
  EXPECT_EQ(title.Number("sum"), 262);
  EXPECT_EQ(title.Number("sq"), 12 * 12 + 250 * 250);
  EXPECT_DOUBLE_EQ(*title.Number("rlo"), 0.125) << "the unknown value is skipped";
  EXPECT_DOUBLE_EQ(*title.Number("rhi"), 47.5);
  EXPECT_DOUBLE_EQ(*title.Number("rsum"), 47.625);
  EXPECT_EQ(title.Run("getfieldstats 0, a, b, c, d\ngetfieldstats 1, a, b, c%, d\n"),
            (Keys{"scerr57", "scerr46"}));
  EXPECT_TRUE(Has(title.reports()[0].text, "Text"));
  EXPECT_TRUE(Has(title.reports()[1].text, "c%"));

  // While the selection is in use and none has been made, there are no records.
  ASSERT_EQ(title.Run("set UseSelection%, 1\nset r%, NRecords%\ngetdata 0, 0, s$\n"
                      "set UseSelection%, 0\n"),
            Keys{"scerr52"});
  EXPECT_EQ(title.Number("r%"), 0);
}

TEST(DatabaseScripts, StatisticsOfValuesAllUnknownKeepTheirStartingExtremes) {
  const std::string db = R"({"name": "NONE", "fields": [
      {"name": "I", "type": "integer"}, {"name": "R", "type": "decimal"}],
    "records": [[null, null], [null, null]]})";
  DatabaseTitle title(TitleWithDatabases(test::kPlainPage, "[" + db + "]"));
  for (const char* field : {"0", "1"}) {
    ASSERT_EQ(title.Run(std::string("opendata \"NONE\"\ngetfieldstats ") + field +
                        ", a, b, c, d\n"),
              Keys{});
    EXPECT_EQ(title.Number("a"), DBL_MAX) << field;
    EXPECT_EQ(title.Number("b"), -DBL_MAX);
    EXPECT_EQ(title.Number("c"), 0);
    EXPECT_EQ(title.Number("d"), 0);
  }
}

TEST(DatabaseScripts, BadFieldsRecordsAndNamesAreReported) {
  DatabaseTitle title(PlacesTitle());
  EXPECT_EQ(title.Run("getdata 0, 0, s$\ngetdata \"Name\", 0, s$\ngetfieldname s$, 0\n"
                      "getexplain s$, -1\nshowexplain -1\ngetfieldstats 1, a, b, c, d\n"),
            (Keys{"scerr50", "scerr50", "scerr50", "scerr50", "scerr50", "scerr50"}));
  ASSERT_EQ(title.Run("opendata \"PLACES\"\n"), Keys{});
  EXPECT_EQ(title.Run("getdata 13, 0, s$\ngetdata -1, 0, s$\ngetfieldname s$, -1\n"
                      "getexplain s$, -2\ngetdata 0, 3, s$\ngetdata 0, -1, s$\n"
                      "getdata \"name\", 0, s$\n"),
            (Keys{"scerr51", "scerr51", "scerr51", "scerr51", "scerr52", "scerr52", "scerr63"}));
  EXPECT_TRUE(Has(title.reports()[6].text, "name"));
}

TEST(DatabaseScripts, RecordsAcrossTheRecordWindowReadTheirOwnValues) {
  // 400 records of 100 bytes: the window holds 204 of them. Each script command starts with an
  // empty window; one long read (as lists make) goes on with the window it has.
  std::string records;
  for (int i = 0; i < 400; ++i) {
    records += std::string(i ? ", " : "") + R"({"N": )" + std::to_string(i * 7) + "}";
  }
  const std::string db = R"({"folder": "ravel", "name": "BIG", "recordLength": 100,
    "fields": [{"name": "N", "type": "integer"}], "records": [)" + records + "]}";
  DatabaseTitle title(TitleWithDatabases(test::kPlainPage, "[" + db + "]"));
  ASSERT_EQ(title.Run("opendata \"BIG\"\ngetdata 0, 399, a%\ngetdata 0, 0, b%\n"
                      "getdata 0, 250, c%\ngetdata 0, 196, d%\ngetfieldstats 0, lo, hi, sum, sq\n"),
            Keys{});
  EXPECT_EQ(title.Number("a%"), 399 * 7);
  EXPECT_EQ(title.Number("b%"), 0);
  EXPECT_EQ(title.Number("c%"), 250 * 7);
  EXPECT_EQ(title.Number("d%"), 196 * 7);
  EXPECT_EQ(title.Number("sum"), 7.0 * 399 * 400 / 2);

  Database& database = title.runtime().database;
  ASSERT_EQ(title.Run("opendata \"BIG\"\n"), Keys{});
  const FieldDescriptor& n = database.GetFieldDescriptor(0);
  for (const int record : {399, 100, 0, 203, 204, 399, 195, 196, 1}) {
    EXPECT_EQ(ReadInteger(database.GetRecord(record), n), record * 7)
        << "record " << record << ", read after the ones before it without a new command";
  }
}


TEST(DatabaseScripts, RealsAreWrittenAsTheCLibrarysGeneralFormatWritesThem) {
  const float values[] = {0.0f, -0.5f, 1e-5f, 123456.0f, 1234567.0f, 1e20f, 3.4e38f, 47.87f, 0.1f,
                          100000.0f, 999999.5f, 1.5e-10f, -1.7e38f, 1e-40f, 65535.25f};
  std::string records;
  for (const float value : values) {
    char number[32];
    std::snprintf(number, sizeof number, "%.9g", double(value));
    records += std::string(records.empty() ? "" : ", ") + "[" + number + "]";
  }
  const std::string db = R"({"folder": "ravel", "name": "REALS",
    "fields": [{"name": "R", "type": "real"}], "records": [)" + records + "]}";
  DatabaseTitle title(TitleWithDatabases(test::kPlainPage, "[" + db + "]"));
  ASSERT_EQ(title.Run("opendata \"REALS\"\n"), Keys{});
  for (size_t i = 0; i < std::size(values); ++i) {
    ASSERT_EQ(title.Run("getdata 0, " + std::to_string(i) + ", s$\ngetdata 0, " +
                        std::to_string(i) + ", r\n"),
              Keys{});
    const float stored = float(*title.Number("r"));
    EXPECT_EQ(stored, values[i]);
    char expected[64];
    std::snprintf(expected, sizeof expected, "%G", double(stored));
    EXPECT_EQ(title.Text("s$"), expected) << values[i];
  }
}

}  // namespace
}  // namespace zd
