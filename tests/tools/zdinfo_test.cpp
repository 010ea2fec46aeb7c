// zdinfo's overview: what it shows of a sound title, and how far it gets through a broken one.
#include <gtest/gtest.h>

#include <filesystem>

#include "support/title_builder.h"

namespace zd::test {
namespace {

bool Has(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

TEST(ToolZdinfo, TheOverviewShowsSectionsPagesObjectsEventsScriptsAndResources) {
  TempDir dir;
  Build(R"({
    "pages": [{"name": "Start", "time": 150,
               "objects": [{"name": "Box", "type": "rectangle", "pixels": [80, 240, 300, 320], "plot": "xor"},
                           {"name": "Go", "type": "hotspot", "pixels": [0, 0, 10, 10]},
                           {"name": "Pic", "type": "sprite", "resource": [1, 2]},
                           {"name": "Gone", "type": "drawing", "resource": [1, 3]},
                           {"name": "+Start", "type": "text", "text": "set Count%, 1\nset Name$, \"Ζ\""}],
               "events": [{"kind": "keypress", "keys": ["space", "return"]}, {"kind": "hotspot"},
                          {"kind": "timeout", "delay": 250}]}],
    "sections": [{"name": "Αρχή", "page": 0, "children": [{"name": "Next", "page": 0, "flags": ["alias"]}]},
                 {"name": "Away", "link": {"dir": 9, "number": 1, "title": "!OTHER"}}],
    "resources": [{"dir": 1, "number": 2, "hex": "0102030405060708090a0b0c0d", "compress": true}]
  })", dir.path());
  const RunResult r = RunTool("zdinfo", {dir.path()});
  ASSERT_EQ(r.status, 0) << r.err;
  const std::string& out = r.out;
  EXPECT_TRUE(Has(out, "version 101")) << out;
  EXPECT_TRUE(Has(out, "Pages (table at offset 132,")) << out;
  EXPECT_TRUE(Has(out, "    0 \"Αρχή\" [findable] page 0 \"Start\"\n      1 \"Next\" [alias]")) << out;
  EXPECT_TRUE(Has(out, "link to another title through res9/res1")) << out;
  EXPECT_TRUE(Has(out, "page time 1.50 s")) << out;
  EXPECT_TRUE(Has(out, "title units = pixels (80, 240)-(300, 320)")) << out;
  EXPECT_TRUE(Has(out, "plot xor")) << out;
  EXPECT_TRUE(Has(out, "keypress, active running finished, keys space return; targets 0-1")) << out;
  EXPECT_TRUE(Has(out, "hotspot, active running finished; target 2")) << out;
  EXPECT_TRUE(Has(out, "timeout, active running finished, delay 2.50 s; target 3")) << out;
  EXPECT_TRUE(Has(out, "\"+Start\" on page 0 \"Start\":\n    set Count%, 1\n    set Name$, \"Ζ\"\n")) << out;
  EXPECT_TRUE(Has(out, "res1/res2 (sprite, page 0 object 2 \"Pic\"): present, 25 bytes, \"3TCS\" method 0"))
      << out;
  EXPECT_TRUE(Has(out, "res1/res3 (drawing, page 0 object 3 \"Gone\"): missing")) << out;
  EXPECT_TRUE(Has(out, "names the title \"!OTHER\"")) << out;
}

TEST(ToolZdinfo, ScriptsAreListedWithTheLineNumbersThePlayerGivesThem) {
  TempDir dir;
  Build(R"({"pages": [
      {"name": "One", "objects": [{"name": "Box", "pixels": [0, 0, 1, 1]},
                                  {"name": "+Start", "type": "text", "text": "set a%, 1\r\nbogus | why\r\n"}]},
      {"name": "Two", "objects": [{"name": "+Later", "type": "text", "text": "set b$, \"Ω\"", "capacity": 20}]}],
    "sections": [{"name": "Root", "page": 0}]})", dir.path());
  const RunResult r = RunTool("zdinfo", {dir.path(), "--scripts"});
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out,
            "\"+Start\" on page 0 \"One\", object 1, 24 bytes:\n"
            "  1\tset a%, 1\n  2\t\n  3\tbogus | why\n"
            "\"+Later\" on page 1 \"Two\", object 0, 11 bytes:\n"
            "  1\tset b$, \"Ω\"\n");
  TempDir none;
  Build(R"({"pages": [{"name": "P"}], "sections": [{"name": "Root", "page": 0}]})", none.path());
  EXPECT_EQ(RunTool("zdinfo", {none.path(), "--scripts"}).out, "No scripts.\n");
}

