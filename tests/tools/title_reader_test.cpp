// How zdinfo's reader finds a title's authorfile and what it falls back to where records cannot
// be followed; the byte-for-byte round trip itself is checked in title_layout_test.cpp.
#include <gtest/gtest.h>

#include "support/test_support.h"
#include "title/authorfile.h"
#include "titlekit/authorfile_reader.h"
#include "titlekit/authorfile_writer.h"
#include "titlekit/description_json.h"
#include "titlekit/title_reader.h"

namespace zd::titlekit {
namespace {

using test::TempDir;

Bytes Build(const std::string& json) {
  return WriteAuthorfile(ParseDescriptionText(json, ".").titles.at(0).authorfile);
}

bool Noted(const AuthorfileReading& r, const std::string& part) {
  for (const std::string& note : r.notes) {
    if (note.find(part) != std::string::npos) return true;
  }
  return false;
}

TEST(TitleReader, FindsTheAuthorfileAsThePlayerChoosesIt) {
  TempDir dir;
  EXPECT_FALSE(FindAuthorfile(dir.path()));
  dir.Write("AUTHOR.DAT", "x");
  dir.Write("Authentic.txt", "x");
  dir.Write("readme", "x");
  EXPECT_EQ(FindAuthorfile(dir.path())->filename(), "Authentic.txt") << "the first auth* name";
  dir.Write("AUTHORFI.LE", "x");
  EXPECT_EQ(FindAuthorfile(dir.path())->filename(), "AUTHORFI.LE");
  dir.Write("Authorfi", "x");
  EXPECT_EQ(FindAuthorfile(dir.path())->filename(), "Authorfi");

  dir.Write("RES1/Res2", "x");
  EXPECT_EQ(ResolveCaseless(dir.path(), "res1/res2").filename(), "Res2");
  EXPECT_TRUE(ResolveCaseless(dir.path(), "res1/res3").empty());

  std::string error;
  EXPECT_FALSE(ReadTitle(dir.File("nothing"), error));
  const auto title = ReadTitle(dir.File("AUTHOR.DAT"), error);
  ASSERT_TRUE(title) << error;
  EXPECT_EQ(title->title.authorfileName, "AUTHOR.DAT") << "a named authorfile is the one read";
  EXPECT_EQ(title->title.files.size(), 5u) << "the other files stay in the description";
}

TEST(TitleReader, RecordsThatCannotBeFollowedAreKeptAsBytesWithANote) {
  const char* sound = R"({"pages": [%s{"name": "B", "objects": [{"name": "R", "type": "rectangle"}]}],
                          "sections": [{"name": "Root", "page": 0}]%s})";
  auto make = [&](const std::string& page, const std::string& top) {
    std::string text = sound;
    text.replace(text.find("%s"), 2, page);
    text.replace(text.find("%s"), 2, top);
    return Build(text);
  };

  // Stray bytes in a word nobody reads become a patch over the page.
  Bytes bytes = make("", "");
  bytes[148 + 72 + 32] = 'x';
  AuthorfileReading r = ReadAuthorfile(bytes);
  ASSERT_EQ(r.described.pages.size(), 1u);
  EXPECT_FALSE(r.described.pages[0].raw);
  EXPECT_EQ(r.described.pages[0].patches.size(), 1u);

  // A page whose bytes are no page record, but whose length is sound, is kept whole; the next
  // page is read again.
  bytes = make(R"({"raw": "50000000)" + std::string(152, 'e') + R"("},)", "");
  r = ReadAuthorfile(bytes);
  ASSERT_EQ(r.described.pages.size(), 2u);
  EXPECT_TRUE(r.described.pages[0].raw);
  EXPECT_EQ(r.described.pages[1].name, "B");
  EXPECT_TRUE(Noted(r, "page 0 at offset 148 is kept as raw bytes"));

  // A page length that leaves the file is read past by the writer's layout.
  bytes = make(R"({"name": "A", "length": -16},)", "");
  r = ReadAuthorfile(bytes);
  ASSERT_EQ(r.described.pages.size(), 2u);
  EXPECT_EQ(r.described.pages[0].length, 0xFFFFFFF0u);
  EXPECT_TRUE(Noted(r, "does not fit the page area"));

  // A section list offset that lies: the list is found after the last page the table counts.
  bytes = make("", R"(, "sectionListOffset": 160)");
  r = ReadAuthorfile(bytes);
  ASSERT_TRUE(r.described.sections);
  EXPECT_EQ(r.described.sections->size(), 1u);
  EXPECT_EQ(r.described.sectionListOffset, 160u);
  EXPECT_TRUE(Noted(r, "is not where the list is"));

  // Bytes that hold no page at all after a sound one become the pages' tail.
  bytes = make("", R"(, "pagesTail": "0102")");
  r = ReadAuthorfile(bytes);
  EXPECT_EQ(r.described.pagesTail, "\x01\x02");

  // Too short to be an authorfile: the whole file, as bytes.
  r = ReadAuthorfile("Auth");
  EXPECT_EQ(r.described.raw, "Auth");
  EXPECT_TRUE(Noted(r, "too few"));
}

// zdbuild writes the page table's bound as the last page number and puts the section list right
// after the last page; with a list of 72 entries or more its count word looks like the length
// of one more page record. Neither the player nor zdinfo may take it for a page.
TEST(TitleReader, ALongSectionListAfterThePagesIsNoPage) {
  std::string sections;
  for (int i = 0; i < 90; ++i) {
    sections += std::string(i ? "," : "") + R"({"name": "S)" + std::to_string(i) +
                R"(", "page": )" + std::to_string(i % 3) + (i ? R"(, "parent": 0})" : "}");
  }
  const Bytes bytes = Build(R"({"pages": [{"name": "One"}, {"name": "Two"}, {"name": "Three"}],
                                "sections": [)" + sections + "]}");
  const AuthorfileImage image(std::vector<uint8_t>(bytes.begin(), bytes.end()));
  EXPECT_EQ(image.PageCount(), 3u);
  EXPECT_EQ(image.PageName(*image.PageRecord(2)), "Three");
  EXPECT_FALSE(image.PageRecord(3)) << "the section list's count word read as a page";
  EXPECT_EQ(image.SectionNameSearchCount(), 90u) << "the list itself is read whole";

  const AuthorfileReading reading = ReadAuthorfile(bytes);
  EXPECT_EQ(reading.structured.pages.size(), 3u);
  ASSERT_TRUE(reading.structured.sections);
  EXPECT_EQ(reading.structured.sections->size(), 90u);
  EXPECT_FALSE(reading.described.raw);
  EXPECT_FALSE(reading.described.lastPage) << "the bound is the one zdbuild writes";

  // A bound one higher than the pages (the word counting pages) changes nothing.
  const Bytes counted = Build(R"({"lastPage": 3, "pages": [{"name": "One"}, {"name": "Two"},
                                  {"name": "Three"}], "sections": [)" + sections + "]}");
  EXPECT_EQ(AuthorfileImage(std::vector<uint8_t>(counted.begin(), counted.end())).PageCount(), 3u);
}

}  // namespace
}  // namespace zd::titlekit
