// The keyword search: keyword hotspots and tokensearch set the one condition, pages drop it,
// and the condition tells records apart by their keyword bits. The page's database objects
// open and close their databases as pages come and go.
#include <gtest/gtest.h>

#include "database/database_title.h"

namespace zd {
namespace {

using test::DatabaseTitle;
using test::Has;
using test::Keys;

// Page 0 "Words" has three keyword hotspots (keywords 0, 3 and any) whose keyword event leads
// to the children of its section; "Db" shows the places database as a page object; "Other" has
// a keyword hotspot of another keyword page.
std::string KeywordTitle() {
  const std::string places = test::PlacesDatabase();
  const std::string bits = R"({"name": "BITS", "fields": [
      {"name": "Skip", "type": "byte"},
      {"name": "K", "type": "keywords", "keywords": ["a", "b", "c", "d", "e"]}],
    "records": [{"K": 8}, {"K": 4}, {"K": 0}]})";
  return R"({"titles": [{"directory": "t",
    "pages": [
      {"name": "Words", "keywordPage": 7, "keywordField": 1, "objects": [
        {"name": "K0", "type": "keywordHotspot", "keyword": 0, "pixels": [0, 0, 100, 100]},
        {"name": "K3", "type": "keywordHotspot", "keyword": 3, "pixels": [100, 0, 200, 100]},
        {"name": "KAny", "type": "keywordHotspot", "keyword": -1, "pixels": [200, 0, 300, 100]}],
       "events": [{"kind": "keyword"}]},
      {"name": "River"}, {"name": "Wood"}, {"name": "Any"},
      {"name": "Db", "objects": [{"name": "Places", "type": "database", "resource": [4, 1]}]},
      {"name": "Other", "keywordPage": 2, "objects": [
        {"name": "K", "type": "keywordHotspot", "keyword": 4, "pixels": [0, 0, 100, 100]}],
       "events": [{"kind": "keyword"}]}],
    "sections": [{"name": "Words", "page": 0},
                 {"name": "River", "page": 1, "parent": 0}, {"name": "Wood", "page": 2, "parent": 0},
                 {"name": "Any", "page": 3, "parent": 0}, {"name": "Db", "page": 4, "parent": 0},
                 {"name": "Other", "page": 5, "parent": 0}],
    "resources": [{"dir": 4, "number": 1, "database": )" +
         places + R"(}]}],
  "databases": [)" + bits + "]}";
}

bool Matches(Runtime& runtime, int record) {
  Database& database = runtime.database;
  return database.keywords().RecordMatchesKeywords(database, database.GetRecord(record));
}

TEST(KeywordSearch, HotspotsSetTheConditionAndGoToTheirTargets) {
  DatabaseTitle title(KeywordTitle());
  Runtime& runtime = title.runtime();
  ASSERT_EQ(runtime.pages.CurrentPageName(), "Words");
  title.ClearTrace();
  runtime.pages.LeftButtonUp(150, 50);
  EXPECT_EQ(runtime.pages.CurrentPageName(), "Wood") << "the second keyword hotspot's target";
  const auto condition = runtime.database.keywords().condition();
  ASSERT_TRUE(condition);
  EXPECT_EQ(condition->page, 0u);
  EXPECT_EQ(condition->field, 1u) << "the page's keyword field";
  EXPECT_EQ(condition->keyword, 3);
  EXPECT_EQ(runtime.database.keywords().searchPage(), 7) << "taken from the page";
  EXPECT_TRUE(Has(title.TraceText(), "keyword condition 0 1 3")) << title.TraceText();

  // Back on the same keyword page, another hotspot replaces the condition.
  runtime.pages.GotoSection(0);
  runtime.pages.LeftButtonUp(250, 50);
  EXPECT_EQ(runtime.pages.CurrentPageName(), "Any");
  EXPECT_EQ(runtime.database.keywords().condition()->keyword, -1);

  // A page with keyword hotspots of another keyword page drops it when it is entered.
  runtime.pages.GotoSection(5);
  EXPECT_FALSE(runtime.database.keywords().condition());
  EXPECT_EQ(runtime.database.keywords().searchPage(), kNoKeywordPage);
}

