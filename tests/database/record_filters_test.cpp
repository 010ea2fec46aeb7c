// Filters over a database of towns: how rules group, what each test finds on each kind of
// field, how texts stand for dates, labels and keywords, and what bad filters report.
#include <gtest/gtest.h>

#include "base/cp1253.h"
#include "database/database_title.h"
#include "runtime.h"

namespace zd {
namespace {

using test::DatabaseTitle;
using test::Keys;
using test::TitleWithDatabases;

// Fields: 0 Place (text 24), 1 People (integer), 2 Rain (real), 3 Founded (date, two-digit
// years), 4 Coastal (yes/no "Yes"/"No"), 5 Features (keywords), 6 Height (byte),
// 7 Story (long text), 8 Where (coordinates).
std::string Towns() {
  return TitleWithDatabases(test::kPlainPage, R"([{"folder": "ravel", "name": "TOWNS",
    "title": "Towns", "fields": [
      {"name": "Place", "type": "text", "width": 24},
      {"name": "People", "type": "integer"},
      {"name": "Rain", "type": "real"},
      {"name": "Founded", "type": "date", "twoDigitYear": true},
      {"name": "Coastal", "type": "yesno", "labels": ["Yes", "No"]},
      {"name": "Features", "type": "keywords", "keywords": ["river", "lake", "hill", "seaside", "sea"]},
      {"name": "Height", "type": "byte"},
      {"name": "Story", "type": "longtext"},
      {"name": "Where", "type": "coordinates"}],
    "records": [
      {"Place": "Paris, France", "People": 2100, "Rain": 47.87, "Founded": "1952-02-10",
       "Coastal": false, "Features": ["river"], "Height": 35, "Story": "The committee met.", "Where": [1, 2]},
      {"Place": "Lyon, France", "People": 500, "Rain": 80.5, "Founded": "1996-02-29",
       "Coastal": false, "Features": ["river", "hill"], "Height": 170, "Story": "Two rivers.", "Where": [1, 2]},
      {"Place": "Madrid, Spain", "People": 3200, "Rain": 12.25, "Founded": "1970-03-01",
       "Coastal": false, "Features": ["hill"], "Height": 250, "Story": "", "Where": [1, 2]},
      {"Place": "Nice, France", "People": 340, "Rain": 33, "Founded": "1996-02-01",
       "Coastal": true, "Features": ["sea", "hill"], "Height": 10, "Story": "Sea and sun.", "Where": [1, 2]},
      {"Place": "Paris, Texas", "People": 25, "Rain": 47.87, "Founded": "1990-07-04",
       "Coastal": false, "Features": ["lake"], "Height": 180, "Story": "Far away", "Where": [1, 2]},
      {"Place": "Vigo, Spain", "People": 290, "Rain": 70, "Founded": "1980-01-01",
       "Coastal": true, "Features": ["seaside", "river"], "Height": 7, "Story": "Τα ψάρια.", "Where": [1, 2]}
    ]}])");
}

class Filters : public ::testing::Test {
 protected:
  Filters() : title_(Towns()) { EXPECT_EQ(title_.Run("opendata \"TOWNS\"\n"), Keys{}); }

  // Runs `filters` after emptying the list and the selection, then applyfilters; the selection.
  std::vector<uint16_t> Select(const std::string& filters,
                               const std::string& apply = "applyfilters") {
    const Keys keys = title_.Run("delfilter\nclearselection\n" + filters + apply + "\n");
    EXPECT_EQ(keys, Keys{}) << filters;
    return selection().records();
  }
  RecordSelection& selection() { return title_.runtime().database.selection; }

  DatabaseTitle title_;
};

using Records = std::vector<uint16_t>;

// A date as the player writes it in style 0 (month names from the string table).
std::string DateText(int day, int month, int year) {
  return FormatDate(DateValue{uint8_t(day), uint8_t(month), int16_t(year), false}, 0);
}

