// zdinfo TITLE --json | zdbuild - OUT gives back the same files, for the demo title and for
// titles whose records lie about their lengths, counts and offsets.
#include <gtest/gtest.h>

#include "support/title_builder.h"

namespace zd::test {
namespace {

// Describes the title at `dir` with zdinfo and builds the description again; every file must
// come back with the same bytes.
void ExpectRoundTrip(const std::string& dir, const std::string& what) {
  const RunResult described = RunTool("zdinfo", {dir, "--json"});
  ASSERT_EQ(described.status, 0) << what << ": " << described.err;
  TempDir again;
  const RunResult rebuilt = RunTool("zdbuild", {"-", again.path()}, described.out);
  ASSERT_EQ(rebuilt.status, 0) << what << ": " << rebuilt.err << described.out;
  const auto before = FilesBelow(dir), after = FilesBelow(again.path());
  ASSERT_EQ(before.size(), after.size()) << what;
  for (const auto& [path, bytes] : before) {
    ASSERT_TRUE(after.count(path)) << what << ": " << path << " is missing";
    EXPECT_TRUE(after.at(path) == bytes) << what << ": " << path << " differs\n" << described.out;
  }
}

TEST(TitleRoundTrip, TheDemoTitleAndATitleWithEveryKindOfFile) {
  TempDir demo;
  ASSERT_EQ(RunTool("zdbuild", {SourceDir() + "/examples/demo/title.json", demo.path()}).status, 0);
  ExpectRoundTrip(demo.path(), "demo");

  TempDir source;
  source.Write("font.ttf", std::string(70000, 'f'));  // larger than zdinfo embeds
  source.Write("intro.mov", "moov");
  source.Write("sprite.bin", std::string("\x41\0\0\0", 4) + std::string(300, '\x07') + "tail");
  const std::string title = R"({
    "authorfile": "AUTHORFI",
    "pages": [{"name": "One", "objects": [{"name": "Pic", "type": "sprite", "resource": [1, 2]}]}],
    "sections": [{"name": "Root", "page": 0},
                 {"name": "Away", "link": {"dir": 9, "number": 1, "title": "!OTHER", "page": "Start"}}],
    "resources": [
      {"dir": 1, "number": 2, "file": "sprite.bin", "compress": true},
      {"dir": 1, "number": 3, "hex": "00010203ff", "compress": true, "runs": [[1, 255], [2, 0]]},
      {"dir": 2, "number": 1, "text": "<B>Γεια</B>\r\n"},
      {"dir": 2, "number": 2, "base64": "AAEC"}
    ],
    "fonts": ["font.ttf"],
    "movies": [{"file": "intro.mov", "as": "movies/qtime/intro.mov"}],
    "files": [{"path": "AUTHORFI.LE", "text": "not the authorfile"}, {"path": "res5/res1/describe", "hex": "00"},
              {"path": "RES3/Res1", "hex": "01"}, {"path": "res01/res2", "hex": "02"}]
  })";
  const std::string descriptionPath = source.Write("title.json", title);
  TempDir built;
  ASSERT_EQ(RunTool("zdbuild", {descriptionPath, built.path()}).status, 0);
  ExpectRoundTrip(built.path(), "every kind of file");
}

TEST(TitleRoundTrip, MalformedTitlesComeBackByteForByte) {
  // Each case changes one thing in a small, sound title.
  const std::string pages = R"("pages": [
      {"name": "P0", "objects": [
         {"name": "R", "type": "rectangle", "box": [0, 0, 100, 100], "colour": "#FF0000"%s},
         {"name": "H", "type": "hotspot", "box": [0, 0, 100, 100]},
         {"name": "T", "type": "text", "text": "hello"}],
       "events": [{"kind": "hotspot"}, {"kind": "timeout", "delay": 100}]%s},
      {"name": "P1", "events": [{"kind": "keypress", "keys": ["space"]}],
       "toolbox": {"box": [0, 0, 64, 64], "tools": ["calculator"]}, "styleData": "0102"},
      {"name": "P2", "events": null}])";
  const std::string sections = R"("sections": [{"name": "Root", "page": 0}, {"name": "A", "page": 1%s},
                                               {"name": "B", "page": 2%s}])";
  struct Case {
    const char* name;
    const char* top;
    const char* object;
    const char* page;
    const char* a;
    const char* b;
  };
  const Case cases[] = {
      {"wrong magic", R"("magic": "Xuth",)", "", "", "", ""},
      {"huge page record length", "", "", R"(, "length": 2147483632)", "", ""},
      {"page count past the table", R"("lastPage": 40,)", "", "", "", ""},
      {"section parent cycle", "", "", "", R"(, "parent": 2)", R"(, "parent": 1)"},
      {"object record length 0", "", R"(, "length": 0)", "", "", ""},
      {"section list offset past the file", R"("sectionListOffset": 99999,)", "", "", "", ""},
      {"section count past the list", R"("sectionCount": 100,)", "", "", "", ""},
      {"event table offset past the page", "", "", R"(, "eventTableOffset": 99999)", "", ""},
      {"object count past the page", "", "", R"(, "objectCount": 100)", "", ""},
      {"bytes patched over a record", R"("patches": [{"offset": 150, "hex": "ffff"}],)", "", "", "", ""},
      {"stray bytes after the pages", R"("pagesTail": "0011223344",)", "", "", "", ""},
  };
  auto fill = [](std::string text, const char* first, const char* second) {
    text.replace(text.find("%s"), 2, first);
    text.replace(text.find("%s"), 2, second);
    return text;
  };
  for (const Case& c : cases) {
    const std::string description = std::string("{") + c.top + fill(pages, c.object, c.page) + ", " +
                                    fill(sections, c.a, c.b) + "}";
    TempDir dir;
    Build(description, dir.path());
    ExpectRoundTrip(dir.path(), c.name);
  }
}

}  // namespace
}  // namespace zd::test
