// Database folders made by zdbuild and read back by the player's own layout reader: each field
// type's bytes where the descriptors say, CSV records, description errors, malformed files on
// request, and zdinfo's listing, export and rebuild.
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>

#include "base/byte_view.h"
#include "base/cp1253.h"
#include "database/database_layout.h"
#include "support/title_builder.h"

namespace zd::test {
namespace {

bool Has(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

void BuildDatabase(const std::string& description, const std::string& folder) {
  const RunResult r = RunTool("zdbuild", {"--database", "-", folder}, description);
  ASSERT_EQ(r.status, 0) << r.err << description;
}

// DESCRIBE read and checked against its companions as the player does.
DescribeFile ReadChecked(const TempDir& dir, const std::string& folder = "db") {
  std::string fault;
  const std::string describe = ReadFile(dir.File(folder + "/DESCRIBE"));
  auto file = ReadDescribe(ByteView(describe), &fault);
  EXPECT_TRUE(file) << fault;
  if (!file) return {};
  CompanionSizes sizes;
  sizes.data = ReadFile(dir.File(folder + "/DATA")).size();
  sizes.explain = ReadFile(dir.File(folder + "/EXPLAIN")).size();
  sizes.token = ReadFile(dir.File(folder + "/TOKEN")).size();
  EXPECT_TRUE(CheckCompanions(*file, sizes, &fault)) << fault;
  return *file;
}

ByteView Record(const std::string& data, const DescribeFile& d, size_t r) {
  return *ByteView(data).Sub(8 + r * d.recordLength, d.recordLength);
}

const char* kAtlas = R"({"title": "Atlas", "explain": "Places of the meadow's country",
 "fields": [
   {"name": "Name", "type": "text", "width": 24, "explain": "The place's name"},
   {"name": "Height", "type": "byte", "units": "m"},
   {"name": "People", "type": "integer", "units": "people"},
   {"name": "Rain", "type": "real", "units": "mm"},
   {"name": "Founded", "type": "date", "twoDigitYear": true},
   {"name": "Coastal", "type": "yesno", "labels": ["Ναι", "Όχι"]},
   {"name": "Features", "type": "keywords", "keywords": ["river", "lake", "hill"]},
   {"name": "Picture", "type": 8, "width": 12},
   {"name": "History", "type": "longtext"},
   {"name": "Where", "type": "coordinates"},
   {"name": "Count", "type": "number"},
   {"name": "Blob", "type": "other", "width": 3}
 ],
 "records": [
   {"Name": "Λίμνη", "Height": 12, "People": null, "Rain": 1.25, "Founded": "1950-02-28", "Coastal": true,
    "Features": ["lake", "hill"], "Picture": "lake", "History": "Old, \"very\" old.", "Where": [10, -20],
    "Count": -7, "Blob": "0a0b0c"},
   ["Ποτάμι", 255, 4000, null, {"day": 0, "month": 3, "year": null}, false, 5, "", "", [0, 0], 0, {"hex": "ff"}],
   {"People": 0}
 ],
 "pictures": [
   {"name": "lake", "picture": {"png": "PNG", "compress": true}},
   {"name": "plan", "drawing": {"box": [0, 0, 100, 100], "objects": [{"path": [["move", 0, 0], ["line", 100, 100]]}]}},
   {"name": "gone"}
 ]})";

std::string Atlas() {
  std::string text = kAtlas;
  text.replace(text.find("\"PNG\""), 5, "\"" + SourceDir() + "/examples/demo/pictures/sun.png\"");
  return text;
}

TEST(ToolDatabaseWriter, EachFieldTypeLiesWhereItsDescriptorSays) {
  TempDir dir;
  BuildDatabase(Atlas(), dir.File("db"));
  const DescribeFile d = ReadChecked(dir);
  ASSERT_EQ(d.fields.size(), 12u);
  EXPECT_EQ(d.title, "Atlas");
  EXPECT_EQ(d.recordCount, 3u);
  // One value after another: 24 + 1 + 4 + 4 + 4 + 1 + 4 + 12 + 8 + 4 + 4 + 3.
  const uint32_t offsets[] = {0, 24, 25, 29, 33, 37, 38, 42, 54, 62, 66, 70};
  for (size_t i = 0; i < 12; ++i) EXPECT_EQ(d.fields[i].recordOffset, offsets[i]) << i;
  EXPECT_EQ(d.recordLength, 73u);
  EXPECT_EQ(d.fields[0].width, 24);
  EXPECT_EQ(d.fields[1].units, "m");
  EXPECT_EQ(d.fields[2].units, "people");
  EXPECT_TRUE(d.fields[4].twoDigitYear());
  EXPECT_EQ(d.fields[5].yesLabel, Utf8ToCp1253("Ναι"));
  EXPECT_EQ(d.fields[5].noLabel, Utf8ToCp1253("Όχι"));
  EXPECT_EQ(d.fields[6].keywordCount(), 3);
  EXPECT_EQ(d.fields[7].type, field_type::PICTURE);

  const std::string describe = ReadFile(dir.File("db/DESCRIBE"));
  EXPECT_EQ(uint8_t(describe[40]), 12) << "the field count byte";
  const std::string explain = ReadFile(dir.File("db/EXPLAIN"));
  EXPECT_EQ(explain[0], '\0') << "no text starts at offset 0, which means none";
  EXPECT_EQ(ByteView(explain).FixedText(d.explainOffset, 31).value_or(""), "Places of the meadow's country");
  EXPECT_EQ(ByteView(explain).FixedText(d.fields[0].explainOffset, 16).value_or(""), "The place's name");
  EXPECT_EQ(d.fields[1].explainOffset, 0u);
  const std::string token = ReadFile(dir.File("db/TOKEN"));
  EXPECT_EQ(ByteView(token).FixedText(d.fields[6].extraOffset + 32, 32).value_or(""), "lake");

  const std::string data = ReadFile(dir.File("db/DATA"));
  EXPECT_EQ(data.substr(0, 8), std::string(8, '\0'));
  ASSERT_EQ(data.size(), 8u + 3 * 73);
  const ByteView r0 = Record(data, d, 0), r1 = Record(data, d, 1), r2 = Record(data, d, 2);
  EXPECT_EQ(*ReadText(r0, d.fields[0]), Utf8ToCp1253("Λίμνη"));
  EXPECT_EQ(uint8_t(data[8]), 0xCB) << "Λ in code page 1253";
  EXPECT_EQ(*ReadUnsigned(r0, d.fields[1]), 12u);
  EXPECT_EQ(*ReadInteger(r0, d.fields[2]), kUnknownInteger);
  EXPECT_EQ(*ReadReal(r0, d.fields[3]), 1.25f);
  const DateValue date = *ReadDate(r0, d.fields[4]);
  EXPECT_EQ(date.day, 28);
  EXPECT_EQ(date.month, 2);
  EXPECT_EQ(date.year, 50) << "a two-digit year field keeps 1950 as 50";
  EXPECT_EQ(*ReadUnsigned(r0, d.fields[5]), 255u);
  EXPECT_EQ(*ReadUnsigned(r0, d.fields[6]), 6u) << "lake and hill: bits 1 and 2";
  EXPECT_EQ(*ReadText(r0, d.fields[7]), "lake");
  const LongTextRef ref = *ReadLongTextRef(r0, d.fields[8]);
  EXPECT_EQ(ReadFile(dir.File("db/FREETEXT")).substr(ref.offset, ref.length), "Old, \"very\" old.");
  EXPECT_EQ(*ReadCoordinates(r0, d.fields[9]), std::make_pair(int16_t(10), int16_t(-20)));
  EXPECT_EQ(*ReadInteger(r0, d.fields[10]), -7);
  EXPECT_EQ(data.substr(8 + 70, 3), "\x0a\x0b\x0c");

  // A list in field order; unknown real and year; a bit set given as a number; raw bytes.
  EXPECT_EQ(*ReadText(r1, d.fields[0]), Utf8ToCp1253("Ποτάμι"));
  EXPECT_EQ(*ReadUnsigned(r1, d.fields[1]), 255u);
  EXPECT_EQ(*ReadInteger(r1, d.fields[2]), 4000);
  EXPECT_TRUE(IsUnknownReal(*ReadReal(r1, d.fields[3])));
  EXPECT_EQ(data.substr(8 + 73 + 29, 4), "\xff\xff\x7f\xff") << "the most negative float";
  EXPECT_EQ(ReadDate(r1, d.fields[4])->year, kUnknownYear);
  EXPECT_EQ(ReadDate(r1, d.fields[4])->month, 3);
  EXPECT_EQ(*ReadUnsigned(r1, d.fields[5]), 0u);
  EXPECT_EQ(*ReadUnsigned(r1, d.fields[6]), 5u);
  EXPECT_EQ(uint8_t(data[8 + 73 + 70]), 0xFF);
  // Missing values are zero bytes.
  EXPECT_EQ(data.substr(8 + 2 * 73), std::string(73, '\0'));
  EXPECT_EQ(*ReadInteger(r2, d.fields[2]), 0);

  const std::string graphics = ReadFile(dir.File("db/GRAPHICS"));
  std::string fault;
  const auto count = ReadGraphicsCount(ByteView(graphics), graphics.size(), &fault);
  ASSERT_TRUE(count) << fault;
  ASSERT_EQ(*count, 3u);
  const auto entries = ReadGraphicEntries(ByteView(graphics).From(12), 3, graphics.size(), &fault);
  ASSERT_TRUE(entries) << fault;
  EXPECT_EQ((*entries)[0].name, PictureName(ByteView(std::string_view("lake"))));
  EXPECT_EQ((*entries)[0].kind, graphic_kind::PACKED_SPRITE);
  EXPECT_EQ(graphics.substr((*entries)[0].offset, 4), "3TCS");
  EXPECT_EQ((*entries)[0].offset, 12u + 3 * 44);
  EXPECT_EQ((*entries)[1].kind, graphic_kind::DRAWING);
  EXPECT_EQ(graphics.substr((*entries)[1].offset, 4), "Draw");
  EXPECT_EQ((*entries)[2].kind, graphic_kind::NONE);
  EXPECT_EQ((*entries)[2].length, 0u);
}

TEST(ToolDatabaseWriter, CsvRecordsWithQuotesLineBreaksGreekAndEveryTextForm) {
  TempDir dir;
  dir.Write("places.csv",
            "\xEF\xBB\xBFName,Founded,Coastal,Features,People,History,Where,Rain\r\n"
            "\"Λίμνη, η μεγάλη\",1998-05,Ναι,\"river, hill\",,\"He said \"\"no\"\"\r\nthen left\",\"(3,4)\",2.5 mm\r\n"
            "Πόλη,1998,no,#5,12 people,,\"-1,2\",\n"
            "\n"
            "X,?-03-04,1,,0,,,-0.5\n");
  dir.Write("db.json", R"({"fields": [
    {"name": "Name", "type": "text", "width": 16}, {"name": "Founded", "type": "date"},
    {"name": "Coastal", "type": "yesno"}, {"name": "Features", "type": "categories", "keywords": ["river", "lake", "hill"]},
    {"name": "People", "type": "integer", "units": "people"}, {"name": "History", "type": "longtext"},
    {"name": "Where", "type": "coordinates"}, {"name": "Rain", "type": "real", "units": "mm"}],
    "csv": "places.csv"})");
  ASSERT_EQ(RunTool("zdbuild", {"--database", dir.File("db.json"), dir.File("db")}).status, 0);
  const DescribeFile d = ReadChecked(dir);
  ASSERT_EQ(d.recordCount, 3u);
  const std::string data = ReadFile(dir.File("db/DATA")), freetext = ReadFile(dir.File("db/FREETEXT"));
  const ByteView r0 = Record(data, d, 0), r1 = Record(data, d, 1), r2 = Record(data, d, 2);
  EXPECT_EQ(*ReadText(r0, d.fields[0]), Utf8ToCp1253("Λίμνη, η μεγάλη"));
  EXPECT_EQ(ReadDate(r0, d.fields[1])->year, 1998);
  EXPECT_EQ(ReadDate(r0, d.fields[1])->month, 5);
  EXPECT_EQ(ReadDate(r0, d.fields[1])->day, 0);
  EXPECT_EQ(*ReadUnsigned(r0, d.fields[2]), 255u) << "the default label for yes";
  EXPECT_EQ(*ReadUnsigned(r0, d.fields[3]), 5u);
  EXPECT_EQ(*ReadInteger(r0, d.fields[4]), kUnknownInteger) << "an empty cell is unknown";
  const LongTextRef ref = *ReadLongTextRef(r0, d.fields[5]);
  EXPECT_EQ(freetext.substr(ref.offset, ref.length), "He said \"no\"\r\nthen left");
  EXPECT_EQ(*ReadCoordinates(r0, d.fields[6]), std::make_pair(int16_t(3), int16_t(4)));
  EXPECT_EQ(*ReadReal(r0, d.fields[7]), 2.5f) << "the units may follow the value";
  EXPECT_EQ(ReadDate(r1, d.fields[1])->month, 0);
  EXPECT_EQ(*ReadUnsigned(r1, d.fields[2]), 0u);
  EXPECT_EQ(*ReadUnsigned(r1, d.fields[3]), 5u) << "#5: the bit set itself";
  EXPECT_EQ(*ReadInteger(r1, d.fields[4]), 12);
  EXPECT_EQ(ReadLongTextRef(r1, d.fields[5])->length, 0u);
  EXPECT_EQ(*ReadCoordinates(r1, d.fields[6]), std::make_pair(int16_t(-1), int16_t(2)));
  EXPECT_TRUE(IsUnknownReal(*ReadReal(r1, d.fields[7])));
  EXPECT_EQ(ReadDate(r2, d.fields[1])->year, kUnknownYear);
  EXPECT_EQ(ReadDate(r2, d.fields[1])->day, 4);
  EXPECT_EQ(*ReadUnsigned(r2, d.fields[2]), 255u);
  EXPECT_EQ(*ReadInteger(r2, d.fields[4]), 0);

  // Faults in the file name the line and the column.
  struct Case {
    const char* csv;
    const char* what;
  };
  const Case cases[] = {
      {"Name\n\"open\n", "places.csv line 2: a quoted cell is not closed"},
      {"Name\n\"a\"b\n", "line 2: a closing quote is followed by more text"},
      {"Nom\nx\n", "line 1: \"Nom\" is not a field"},
      {"Name,People\nx\n", "line 2: 1 cells, the first line names 2"},
      {"Name\nΑυτό το όνομα είναι πολύ μακρύ\n", "line 2 \"Name\": \"Αυτό το όνομα είναι πολύ μακρύ\" is longer than the field's 16 bytes"},
      {"Features\n\"river, sea\"\n", "line 2 \"Features\": \"sea\" is not one of the field's keywords"},
      {"People\n1.5\n", "line 2 \"People\": expected a whole number"},
      {"Founded\n1998-13-40-2\n", "expected a date"},
      {"Coastal\nperhaps\n", "expected yes or no"},
  };
  for (const Case& c : cases) {
    dir.Write("places.csv", c.csv);
    const RunResult r = RunTool("zdbuild", {"--database", dir.File("db.json"), dir.File("bad")});
    EXPECT_EQ(r.status, 1) << c.csv;
    EXPECT_TRUE(Has(r.err, "zdbuild: csv")) << r.err;
    EXPECT_TRUE(Has(r.err, c.what)) << c.csv << "\n" << r.err;
  }
}