TEST(ToolZdinfo, EachObjectTypeShowsItsOwnData) {
  TempDir dir;
  Build(R"({"pages": [{"name": "P", "objects": [
    {"name": "Rec", "type": "recordDisplay", "pairs": [["Όνομα", "Αθήνα"]], "labelWidth": 8},
    {"name": "Fld", "type": "fieldDisplay", "field": 3, "showName": true, "fillColour": "#102030"},
    {"name": "Db", "type": "database", "resource": [4, 1], "listField": 5},
    {"name": "Film", "type": "movie", "resource": [2, 1], "movieFlags": ["wholePage", "controller"]},
    {"name": "Kw", "type": "keywordHotspot", "keyword": 6, "font": "Corpus.Medium", "fontSize": [10, 12]},
    {"name": "Tim", "type": "sprite", "resource": [1, 1], "flags": ["triggered"], "trigger": "Zone",
     "showDelay": 150, "hideDelay": 225}]}],
    "files": [{"path": "res4/res1/describe", "hex": "00"}, {"path": "res2/res1", "text": "intro.mov"},
              {"path": "RES1/Res1", "hex": "0100000010000000"}]})",
        dir.path());
  const RunResult r = RunTool("zdinfo", {dir.path()});
  ASSERT_EQ(r.status, 0) << r.err;
  for (const char* line : {"\"Όνομα\" = \"Αθήνα\"", "label width 8", "field 3; fill #102030",
                           "shows the field's name", "list field 5", "movie flags wholePage controller",
                           "keyword 6", "font \"Corpus.Medium\" 10x12", "triggered by \"Zone\"",
                           "show after 1.50 s, hide after 2.25 s",
                           "res4/res1 (database, page 0 object 2 \"Db\"): a directory (database) with a describe file",
                           "res2/res1 (movie, page 0 object 3 \"Film\"): present, 9 bytes: \"intro.mov\"",
                           "res1/res1 (sprite, page 0 object 5 \"Tim\"): present, 8 bytes: too short"}) {
    EXPECT_TRUE(Has(r.out, line)) << line << "\n" << r.out;
  }
}

TEST(ToolZdinfo, BrokenTitlesAreShownAsFarAsTheyCanBeRead) {
  TempDir dir;
  Build(R"({
    "lastPage": 9,
    "pages": [{"name": "A", "objects": [{"name": "Zero", "type": "hotspot", "length": 0}]},
              {"name": "B", "length": 2147483632}, {"name": "C"}],
    "pagesTail": "0102030405",
    "sections": [{"name": "Root", "page": 0}, {"name": "X", "page": 1, "parent": 2},
                 {"name": "Y", "page": 7, "parent": 1}]
  })", dir.path());
  const RunResult r = RunTool("zdinfo", {dir.path()});
  ASSERT_EQ(r.status, 0) << r.err;
  const std::string& out = r.out;
  EXPECT_TRUE(Has(out, "Page 2 \"C\"")) << out;
  EXPECT_TRUE(Has(out, "then 5 bytes not read as pages")) << out;
  EXPECT_TRUE(Has(out, "last-page word is 9 but 3 page records were read")) << out;
  EXPECT_TRUE(Has(out, "page 0 object 0: its length word 0 does not match the record")) << out;
  EXPECT_TRUE(Has(out, "page 1 at offset")) << out;
  EXPECT_TRUE(Has(out, "section 1 \"X\" cannot be reached from a root: its parent 2 leads round a cycle")) << out;
  EXPECT_TRUE(Has(out, "section 2 names page 7, which the title does not have")) << out;


  // The description says where reading stopped, beside the bytes it could not read.
  const RunResult json = RunTool("zdinfo", {dir.path(), "--json"});
  EXPECT_TRUE(Has(json.out, "\"note\": [\n    \"page 1 at offset 320: its length word")) << json.out;
  EXPECT_TRUE(Has(json.out, "\"length\": 2147483632")) << json.out;

  TempDir empty;
  const RunResult later = RunTool("zdinfo", {dir.path(), "--export", empty.path()});
  EXPECT_EQ(later.status, 0) << later.err;
  EXPECT_EQ(RunTool("zdinfo", {}).status, 2);
}

TEST(ToolZdinfo, ExportWritesTextsWithoutTheirMarkup) {
  TempDir dir, out;
  Build(R"({
    "pages": [{"name": "Start",
               "objects": [{"name": "Words", "type": "text", "text": "<H1>Καλημέρα</H1>a <B>bold</B> word<BR>next"},
                           {"name": "+Start", "type": "text", "text": "set n%, 1"},
                           {"name": "Long", "type": "styledTextResource", "resource": [2, 7]},
                           {"name": "Lost", "type": "styledTextResource", "resource": [2, 8]}]}],
    "sections": [{"name": "Root", "page": 0}],
    "resources": [{"dir": 2, "number": 7, "text": "<P>one\rtwo <A QSE=x>link</A><unfinished"}]
  })", dir.path());
  const RunResult r = RunTool("zdinfo", {dir.path(), "--export", out.path()});
  EXPECT_EQ(r.status, 1) << "res2/res8 is missing";
  EXPECT_TRUE(Has(r.err, "res2/res8 not exported: missing")) << r.err;
  EXPECT_TRUE(Has(r.out, "page0-object0.txt: text of \"Words\"")) << r.out;
  EXPECT_EQ(ReadFile(out.File("page0-object0.txt")), "\r\nΚαλημέρα\r\na bold word\r\nnext");
  EXPECT_EQ(ReadFile(out.File("res2-res7.txt")), "\r\none\ntwo link");
  EXPECT_FALSE(std::filesystem::exists(out.File("page0-object1.txt"))) << "scripts are not texts";
}

}  // namespace
}  // namespace zd::test