TEST_F(Filters, RulesGroupByFieldAndLateRulesComeLast) {
  // The AND filter is added first but runs after the INCLUDE filters of its field.
  EXPECT_EQ(Select("addfilter \"Place\", \"notparis\", \"and\", \"!contains\", 0, \"Paris\"\n"
                   "addfilter 0, \"fr\", \"INCLUDE\", \"CONTAINS\", 0, \"France\"\n"
                   "addfilter \"Place\", \"es\", \"Include\", \"contains\", 0, \"Spain\"\n"),
            (Records{1, 2, 3, 5}));
  // Deleting a filter from the checked list: the others still apply.
  EXPECT_EQ(title_.Run("delfilter \"notparis\"\nclearselection\napplyfilters\n"), Keys{});
  EXPECT_EQ(selection().records(), (Records{0, 1, 2, 3, 5}));
  // OR within a field, and filters on two fields must both pass.
  EXPECT_EQ(Select("addfilter 1, \"\", \"OR\", \">\", 0, 1000\n"
                   "addfilter 1, \"\", \"OR\", \"<\", 0, 100\n"
                   "addfilter 6, \"\", \"AND\", \"<\", 0, 200\n"),
            (Records{0, 4}));
  // EXOR: one test or the other but not both.
  EXPECT_EQ(Select("addfilter 1, \"\", \"OR\", \">\", 0, 300\n"
                   "addfilter 1, \"\", \"EXOR\", \"<\", 0, 1000\n"),
            (Records{0, 2, 4, 5}));
  // EXCLUDENP and EXCLUDE as a group's first filter select the records failing their test.
  EXPECT_EQ(Select("addfilter 4, \"\", \"EXCLUDENP\", \"==\", 0, 0\n"), (Records{3, 5}));
  EXPECT_EQ(Select("addfilter 4, \"\", \"EXCLUDE\", \"==\", 0, 255\n"), (Records{0, 1, 2, 4}));
  // EXCLUDENP after an OR takes records out of the group.
  EXPECT_EQ(Select("addfilter 5, \"\", \"OR\", \"CONTAINS\", 0, 1\n"
                   "addfilter 5, \"\", \"EXCLUDENP\", \"CONTAINS\", 0, 4\n"),
            (Records{0, 5}));
  // No filters select every record; inverted, none.
  EXPECT_EQ(Select(""), (Records{0, 1, 2, 3, 4, 5}));
  EXPECT_EQ(Select("", "applyfilters 1"), Records{});
}