TEST(ToolDatabaseWriter, DescriptionErrorsNameTheMemberAtFault) {
  struct Case {
    const char* database;
    const char* where;
    const char* what;
  };
  const Case cases[] = {
      {R"({"fields": [{"name": "A", "type": "texte"}]})", "fields[0].type", "unknown name \"texte\""},
      {R"({"fields": [{"name": "A"}]})", "fields[0].type", "missing"},
      {R"({"fields": [{"name": "A", "type": "text", "units": "m"}]})", "fields[0].units", "only byte, integer"},
      {R"({"fields": [{"name": "A", "type": "yesno", "labels": ["y"]}]})", "fields[0].labels", "[yes label, no label]"},
      {R"({"fields": [{"name": "A", "type": "keywords", "keywordCount": 3, "parameter": 3}]})", "fields[0].parameter", "only one"},
      {R"({"fields": [{"name": "A", "type": "text", "raw": "00"}]})", "fields[0].raw", "68 bytes"},
      {R"({"fields": [{"name": "ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456", "type": "byte"}]})", "fields[0].name", "32-byte"},
      {R"({"fields": [{"name": "A", "type": "byte"}], "records": [{"A": 256}]})", "records[0].A", "out of range"},
      {R"({"fields": [{"name": "A", "type": "byte"}], "records": [{"B": 1}]})", "records[0].B", "no field of this name"},
      {R"({"fields": [{"name": "A", "type": "byte"}], "records": [[1, 2]]})", "records[0]", "more values"},
      {R"({"fields": [{"name": "D", "type": "date", "twoDigitYear": true}], "records": [{"D": "2001-01-01"}]})",
       "records[0].D", "1900 to 1999"},
      {R"({"fields": [{"name": "T", "type": "text", "width": 2}], "records": [{"T": "abc"}]})", "records[0].T", "longer than"},
      {R"({"fields": [{"name": "K", "type": "keywords", "keywords": ["a"]}], "records": [{"K": ["b"]}]})",
       "records[0].K[0]", "not one of the field's keywords"},
      {R"({"fields": [{"name": "C", "type": "coordinates"}], "records": [{"C": [1, 40000]}]})", "records[0].C[1]", "out of range"},
      {R"({"fields": [{"name": "R", "type": "real"}], "records": [{"R": 1e39}]})", "records[0].R", "32-bit real"},
      {R"({"pictures": [{"name": "p", "picture": {"png": "missing.png"}}]})", "pictures[0].picture.png", "cannot read"},
      {R"({"truncate": {"DATUM": 3}})", "truncate.DATUM", "not one of DESCRIBE"},
      {R"({"omit": ["token"]})", "omit[0]", "not one of DESCRIBE"},
      {R"({"csv": "nowhere.csv"})", "csv", "cannot read"},
      {R"({"tables": []})", "tables", "not a field of a database"},
  };
  for (const Case& c : cases) {
    TempDir out;
    const RunResult r = RunTool("zdbuild", {"--database", "-", out.File("db")}, c.database);
    EXPECT_EQ(r.status, 1) << c.database;
    EXPECT_TRUE(Has(r.err, std::string("zdbuild: ") + c.where + ":")) << c.database << "\n" << r.err;
    EXPECT_TRUE(Has(r.err, c.what)) << c.database << "\n" << r.err;
  }
  // In a title description the place includes the resource or the databases entry.
  const Case titles[] = {
      {R"({"titles": [{"directory": "_a", "resources": [{"dir": 4, "number": 1, "text": "x",
          "database": {"fields": []}}]}]})", "titles[0].resources[0].text", "no other content"},
      {R"({"titles": [], "databases": [{"name": "../up", "fields": []}]})", "databases[0].name", "one folder name"},
      {R"({"titles": [], "databases": [{"folder": "other", "name": "A"}]})", "databases[0].folder", "ravel"},
      {R"({"titles": [], "override": {"databases": [{"name": "A", "fields": [{"type": "nope"}]}]}})",
       "override.databases[0].fields[0].type", "unknown name"},
      {R"({"titles": [], "databases": [{"name": "A"}, {"name": "A"}]})", "databases[1].name", "given twice"},
  };
  for (const Case& c : titles) {
    TempDir out;
    const RunResult r = RunTool("zdbuild", {"-", out.path()}, c.database);
    EXPECT_EQ(r.status, 1) << c.database;
    EXPECT_TRUE(Has(r.err, std::string("zdbuild: ") + c.where + ":")) << c.database << "\n" << r.err;
    EXPECT_TRUE(Has(r.err, c.what)) << c.database << "\n" << r.err;
  }
}