TEST(KeywordSearch, TheConditionLetsThroughRecordsWithItsKeywordBit) {
  DatabaseTitle title(KeywordTitle());
  Runtime& runtime = title.runtime();
  ASSERT_EQ(title.Run("opendata \"BITS\"\n"), Keys{});
  EXPECT_TRUE(Matches(runtime, 0) && Matches(runtime, 1) && Matches(runtime, 2))
      << "no condition: every record";

  EXPECT_EQ(title.Run("tokensearch \"Words\", 1, 0\ntokensearch \"Words\", 1, 3\n"), Keys{});
  ASSERT_TRUE(runtime.database.keywords().condition());
  EXPECT_EQ(runtime.database.keywords().condition()->keyword, 3) << "the second one stays";
  EXPECT_TRUE(Matches(runtime, 0)) << "bit set 8 holds keyword 3";
  EXPECT_FALSE(Matches(runtime, 1)) << "bit set 4 does not";

  EXPECT_EQ(title.Run("tokensearch \"Words\", 1, 35\n"), Keys{});
  EXPECT_TRUE(Matches(runtime, 0)) << "keyword numbers count modulo 32";
  EXPECT_EQ(title.Run("tokensearch \"Words\", 1, -1\n"), Keys{});
  EXPECT_TRUE(Matches(runtime, 0) && Matches(runtime, 1));
  EXPECT_FALSE(Matches(runtime, 2)) << "any keyword: a record without one stays out";
  EXPECT_EQ(title.Run("tokensearch \"Words\", 9, -1\n"), Keys{});
  EXPECT_FALSE(Matches(runtime, 0)) << "a field the database lacks matches nothing";

  EXPECT_EQ(title.Run("tokensearch \"words\", 1, 3\n"), Keys{"tkserr2"}) << "names are exact";
  EXPECT_EQ(runtime.database.keywords().condition()->field, 9) << "nothing changed";
}

TEST(KeywordSearch, PageDatabasesOpenWithTheirPageAndCloseWhenItGoes) {
  DatabaseTitle title(KeywordTitle());
  Runtime& runtime = title.runtime();
  ASSERT_EQ(title.Run("opendata \"BITS\"\n"), Keys{});
  runtime.pages.GotoSection(4);
  ASSERT_EQ(runtime.pages.CurrentPageName(), "Db");
  ASSERT_EQ(title.Run("set n%, NFields%\ngetdata \"Name\", 2, s$\nclosedata\n"), Keys{"scerr62"});
  EXPECT_EQ(title.Number("n%"), 13) << "the page's database replaced the script's";
  EXPECT_EQ(title.Text("s$"), "Wood End");
  EXPECT_TRUE(runtime.database.IsResourceDatabase());

  runtime.pages.GotoSection(1);
  ASSERT_EQ(title.Run("set n%, NFields%\n"), Keys{});
  EXPECT_EQ(title.Number("n%"), -1) << "closed with its page";
  for (int slot = 0; slot < kCacheSlots; ++slot) {
    EXPECT_FALSE(runtime.titleFiles.cache().slot(slot).used) << "its DESCRIBE left the cache";
  }
  runtime.pages.GotoSection(4);
  ASSERT_EQ(title.Run("set n%, NFields%\n"), Keys{});
  EXPECT_EQ(title.Number("n%"), 13) << "and opened again when the page comes back";

  // A script's database replaces the page's: the page's DESCRIBE leaves the cache at once, and
  // leaving the page closes whatever database is open.
  ASSERT_EQ(title.Run("opendata \"BITS\"\nset n%, NFields%\n"), Keys{});
  EXPECT_EQ(title.Number("n%"), 2);
  for (int slot = 0; slot < kCacheSlots; ++slot) {
    EXPECT_FALSE(runtime.titleFiles.cache().slot(slot).used) << slot;
  }
  runtime.pages.GotoSection(1);
  ASSERT_EQ(title.Run("set n%, NFields%\n"), Keys{});
  EXPECT_EQ(title.Number("n%"), -1);
}

}  // namespace
}  // namespace zd