TEST_F(Filters, EachTestOnNumbersDatesLabelsAndKeywords) {
  EXPECT_EQ(Select("addfilter \"People\", \"\", \"AND\", \"RANGE\", 0, 290, 500\n"),
            (Records{1, 3, 5}));
  EXPECT_EQ(Select("addfilter \"People\", \"\", \"AND\", \"!RANGE\", 0, 290, 500\n"),
            (Records{0, 2, 4}));
  EXPECT_EQ(Select("addfilter 1, \"\", \"AND\", \">=\", 0, 2100\n"), (Records{0, 2}));
  EXPECT_EQ(Select("addfilter 1, \"\", \"AND\", \"<=\", 0, 290\n"), (Records{4, 5}));
  EXPECT_EQ(Select("addfilter 1, \"\", \"AND\", \"!=\", 0, 25\n"), (Records{0, 1, 2, 3, 5}));
  // A real field keeps 32-bit reals: 47.87 finds the 47.87 stored.
  EXPECT_EQ(Select("addfilter \"Rain\", \"\", \"AND\", \"==\", 0, 47.87\n"), (Records{0, 4}));
  EXPECT_EQ(Select("addfilter 2, \"\", \"AND\", \"RANGE\", 0, 12.25, 33.0\n"), (Records{2, 3}));
  EXPECT_EQ(Select("addfilter 2, \"\", \"AND\", \"!RANGE\", 0, 12.25, 70.0\n"), (Records{1}));
  // A date given as text, the day ignored, against two-digit-year records.
  EXPECT_EQ(Select("addfilter 3, \"\", \"AND\", \"==\", 1, \"" + DateText(15, 2, 1996) + "\"\n"),
            (Records{1, 3}));
  EXPECT_EQ(Select("addfilter 3, \"\", \"AND\", \"==\", 0, \"" + DateText(1, 2, 1996) + "\"\n"),
            (Records{3}));
  EXPECT_EQ(Select("addfilter 3, \"\", \"AND\", \"<\", 0, \"" + DateText(1, 1, 1971) + "\"\n"),
            (Records{0, 2}));
  // Yes/no labels: a text that begins a label stands for it.
  EXPECT_EQ(Select("addfilter 4, \"\", \"AND\", \"==\", 0, \"Y\"\n"), (Records{3, 5}));
  EXPECT_EQ(Select("addfilter 4, \"\", \"AND\", \"==\", 0, \"No\"\n"), (Records{0, 1, 2, 4}));
  // Keywords named in a text; "sea" is found though "seaside" comes first.
  EXPECT_EQ(Select("addfilter 5, \"\", \"AND\", \"CONTAINS\", 0, \"seaside, sea\"\n"),
            (Records{3, 5}));
  EXPECT_EQ(Select("addfilter 5, \"\", \"AND\", \"CONTAINS\", 0, \"sea\"\n"), (Records{3}));
  // With flag 1 every bit must be set; without it any one.
  EXPECT_EQ(Select("addfilter 5, \"\", \"AND\", \"CONTAINS\", 1, \"river,hill\"\n"), (Records{1}));
  EXPECT_EQ(Select("addfilter 5, \"\", \"AND\", \"CONTAINS\", 0, 5\n"), (Records{0, 1, 2, 3, 5}));
  EXPECT_EQ(Select("addfilter 5, \"\", \"AND\", \"!CONTAINS\", 1, 5\n"), (Records{0, 2, 3, 4, 5}));
  EXPECT_EQ(Select("addfilter 6, \"\", \"AND\", \"<\", 0, 100\n"), (Records{0, 3, 5}))
      << "a byte field holds 0-255";
}

TEST_F(Filters, TextTestsWithCaseWholeWordsAndWildcards) {
  EXPECT_EQ(Select("addfilter 0, \"\", \"AND\", \"CONTAINS\", 0, \"paris\"\n"), Records{});
  EXPECT_EQ(Select("addfilter 0, \"\", \"AND\", \"CONTAINS\", 1, \"paris\"\n"), (Records{0, 4}));
  EXPECT_EQ(Select("addfilter 0, \"\", \"AND\", \"CONTAINS\", 2, \"Pa\"\n"), Records{});
  EXPECT_EQ(Select("addfilter 0, \"\", \"AND\", \"CONTAINS\", 4, \"*P#ris*\"\n"), (Records{0, 4}));
  EXPECT_EQ(Select("addfilter 0, \"\", \"AND\", \">\", 1, \"nice, france\"\n"), (Records{0, 4, 5}));
  EXPECT_EQ(Select("addfilter 0, \"\", \"AND\", \"RANGE\", 0, \"M\", \"Paris, G\"\n"),
            (Records{0, 2, 3}));
  // Long texts: "tee" in "committee"; Greek letters without regard to case.
  EXPECT_EQ(Select("addfilter \"Story\", \"\", \"AND\", \"CONTAINS\", 0, \"tee\"\n"), (Records{0}));
  EXPECT_EQ(
      Select("addfilter 7, \"\", \"AND\", \"CONTAINS\", 1, \"" + Utf8ToCp1253("ΨΆΡΙΑ") + "\"\n"),
      (Records{5}));
  const Filter& filter = title_.runtime().database.filters.list()[0];
  EXPECT_EQ(filter.values.texts[0], Utf8ToCp1253("ΨΆΡΙΑ")) << "the stored value is not folded";
  // Non-text values on text fields, and filters on coordinates, pass every record.
  EXPECT_EQ(
      Select(
          "addfilter 0, \"\", \"AND\", \"==\", 0, 5\naddfilter 8, \"\", \"AND\", \"==\", 0, 9\n"),
      (Records{0, 1, 2, 3, 4, 5}));
}