// Each option for malformed files makes a database the player's checks refuse, and zdinfo says
// why and exits with 1.
TEST(ToolDatabaseWriter, MalformedOptionsMakeFilesThePlayerRefuses) {
  const std::string fields = R"("fields": [{"name": "N", "type": "integer", "units": "kg", "explain": "how many"},
      {"name": "K", "type": "keywords", "keywords": ["a", "b"]}], "records": [[1, ["a"]], [2, ["b"]]],
      "pictures": [{"name": "p", "hex": "0102030405"}])";
  struct Case {
    const char* extra;   // members added to the database
    const char* fault;   // what ReadDescribe, CheckCompanions or the GRAPHICS readers say
  };
  const Case cases[] = {
      {R"("recordLength": 0)", "record length 0 is not 1 to 20480"},
      {R"("recordLength": 20481)", "record length 20481"},
      {R"("recordLength": 6)", "field 1 lies past the end of its record"},
      {R"("fieldCount": 9)", "DESCRIBE is too short for its 9 fields"},
      {R"("recordCount": 3)", "DATA holds 24 bytes, its records need 32"},
      {R"("truncate": {"DATA": 20})", "DATA holds 20 bytes"},
      {R"("truncate": {"DESCRIBE": 79})", "DESCRIBE is shorter than its header"},
      {R"("files": {"DESCRIBE": "00"})", "DESCRIBE is shorter than its header"},
      {R"("explainOffset": 4000)", "the database's explain text lies past the end of EXPLAIN"},
      {R"("pictureCount": 2)", "GRAPHICS is too short for its 2 entries"},
      {R"("truncate": {"GRAPHICS": 8})", "GRAPHICS is shorter than its header"},
      {R"("omit": ["EXPLAIN"], "truncate": {"TOKEN": 63})", "field 1 has its keywords past the end of TOKEN"},
  };
  const Case fieldCases[] = {
      {R"("extraOffset": 5000)", "field 0 has its units past the end of DESCRIBE"},
      {R"("explainOffset": 5000)", "field 0 has its explain text past the end of EXPLAIN"},
  };
  std::vector<std::pair<std::string, std::string>> all;
  for (const Case& c : cases) all.emplace_back("{" + fields + ", " + c.extra + "}", c.fault);
  for (const Case& c : fieldCases) {
    std::string d = "{" + fields + "}";
    d.replace(d.find("\"explain\": \"how many\""), 21, std::string("\"explain\": \"how many\", ") + c.extra);
    all.emplace_back(d, c.fault);
  }
  // A field placed past the record needs the record length given too (it would grow with it).
  all.emplace_back("{" + std::string(fields).replace(fields.find("\"units\""), 7, "\"offset\": 100, \"units\"") +
                       ", \"recordLength\": 8}",
                   "field 0 lies past the end of its record");
  all.emplace_back("{" + std::string(fields).replace(fields.find("\"keywords\": [\"a\", \"b\"]"), 22,
                                                     "\"keywords\": [\"a\", \"b\"], \"keywordCount\": 40") +
                       ", \"records\": []}",
                   "field 1 has 40 keywords");
  all.emplace_back("{" + std::string(fields).replace(fields.find("0102030405"), 10, "01") +
                       ", \"pictures\": [{\"name\": \"q\", \"hex\": \"01\", \"offset\": 500}]}",
                   "GRAPHICS entry 0 lies past the end of the file");
  for (const auto& [description, fault] : all) {
    TempDir dir;
    // A repeated member is taken from its last appearance, as JSON readers do.
    const RunResult built = RunTool("zdbuild", {"--database", "-", dir.File("db")}, description);
    ASSERT_EQ(built.status, 0) << description << "\n" << built.err;
    const RunResult info = RunTool("zdinfo", {"--database", dir.File("db")});
    EXPECT_EQ(info.status, 1) << description << "\n" << info.out;
    EXPECT_TRUE(Has(info.err, fault)) << description << "\n" << info.err;
  }
  // A file left out is not a fault by itself: the database still opens.
  TempDir dir;
  BuildDatabase("{" + fields + R"(, "omit": ["TOKEN", "FREETEXT"]})", dir.File("db"));
  EXPECT_FALSE(std::filesystem::exists(dir.File("db/TOKEN")));
  const RunResult info = RunTool("zdinfo", {"--database", dir.File("db")});
  EXPECT_EQ(info.status, 0) << info.err;
}

