// zdbuild as a user runs it: where the files of one or several titles land, and what it says
// about descriptions it cannot write.
#include <gtest/gtest.h>

#include "support/title_builder.h"

namespace zd::test {
namespace {

bool Has(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

TEST(ToolZdbuild, SiblingTitlesTheirFilesAndTheOverrideTreeLandInPlace) {
  TempDir source;
  source.Write("fonts/arcsys.fon", "FON");
  source.Write("clip.mov", "MOV");
  const std::string description = source.Write("titles.json", R"({
    "titles": [
      {"directory": "_moss",
       "pages": [{"name": "Start"}],
       "sections": [{"name": "Root", "page": "Start"},
                    {"name": "Other", "link": {"dir": 9, "number": 1, "title": "!OTHER", "page": "Far"}}],
       "resources": [{"dir": 1, "number": 2, "text": "old"}],
       "fonts": ["fonts/arcsys.fon"],
       "movies": [{"file": "clip.mov"}]},
      {"directory": "!other", "authorfile": "AUTHOR.DAT", "pages": [{"name": "Far"}],
       "sections": [{"name": "Root", "page": 0}],
       "files": [{"path": "AUTHORFI", "text": "first"}, {"path": "AUTHORFI.LE", "text": "second"}]}
    ],
    "override": {"directory": "save", "files": [{"path": "_moss/res1/res2", "text": "newer"}]}
  })");
  TempDir out;
  const RunResult r = RunTool("zdbuild", {description, out.path()});
  ASSERT_EQ(r.status, 0) << r.err;
  const auto files = FilesBelow(out.path());
  EXPECT_EQ(files.at("_moss/authorfi").substr(0, 4), "Auth");
  EXPECT_EQ(files.at("_moss/res1/res2"), "old");
  EXPECT_EQ(files.at("_moss/res9/res1"), "C:\\TITLES\\!OTHER\r\n");
  EXPECT_EQ(files.at("_moss/fonts/arcsys.fon"), "FON");
  EXPECT_EQ(files.at("_moss/movies/clip.mov"), "MOV");
  EXPECT_EQ(files.at("!other/AUTHOR.DAT").substr(0, 4), "Auth");
  EXPECT_EQ(files.at("!other/AUTHORFI"), "first");
  EXPECT_EQ(files.at("!other/AUTHORFI.LE"), "second");
  EXPECT_EQ(files.at("save/_moss/res1/res2"), "newer");
  EXPECT_EQ(files.size(), 9u);

  // zdinfo picks the authorfile as the player does: AUTHORFI before AUTHORFI.LE and AUTHOR.DAT
  // (and here finds no title in it).
  const RunResult info = RunTool("zdinfo", {out.File("!other"), "--json"});
  EXPECT_TRUE(Has(info.err, "(AUTHORFI does not begin with \"Auth\"")) << info.err;
}

// The example in docs/title-format.md builds and leads where the text says.
TEST(ToolZdbuild, TheDocumentedExampleBuilds) {
  const std::string doc = ReadFile(SourceDir() + "/docs/title-format.md");
  const size_t start = doc.find("```json\n");
  ASSERT_NE(start, std::string::npos);
  const size_t end = doc.find("```", start + 8);
  TempDir out;
  Build(doc.substr(start + 8, end - start - 8), out.path());
  EXPECT_EQ(ReadFile(out.File("_moss/res9/res1")), "C:\\TITLES\\!other\r\n");
  const RunResult info = RunTool("zdinfo", {out.File("_moss")});
  EXPECT_TRUE(Has(info.out, "hotspot, active running finished; target 0")) << info.out;
  EXPECT_TRUE(Has(info.out, "    2 \"Elsewhere\" [link] no page; link to another title through res9/res1, page \"Far\""))
      << info.out;
  EXPECT_TRUE(Has(ReadFile(out.File("!other/authorfi")), "Far"));
}

TEST(ToolZdbuild, ErrorsNameTheFieldAtFault) {
  struct Case {
    const char* description;
    const char* where;
    const char* what;
  };
  const Case cases[] = {
      {R"({"pages": [{"objects": [{"type": "rectangel"}]}]})", "pages[0].objects[0].type", "rectangel"},
      {R"({"pages": [{"name": "ABCDEFGHIJKLM"}]})", "pages[0].name", "12-byte field"},
      {R"({"pages": [{"objects": [{"type": "hotspot", "colour": "#FF0000"}]}]})",
       "pages[0].objects[0].colour", "hotspot"},
      {R"({"pages": [{"background": "#12345"}]})", "pages[0].background", "#RRGGBB"},
      {R"({"pages": [{"objects": [{"box": [1, 2, 3]}]}]})", "pages[0].objects[0].box", "[x0, y0, x1, y1]"},
      {R"({"pages": [{"events": [{"kind": "timeout", "keys": ["space"]}]}]})",
       "pages[0].events[0].keys", "keypress"},
      {R"({"pages": [], "sections": [{"name": "A", "page": "Nowhere"}]})", "sections[0].page", "Nowhere"},
      {R"({"pages": [], "sections": [{"name": "A"}, {"name": "B", "parent": "Nobody"}]})",
       "sections[1].parent", "Nobody"},
      {R"({"pages": [{"patches": [{"offset": 5000, "hex": "00"}]}]})", "pages[0].patches[0]", "past the end"},
      {R"({"resources": [{"dir": 1, "number": 2, "file": "missing.bin"}]})", "resources[0].file", "cannot read"},
      {R"({"resources": [{"dir": 1, "number": 2, "hex": "0g"}]})", "resources[0].hex", "hexadecimal"},
      {R"({"resources": [{"dir": 1, "number": 2, "hex": "00", "literal": 1}]})", "resources[0].literal",
       "compressed"},
      {R"({"resources": [{"dir": 1, "number": 2, "hex": "00", "compress": true, "literal": 5}]})",
       "resources[0]", "longer than the data"},
      {R"({"resources": [{"dir": 70000, "number": 2, "hex": "00"}]})", "resources[0].dir", "out of range"},
      {R"({"resources": [{"dir": 1, "number": 2, "hex": "00", "compress": true, "runOffset": 16777216}]})",
       "resources[0]", "does not fit in three bytes"},
      {R"({"titles": [{"directory": "_a", "resources": [{"dir": 1, "number": 1, "picture": {"png": "a.png"}}]}]})",
       "titles[0].resources[0].picture.png", "cannot read"},
      {R"({"titles": [{"directory": "_a", "resources": [{"dir": 1, "number": 1, "database": {"fields": [{"name": "A"}]}}]}]})",
       "titles[0].resources[0].database.fields[0].type", "missing"},
      {R"({"titles": [{"directory": "_a"}, {"directory": "_a"}]})", "titles[1].directory", "used twice"},
      {R"({"files": [{"path": "../escape", "text": "x"}]})", "files[0].path", "relative path"},
      {R"({"pagez": []})", "pagez", "unknown field"},
      {R"({"resources": [{"dir": 1, "number": 2, "hex": ""}], "files": [{"path": "res1/res2", "hex": ""}]})",
       "files[0]", "written twice"},
      {R"({"pages": [{"raw": "00", "name": "A"}]})", "pages[0].name", "raw"},
      {R"({"raw": "00", "pages": []})", "pages", "raw"},
      {R"({"pages": [)", "", "not valid JSON"},
      // Found by fuzzing: a number no double holds once aborted zdbuild.
      {R"({"pages":[{"name":"P","time":1e400}]})", "", "not valid JSON"},
  };
  for (const Case& c : cases) {
    TempDir out;
    const RunResult r = RunTool("zdbuild", {"-", out.path()}, c.description);
    EXPECT_EQ(r.status, 1) << c.description;
    EXPECT_TRUE(Has(r.err, std::string("zdbuild: ") + c.where)) << c.description << "\n" << r.err;
    EXPECT_TRUE(Has(r.err, c.what)) << c.description << "\n" << r.err;
  }
  // The largest offset three bytes hold is written.
  TempDir widest;
  Build(R"({"resources": [{"dir": 1, "number": 2, "hex": "00", "compress": true, "runOffset": 16777215}]})",
        widest.path());
  // With no authorfile, only the other files are written.
  TempDir bare;
  Build(R"({"authorfile": null, "files": [{"path": "readme", "text": "hi"}]})", bare.path());
  EXPECT_EQ(FilesBelow(bare.path()).size(), 1u);

  EXPECT_EQ(RunTool("zdbuild", {}).status, 2);
  EXPECT_EQ(RunTool("zdbuild", {"a.json"}).status, 2);
  EXPECT_EQ(RunTool("zdbuild", {"--frobnicate", "a", "b"}).status, 2);
  const RunResult help = RunTool("zdbuild", {"--help"});
  EXPECT_EQ(help.status, 0);
  EXPECT_TRUE(Has(help.out, "zdbuild DESCRIPTION.json OUTDIR"));
}

}  // namespace
}  // namespace zd::test
