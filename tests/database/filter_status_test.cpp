// The status lines of the filters and the selection: written, replayed into a fresh player,
// and written again the same; texts no quoted literal can hold travel through variables.
#include <gtest/gtest.h>

#include "base/cp1253.h"
#include "database/database_title.h"
#include "runtime.h"
#include "script/filter_commands.h"
#include "script/script_line_writer.h"

namespace zd {
namespace {

using script::CommandLineWriter;
using test::DatabaseTitle;
using test::Keys;
using test::PlacesDatabase;
using test::TitleWithDatabases;

std::string PlacesTitle() {
  const std::string db = PlacesDatabase();
  return TitleWithDatabases(test::kPlainPage,
                            R"([{"folder": "ravel", "name": "PLACES", )" + db.substr(1) + "]");
}

std::string Joined(const std::vector<std::string>& lines) {
  std::string text;
  for (const std::string& line : lines) text += line + "\n";
  return text;
}

TEST(FilterStatus, TextsComeBackWhateverCharactersTheyHold) {
  test::ScriptRunner runner;
  const std::string texts[] = {"plain",
                               "C:\\DATA",
                               "a|b",
                               "ends\\",
                               "\\n is no line end",
                               "say \"hi\", then",
                               "tab\there\nnext",
                               "\\\\",
                               "a\\\"b",
                               std::string(250, 'x') + "|"};
  for (const std::string& text : texts) {
    CommandLineWriter writer("set");
    writer.AddWord("t$");
    writer.AddText(text);
    const auto lines = writer.Lines();
    for (const std::string& line : lines) EXPECT_LE(line.size(), 255u) << line;
    EXPECT_EQ(runner.Run(Joined(lines)), Keys{}) << Joined(lines);
    EXPECT_EQ(runner.Text("t$"), text) << Joined(lines);
    EXPECT_FALSE(runner.Text("ZdCarryB$")) << "the carrying variables are deleted";
    EXPECT_FALSE(runner.Text("ZdCarryChar$"));
  }
  EXPECT_EQ(CommandLineWriter::Literal("C:\\DATA"), "\"C:\\DATA\"") << "kept as it is";
  EXPECT_FALSE(CommandLineWriter::Literal("a|b"));
}

TEST(FilterStatus, ReplayedLinesRebuildTheFiltersAndTheSelection) {
  const std::string build =
      "opendata \"PLACES\"\n"
      "valtostr p$, \"a%cb\", 124\n"
      "addfilter \"Name\", \"pipe\", \"OR\", \"!CONTAINS\", 1, p$\n"
      "addfilter 0, \"dir\", \"or\", \"!=\", 0, \"C:\\DATA\"\n"
      "addfilter 3, \"rain\", \"AND\", \"!RANGE\", 0, 0.1, 47.87\n"
      "addfilter 4, \"\", \"AND\", \"!=\", 1, \"" +
      FormatDate(DateValue{1, 7, 1990, false}, 0) +
      "\"\n"
      "addfilter 4, \"odd\", \"OR\", \"==\", 0, \"40 Nomonth 70000\"\n"
      "addfilter 5, \"\", \"INCLUDE\", \"==\", 0, \"Y\"\n"
      "addfilter 6, \"\", \"AND\", \"CONTAINS\", 0, \"lake, hill\"\n"
      "applyfilters 1\nshufflesel 99\n";
  DatabaseTitle first(PlacesTitle());
  EXPECT_EQ(first.Run(build), Keys{});
  const Database& database = first.runtime().database;
  ASSERT_EQ(database.filters.size(), 7u);
  const std::vector<uint16_t> selected = database.selection.records();
  EXPECT_FALSE(selected.empty());
  EXPECT_TRUE(database.selection.inverted());
  const auto lines = script::FilterStatusLines(database);
  EXPECT_EQ(lines.front(), "delfilter");
  EXPECT_EQ(lines.back(), "shufflesel 99");

  DatabaseTitle second(PlacesTitle());
  EXPECT_EQ(second.Run("opendata \"PLACES\"\naddfilter 1, \"old\", \"AND\", \"==\", 0, 1\n" +
                       Joined(lines)),
            Keys{})
      << Joined(lines);
  const Database& replayed = second.runtime().database;
  EXPECT_EQ(replayed.selection.records(), selected);
  EXPECT_TRUE(replayed.selection.shuffled());
  EXPECT_EQ(script::FilterStatusLines(replayed), lines);
  EXPECT_EQ(replayed.filters.list()[0].values.texts[0], "a|b");

  // Nothing to rebuild: the list and the selection are emptied only.
  EXPECT_EQ(second.Run("delfilter\nclearselection\n"), Keys{});
  EXPECT_EQ(script::FilterStatusLines(replayed),
            (std::vector<std::string>{"delfilter", "clearselection"}));
}

}  // namespace
}  // namespace zd