TEST_F(Filters, ApplyingKeepsPlacesAndBuildsAside) {
  RecordSelection& sel = selection();
  Select("addfilter 1, \"\", \"AND\", \">\", 0, 0\n");
  EXPECT_EQ(title_.Run("shufflesel 7\n"), Keys{});
  const Records shuffled = sel.records();
  ASSERT_EQ(shuffled.size(), 6u);
  // Records still passing keep their places; those failing leave.
  EXPECT_EQ(title_.Run("delfilter\naddfilter 1, \"\", \"AND\", \">\", 0, 300\napplyfilters\n"),
            Keys{});
  Records expected;
  for (uint16_t r : shuffled) {
    if (r != 4 && r != 5) expected.push_back(r);
  }
  EXPECT_EQ(sel.records(), expected);
  EXPECT_TRUE(sel.shuffled());
  // Newly passing ones follow in ascending order; indices past the database stay.
  sel.Clear();
  sel.Add(40000);
  sel.Add(3);
  EXPECT_EQ(title_.Run("delfilter\naddfilter 4, \"\", \"AND\", \"==\", 0, 0\napplyfilters\n"),
            Keys{});
  EXPECT_EQ(sel.records(), (Records{40000, 0, 1, 2, 4}));
  // A pass that fails leaves the selection as it was.
  EXPECT_EQ(title_.Run("addfilter \"Nowhere\", \"\", \"AND\", \"==\", 0, 1\napplyfilters\n"),
            (Keys{"asherr6", "asherr15"}));
  EXPECT_EQ(sel.records(), (Records{40000, 0, 1, 2, 4}));
  // A selection place whose record this database lacks is no record for getdata.
  EXPECT_EQ(title_.Run(
                "set UseSelection%, 1\ngetdata 1, 1, n%\ngetdata 1, 0, m%\nset UseSelection%, 0\n"),
            Keys{"scerr52"});
  EXPECT_EQ(title_.Number("n%"), 2100) << "place 1 is record 0";
  // With the selection in use, it cannot change; without a database, nothing is applied.
  EXPECT_EQ(title_.Run("set UseSelection%, 1\napplyfilters\nshufflesel 3\nset UseSelection%, 0\n"),
            (Keys{"asherr14", "crierr33"}));
  EXPECT_EQ(title_.Run("delfilter\nclosedata\napplyfilters\n"), Keys{"scerr50"});
}

TEST_F(Filters, ShufflingRepeatsForASeed) {
  Select("");
  EXPECT_EQ(title_.Run("shufflesel 12345\n"), Keys{});
  const Records once = selection().records();
  EXPECT_NE(once, (Records{0, 1, 2, 3, 4, 5}));
  Select("");
  EXPECT_EQ(title_.Run("shufflesel 12345\n"), Keys{});
  EXPECT_EQ(selection().records(), once);
  EXPECT_EQ(selection().seed(), 12345u);
  Select("addfilter 1, \"\", \"AND\", \"==\", 0, 25\n");
  EXPECT_EQ(title_.Run("shufflesel\n"), Keys{});
  EXPECT_EQ(selection().records(), Records{4}) << "one record stays as it is";
  EXPECT_EQ(title_.Run("clearselection\n"), Keys{});
  EXPECT_TRUE(selection().empty());
  EXPECT_FALSE(selection().shuffled());
}