TEST(ToolDatabaseInfo, ExportedRecordsAndSchemaRebuildTheSameDatabase) {
  TempDir dir;
  BuildDatabase(Atlas(), dir.File("Atlas"));
  const RunResult exported = RunTool("zdinfo", {"--database", dir.File("Atlas"), "--export", dir.File("out")});
  ASSERT_EQ(exported.status, 0) << exported.err;
  EXPECT_TRUE(Has(ReadFile(dir.File("out/Atlas.json")), "\"csv\": \"Atlas.csv\"")) << ReadFile(dir.File("out/Atlas.json"));
  const std::string csv = ReadFile(dir.File("out/Atlas.csv"));
  EXPECT_EQ(csv.substr(0, csv.find("\r\n")), "Name,Height,People,Rain,Founded,Coastal,Features,Picture,History,Where,Count,Blob");
  EXPECT_TRUE(Has(csv, "Λίμνη,12,,1.25,1950-02-28,Ναι,\"lake, hill\",lake,\"Old, \"\"very\"\" old.\",\"(10,-20)\",-7,0a0b0c\r\n"))
      << csv;
  EXPECT_TRUE(std::filesystem::exists(dir.File("out/Atlas-pictures/lake.png")));
  EXPECT_TRUE(std::filesystem::exists(dir.File("out/Atlas-pictures/plan.aff")));

  const RunResult rebuilt = RunTool("zdbuild", {"--database", dir.File("out/Atlas.json"), dir.File("again")});
  ASSERT_EQ(rebuilt.status, 0) << rebuilt.err;
  const DescribeFile before = ReadChecked(dir, "Atlas"), after = ReadChecked(dir, "again");
  ASSERT_EQ(before.fields.size(), after.fields.size());
  const std::string dataBefore = ReadFile(dir.File("Atlas/DATA")), dataAfter = ReadFile(dir.File("again/DATA"));
  ASSERT_EQ(before.recordCount, after.recordCount);
  for (size_t r = 0; r < before.recordCount; ++r) {
    for (size_t f = 0; f < before.fields.size(); ++f) {
      const FieldDescriptor& a = before.fields[f];
      const FieldDescriptor& b = after.fields[f];
      EXPECT_EQ(a.name, b.name);
      EXPECT_EQ(a.type, b.type);
      EXPECT_EQ(a.recordOffset, b.recordOffset);
      const uint32_t width = a.type == field_type::OTHER ? a.width : ReadWidth(a);
      EXPECT_EQ(Record(dataBefore, before, r).Sub(a.recordOffset, width)->size(), width);
      const auto bytes = [&](const std::string& data, const DescribeFile& d, const FieldDescriptor& field) {
        const ByteView v = *Record(data, d, r).Sub(field.recordOffset, width);
        return std::string(reinterpret_cast<const char*>(v.data()), v.size());
      };
      EXPECT_EQ(bytes(dataBefore, before, a), bytes(dataAfter, after, b)) << "record " << r << " field " << a.name;
    }
  }
  for (const char* file : {"DESCRIBE", "EXPLAIN", "TOKEN", "FREETEXT", "GRAPHICS"}) {
    EXPECT_TRUE(ReadFile(dir.File(std::string("Atlas/") + file)) == ReadFile(dir.File(std::string("again/") + file))) << file;
  }
}