TEST_F(Filters, BadFiltersAreRefusedWithTheirKeys) {
  RecordFilters& filters = title_.runtime().database.filters;
  EXPECT_EQ(
      title_.Run("addfilter 0, \"a\", \"ANDNOT\", \"==\", 0, 1\n"
                 "addfilter 0, \"a\", \"AND\", \"=\", 0, 1\n"
                 "addfilter 0, \"a\", \"AND\", \"RANGE\", 0, 1, \"x\"\n"
                 "addfilter 0, \"thirteenchars\", \"AND\", \"==\", 0, 1\n"
                 "addfilter \"abcdefghijabcdefghijabcdefghijab\", \"a\", \"AND\", \"==\", 0, 1\n"
                 "addfilter 0, \"a\", \"AND\", \"==\", 0\n"
                 "addfilter 0, \"a\", \"AND\", \"==\", 0, 1\n"
                 "addfilter 0, \"a\", \"AND\", \"==\", 0, 2\n"
                 "delfilter \"b\"\n"),
      (Keys{"asherr3", "asherr4", "asherr5", "asherr16", "asherr1", "scerr38", "asherr17",
            "asherr20"}));
  EXPECT_EQ(filters.size(), 1u) << "refused filters add nothing";
  EXPECT_EQ(title_.Run("delfilter \"a\"\ndelfilter\ndelfilter\n"), Keys{});
  EXPECT_TRUE(filters.empty());
  // Values that do not suit the field are found when the filters are applied.
  const std::pair<const char*, const char*> cases[] = {
      {"6, \"\", \"AND\", \"==\", 0, 1.5", "asherr7"},
      {"1, \"\", \"AND\", \"==\", 0, \"x\"", "asherr8"},
      {"2, \"\", \"AND\", \"==\", 0, 4", "asherr9"},
      {"3, \"\", \"AND\", \"==\", 0, 4", "asherr10"},
      {"5, \"\", \"AND\", \"==\", 0, 4.5", "asherr11"},
      {"4, \"\", \"AND\", \"==\", 0, 1.5", "asherr12"},
      {"4, \"\", \"AND\", \"==\", 0, \"Maybe\"", "asherr13"},
      {"99, \"\", \"AND\", \"==\", 0, 1", "asherr6"}};
  for (const auto& [arguments, key] : cases) {
    EXPECT_EQ(title_.Run(std::string("delfilter\naddfilter ") + arguments + "\napplyfilters\n"),
              (Keys{key, "asherr15"}))
        << arguments;
  }
}

TEST_F(Filters, AMillionFiltersStopAtTheCap) {
  std::string script;
  for (int i = 0; i < 70000; ++i)
    script += "addfilter 1, \"\", \"OR\", \"==\", 0, " + std::to_string(i) + "\n";
  const Keys keys = title_.Run(script);
  EXPECT_EQ(keys.size(), 70000u - RecordFilters::kMaxFilters);
  EXPECT_EQ(keys.front(), "asherr2");
  RecordFilters& filters = title_.runtime().database.filters;
  EXPECT_EQ(filters.size(), RecordFilters::kMaxFilters);
  for (int i = 0; i < 1000000; ++i) filters.Add(Filter{});
  EXPECT_EQ(filters.size(), RecordFilters::kMaxFilters);
  EXPECT_EQ(title_.Run("applyfilters\n"), Keys{});
  EXPECT_EQ(selection().records(), (Records{0, 1, 2, 3, 4, 5}))
      << "every People value below 4,096 is one of the OR filters";
}

// A selection made for another database may hold places this one lacks: they fail the filters
// (and are left out of a list) rather than counting as filters that cannot be evaluated.
TEST_F(Filters, APlaceTheDatabaseLacksFailsRatherThanFailingTheFilters) {
  EXPECT_EQ(Select("addfilter 1, \"big\", \"AND\", \">\", 0, 400\n"), (Records{0, 1, 2}));
  ASSERT_TRUE(selection().Add(500));
  Database& database = title_.runtime().database;
  database.useSelection = 1;
  EXPECT_EQ(database.EvaluateFilters(1), std::optional<bool>(true));
  EXPECT_EQ(database.EvaluateFilters(3), std::optional<bool>(false)) << "record 500 of 6";
  database.useSelection = 0;
}

}  // namespace
}  // namespace zd