TEST(ToolDatabaseInfo, TitlesListTheirDatabasesRoundTripAndExportInsideTheDirectory) {
  TempDir dir;
  Build(R"({"titles": [{"directory": "_moss",
      "pages": [{"name": "P", "objects": [{"name": "Db", "type": "database", "resource": [4, 1]},
                                          {"name": "Gone", "type": "database", "resource": [4, 2]}]}],
      "sections": [{"name": "Root", "page": 0}],
      "resources": [{"dir": 4, "number": 1, "database": {"title": "Κήπος",
        "fields": [{"name": "Name", "type": "text", "width": 8}, {"name": "Size", "type": "real", "units": "m²"},
                   {"name": "When", "type": "date"}],
        "records": [["Ρόδο", 1.5, "1999-12-31"], {"When": null}],
        "pictures": [{"name": "../../evil", "hex": "00"}, {"name": "", "hex": "01"}]}}]}],
    "databases": [{"name": "CITIES", "fields": [{"name": "X", "type": "byte"}], "records": [{"X": 5}]},
                  {"folder": "ravel2", "name": "BAD", "fields": [{"name": "X", "type": "byte"}], "recordLength": 0}],
    "override": {"directory": "save", "databases": [{"name": "CITIES", "fields": [{"name": "X", "type": "byte"}],
                                                     "records": [{"X": 6}]}]}})",
        dir.path());
  const auto files = FilesBelow(dir.path());
  EXPECT_TRUE(files.count("_moss/res4/res1/DESCRIBE"));
  EXPECT_TRUE(files.count("database/ravel/CITIES/DATA"));
  EXPECT_EQ(files.at("save/database/ravel/CITIES/DATA").substr(8), "\x06");
  EXPECT_EQ(files.at("database/ravel/CITIES/DATA").substr(8), "\x05");

  const RunResult overview = RunTool("zdinfo", {dir.File("_moss")});
  ASSERT_EQ(overview.status, 0) << overview.err;
  for (const char* line : {"  res4/res1: \"Κήπος\", 3 fields, 2 records, 2 pictures\n",
                           "    1 \"Size\" real, units \"m²\"\n", "  res4/res2: malformed, the player refuses it: missing",
                           "  database/ravel/CITIES: \"\", 1 field, 1 record, 0 pictures\n",
                           "  database/ravel2/BAD: malformed, the player refuses it: record length 0"}) {
    EXPECT_TRUE(Has(overview.out, line)) << line << "\n" << overview.out;
  }

  // The database resource is described as a database, and comes back byte for byte.
  const RunResult described = RunTool("zdinfo", {dir.File("_moss"), "--json"});
  ASSERT_EQ(described.status, 0) << described.err;
  EXPECT_TRUE(Has(described.out, "\"records\": [{\"Name\": \"Ρόδο\", \"Size\": 1.5, \"When\": \"1999-12-31\"}, {\"When\": null}]"))
      << described.out;
  TempDir again;
  Build(described.out, again.path());
  const auto rebuilt = FilesBelow(again.path());
  for (const auto& [path, bytes] : FilesBelow(dir.File("_moss"))) {
    ASSERT_TRUE(rebuilt.count(path)) << path;
    EXPECT_TRUE(rebuilt.at(path) == bytes) << path;
  }

  // Export names come from title data but stay inside the export directory.
  const RunResult exported = RunTool("zdinfo", {dir.File("_moss"), "--export", dir.File("out/x")});
  EXPECT_EQ(exported.status, 1) << "res4/res2 is missing and ravel2/BAD malformed";
  for (const auto& [path, bytes] : FilesBelow(dir.File("out"))) {
    EXPECT_EQ(path.rfind("x/", 0), 0u) << path;
    EXPECT_EQ(path.find(".."), std::string::npos) << path;
  }
  EXPECT_TRUE(std::filesystem::exists(dir.File("out/x/res4-res1.csv")));
  EXPECT_TRUE(std::filesystem::exists(dir.File("out/x/CITIES.csv")));
  EXPECT_EQ(ReadFile(dir.File("out/x/res4-res1.csv")), "Name,Size,When\r\nΡόδο,1.5,1999-12-31\r\n,0,\r\n");
}

// The examples in docs/database-format.md build and hold what the text says.
TEST(ToolDatabaseInfo, TheDocumentedExamplesBuild) {
  const std::string doc = ReadFile(SourceDir() + "/docs/database-format.md");
  std::vector<std::string> examples;
  for (size_t at = doc.find("```json\n"); at != std::string::npos; at = doc.find("```json\n", at + 1)) {
    const size_t end = doc.find("```", at + 8);
    examples.push_back(doc.substr(at + 8, end - at - 8));
  }
  ASSERT_EQ(examples.size(), 2u);
  TempDir dir;
  BuildDatabase(examples[0], dir.File("db"));
  const DescribeFile d = ReadChecked(dir);
  EXPECT_EQ(d.recordCount, 2u);
  const RunResult shown = RunTool("zdinfo", {"--database", dir.File("db")});
  EXPECT_TRUE(Has(shown.out, "6 \"Features\" keywords, keywords \"river\", \"lake\", \"hill\"")) << shown.out;
  Build(examples[1], dir.File("titles"));
  const RunResult overview = RunTool("zdinfo", {dir.File("titles/_moss")});
  EXPECT_TRUE(Has(overview.out, "  res4/res1: \"Garden\", 2 fields, 2 records, 0 pictures\n    0 \"Name\" text, width 16\n"))
      << overview.out;
  EXPECT_TRUE(std::filesystem::exists(dir.File("titles/save/database/ravel/CITIES/DESCRIBE")));
}

}  // namespace
}  // namespace zd::test
