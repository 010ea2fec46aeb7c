// Titles made with zdbuild, opened by the runtime's title files.
#include "title/title_files.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "support/runtime_fixture.h"
#include "support/title_builder.h"

namespace zd {
namespace {

bool Has(const std::string& text, const std::string& part) {
  return text.find(part) != std::string::npos;
}

std::string BlockText(const CacheSlot& slot) {
  return std::string(slot.block.begin(), slot.block.end());
}

// A messages file whose texts show their arguments, so reports can be checked with them.
std::string Messages(const test::TempDir& dir) {
  return dir.Write("MESSAGES.TXT",
                   "crierr8:title %s not found\n"
                   "crierr9:link %s cannot be opened\ncrierr27:generic\n"
                   "generr4:resource %s cannot be opened\ngenerr6:resource %s cannot be read\n"
                   "generr7:cache full\n");
}

TEST(TitleFiles, TheAuthorfileIsChosenByItsThreeRules) {
  test::TempDir dir;
  test::Build(R"({"authorfile": "AUTHOR.DAT", "sections": [{"name": "R", "page": 0}], "pages": [{"name": "Only"}]})", dir.File("a"));
  test::Build(R"({"sections": [{"name": "R", "page": 0}], "pages": [{"name": "Plain"}],
                  "files": [{"path": "AUTHORFI.LE", "text": "not this one"},
                            {"path": "AUTHENTIC", "text": "nor this"}]})",
              dir.File("b"));
  test::Build(R"({"authorfile": "authx", "sections": [{"name": "R", "page": 0}], "pages": [{"name": "X"}],
                  "files": [{"path": "AUTHA.DAT", "text": "first by name"}]})",
              dir.File("c"));
  test::RuntimeFixture f;
  TitleFiles& files = f.runtime().titleFiles;
  EXPECT_EQ(files.FindAuthorfile(dir.File("a")), dir.File("a") + "/AUTHOR.DAT");
  EXPECT_EQ(files.FindAuthorfile(dir.File("b")), dir.File("b") + "/authorfi");
  EXPECT_EQ(files.FindAuthorfile(dir.File("c")), dir.File("c") + "/AUTHA.DAT");
  EXPECT_FALSE(files.FindAuthorfile(dir.File("nowhere")));
  // The command line's path is upper-cased and may name the directory or any file in it.
  ASSERT_EQ(files.OpenTitle(dir.File("a")), TitleProblem::None);
  EXPECT_EQ(files.image().PageName(*files.image().PageRecord(0)), "Only");
  ASSERT_EQ(files.OpenTitle(dir.File("B/ANYTHING")), TitleProblem::None);
  EXPECT_EQ(files.image().PageName(*files.image().PageRecord(0)), "Plain");
  EXPECT_EQ(files.shortName(), "B") << "the short name is the directory as the path names it";
}

TEST(TitleFiles, TheOverrideDirectoryHoldsNewerCopiesOfTitleFiles) {
  test::TempDir dir;
  test::Build(R"({"titles": [{"directory": "_moss", "sections": [{"name": "R", "page": 0}], "pages": [{"name": "Old"}],
                  "resources": [{"dir": 1, "number": 2, "text": "old two"},
                                {"dir": 1, "number": 3, "text": "old three"}]}],
                  "override": {"directory": "save", "files": [
                    {"path": "_moss/res1/res2", "text": "new two"},
                    {"path": "_moss/authorfi", "hex": "41757468"}]}})",
              dir.path());
  test::RuntimeFixture plain;
  ASSERT_EQ(plain.runtime().titleFiles.OpenTitle(dir.File("_moss/authorfi")), TitleProblem::None);
  test::RuntimeFixture f({.commandLine = "-E " + dir.File("save") + " " + dir.File("_moss/authorfi")});
  TitleFiles& files = f.runtime().titleFiles;
  // The authorfile below the override directory is only "Auth": a title without pages, which a
  // person opening it is told is damaged, and which a link still reads.
  EXPECT_EQ(files.OpenTitle(dir.File("_moss/authorfi")), TitleProblem::Damaged);
  ASSERT_TRUE(files.LoadAuthorfile(dir.File("_moss/authorfi")));
  EXPECT_EQ(files.image().PageCount(), 0u);
  ASSERT_TRUE(files.cache().LoadResource(0, 1, 2, resource_kind::STYLED_TEXT));
  EXPECT_EQ(BlockText(files.cache().slot(0)), "new two");
  ASSERT_TRUE(files.cache().LoadResource(1, 1, 3, resource_kind::STYLED_TEXT));
  EXPECT_EQ(BlockText(files.cache().slot(1)), "old three");
  EXPECT_EQ(files.cache().FindLoaded("_moss", 1, 3), 1);
}

TEST(TitleFiles, SpriteResourcesAreReadByTheirFirstWord) {
  test::TempDir dir;
  // First word 64: a sprite file; the sprite starts at w1 - 4 and its length is the word at
  // w1 - 8, plus 4. First word 65: a bare sprite, read whole. Packed ones are unpacked.
  test::Build(R"({"sections": [{"name": "R", "page": 0}], "pages": [{"name": "P"}], "resources": [
      {"dir": 1, "number": 1, "hex": "40000000 10000000 04000000 aabbccdd eeff0011 22334455"},
      {"dir": 1, "number": 2, "hex": "41000000 10000000 04000000 aabbccdd"},
      {"dir": 1, "number": 3, "text": "literal only", "compress": true, "runs": []},
      {"dir": 1, "number": 4, "text": "", "compress": true, "runs": [[7, 255]]},
      {"dir": 1, "number": 5, "hex": "41000000"},
      {"dir": 1, "number": 6, "text": "a drawing"}]})",
              dir.File("t"));
  test::RuntimeFixture f({.messagesPath = Messages(dir)});
  TitleFiles& files = f.runtime().titleFiles;
  ASSERT_EQ(files.OpenTitle(dir.File("t")), TitleProblem::None);
  ResourceCache& cache = files.cache();
  EXPECT_FALSE(cache.LoadResource(kCacheSlots, 1, 1, resource_kind::SPRITE)) << "no such slot";
  EXPECT_FALSE(cache.LoadResource(-1, 1, 1, resource_kind::SPRITE));
  ASSERT_TRUE(cache.LoadResource(0, 1, 1, resource_kind::SPRITE));
  EXPECT_EQ(cache.slot(0).block, (std::vector<uint8_t>{0xaa, 0xbb, 0xcc, 0xdd, 0xee, 0xff, 0x00,
                                                       0x11}));
  ASSERT_TRUE(cache.LoadResource(1, 1, 2, resource_kind::SPRITE));
  EXPECT_EQ(cache.slot(1).block.size(), 16u);
  ASSERT_TRUE(cache.LoadResource(2, 1, 3, resource_kind::SPRITE));
  EXPECT_TRUE(cache.slot(2).compressed);
  cache.PrepareResource(2, false);  // unpacked only: the bytes are no real sprite
  EXPECT_EQ(BlockText(cache.slot(2)), "literal only");
  ASSERT_TRUE(cache.LoadResource(3, 1, 4, resource_kind::SPRITE));
  cache.PrepareResource(3, false);
  EXPECT_EQ(cache.slot(3).block, std::vector<uint8_t>(256, 7));
  // Fewer than 12 bytes cannot hold a sprite header.
  EXPECT_FALSE(cache.LoadResource(4, 1, 5, resource_kind::SPRITE));
  EXPECT_TRUE(Has(f.TraceText(), "message generr6: resource " + dir.File("t") + "/res1/res5"));
  EXPECT_FALSE(cache.slot(4).used);
  // A drawing gets room for its end marker.
  ASSERT_TRUE(cache.LoadResource(5, 1, 6, resource_kind::DRAWING));
  cache.PrepareResource(5, true);
  EXPECT_EQ(BlockText(cache.slot(5)), "a drawing\xFF\xFF\xFF\xFF");
  EXPECT_FALSE(cache.LoadResource(6, 9, 9, resource_kind::STYLED_TEXT));
  EXPECT_TRUE(Has(f.TraceText(), "message generr4: resource " + dir.File("t") + "/res9/res9 "));
}

TEST(TitleFiles, AResourceTooLargeForMemoryIsReportedNotFatal) {
#if defined(__SANITIZE_ADDRESS__)
  GTEST_SKIP() << "the sanitizer stops any allocation this large itself";
#else
  // Where memory is promised without limit a huge block would be filled page by page.
  if (test::ReadFile("/proc/sys/vm/overcommit_memory").rfind("1", 0) == 0) {
    GTEST_SKIP() << "memory is overcommitted without limit here";
  }
  test::TempDir dir;
  test::Build(R"({"sections": [{"name": "R", "page": 0}], "pages": [{"name": "P"}], "resources": [{"dir": 1, "number": 1, "text": "r"}]})",
              dir.File("t"));
  // A file of four terabytes that takes no room on the disk.
  std::error_code error;
  std::filesystem::resize_file(dir.File("t") + "/res1/res1", uint64_t(1) << 42, error);
  if (error) GTEST_SKIP() << "no sparse files here: " << error.message();
  test::RuntimeFixture f({.messagesPath = Messages(dir)});
  TitleFiles& files = f.runtime().titleFiles;
  ASSERT_EQ(files.OpenTitle(dir.File("t")), TitleProblem::None);
  EXPECT_FALSE(files.cache().LoadResource(0, 1, 1, resource_kind::STYLED_TEXT));
  EXPECT_TRUE(Has(f.TraceText(), "message generr5")) << f.TraceText();
  EXPECT_FALSE(files.cache().slot(0).used);
#endif
}

TEST(TitleFiles, TheCacheHoldsFiftyResources) {
  test::TempDir dir;
  test::Build(R"({"sections": [{"name": "R", "page": 0}], "pages": [{"name": "P"}], "resources": [{"dir": 1, "number": 1, "text": "r"}]})",
              dir.File("t"));
  test::RuntimeFixture f({.messagesPath = Messages(dir)});
  TitleFiles& files = f.runtime().titleFiles;
  ASSERT_EQ(files.OpenTitle(dir.File("t")), TitleProblem::None);
  for (int i = 0; i < kCacheSlots; ++i) {
    const auto slot = files.cache().FindFreeSlot();
    ASSERT_EQ(slot, i);
    ASSERT_TRUE(files.cache().LoadResource(*slot, 1, 1, resource_kind::STYLED_TEXT));
  }
  EXPECT_FALSE(files.cache().FindFreeSlot());
  EXPECT_TRUE(Has(f.TraceText(), "message generr7: cache full"));
}

TEST(TitleFiles, LinksOpenTheSiblingTitleUnderscoreFirst) {
  test::TempDir dir;
  const std::string titles = R"({"titles": [
      {"directory": "_moss", "pages": [{"name": "Home"}], "sections": [
        {"name": "Root", "page": "Home"},
        {"name": "ToFar", "link": {"dir": 2, "number": 1, "page": "Far", "title": "!other"}},
        {"name": "ToNowhere", "link": {"dir": 2, "number": 2, "page": "Gone", "title": "!other"}},
        {"name": "Lost", "link": {"dir": 2, "number": 3, "title": "!lost"}}],
       "resources": [{"dir": 2, "number": 4, "text": "no title named here\r\n"}]},
      {"directory": "!other", "pages": [{"name": "Near"}, {"name": "Far"}], "sections": [
        {"name": "Root", "page": "Near"}, {"name": "Far", "page": "Far"}]}]})";
  test::Build(titles, dir.path());
  test::RuntimeFixture f({.messagesPath = Messages(dir)});
  TitleFiles& files = f.runtime().titleFiles;
  ASSERT_EQ(files.OpenTitle(dir.File("_moss")), TitleProblem::None);
  EXPECT_TRUE(files.FollowLink((2u << 16) | 1, "Far"));
  EXPECT_EQ(files.shortName(), "!other");
  EXPECT_EQ(f.runtime().pages.CurrentPageName(), "Far");

  // An unknown page starts the title at its first section, and the link counts as failed.
  ASSERT_EQ(files.OpenTitle(dir.File("_moss")), TitleProblem::None);
  f.ClearTrace();
  EXPECT_FALSE(files.FollowLink((2u << 16) | 2, "Gone"));
  EXPECT_EQ(files.shortName(), "!other");
  EXPECT_EQ(f.runtime().pages.CurrentPageName(), "Near");

  ASSERT_EQ(files.OpenTitle(dir.File("_moss")), TitleProblem::None);
  EXPECT_FALSE(files.FollowLink((2u << 16) | 3, ""));
  EXPECT_TRUE(Has(f.TraceText(), "message crierr8: title " + dir.File("!lost") + " not found"));
  EXPECT_EQ(files.shortName(), "_moss") << "a failed link leaves the title as it was";
  EXPECT_FALSE(files.FollowLink((2u << 16) | 4, ""));  // no "!" in the line
  EXPECT_FALSE(files.FollowLink((2u << 16) | 9, ""));
  EXPECT_TRUE(Has(f.TraceText(), "message crierr9: link " + dir.File("_moss/res2/res9")));

  // A sibling whose name begins with "_" wins over one with "!".
  test::Build(R"({"pages": [{"name": "Far"}], "sections": [{"name": "R", "page": "Far"}]})",
              dir.File("_other"));
  ASSERT_EQ(files.OpenTitle(dir.File("_moss")), TitleProblem::None);
  EXPECT_TRUE(files.FollowLink((2u << 16) | 1, "Far"));
  EXPECT_EQ(files.shortName(), "_other");

  // With diagnostics off the paths stay hidden.
  test::RuntimeFixture quiet({.commandLine = "-D ", .messagesPath = Messages(dir)});
  ASSERT_EQ(quiet.runtime().titleFiles.OpenTitle(dir.File("_moss")), TitleProblem::None);
  EXPECT_FALSE(quiet.runtime().titleFiles.FollowLink((2u << 16) | 3, ""));
  EXPECT_TRUE(Has(quiet.TraceText(), "message crierr27: generic"));
  EXPECT_FALSE(Has(quiet.TraceText(), "crierr8"));
}

TEST(TitleFiles, MalformedAuthorfilesGiveTheirKeysOrReadAsFarAsTheyGo) {
  test::TempDir dir;
  test::Build(R"({"magic": "Xuth", "pages": [{"name": "P"}]})", dir.File("magic"));
  test::Build(R"({"version": 102, "sections": [{"name": "R", "page": 0}], "pages": [{"name": "P"}]})", dir.File("newer"));
  test::Build(R"({"lastPage": 40, "pages": [{"name": "A", "length": 2147483632}, {"name": "B"}]})",
              dir.File("huge"));
  test::Build(R"({"pages": [{"name": "A", "objects": [{"name": "O", "type": "rectangle"},
                  {"name": "Z", "type": "hotspot", "length": 0},
                  {"name": "Y", "type": "hotspot"}]}],
                  "sections": [{"name": "R", "page": 0, "parent": 1},
                               {"name": "S", "page": 0, "parent": 0}],
                  "sectionCount": 100})",
              dir.File("loops"));
  // A title a person opens is refused with its reason and no keyed box (the one who chose it
  // is told in one box); a title a link leads to reports by key: two boxes, then the version
  // question twice.
  test::RuntimeFixture f(
      {.messagesPath = Messages(dir), .events = "answer ok\nanswer ok\nanswer no\nanswer yes\n"});
  TitleFiles& files = f.runtime().titleFiles;
  EXPECT_EQ(files.OpenTitle(dir.File("magic")), TitleProblem::NotAnAuthorfile);
  EXPECT_EQ(files.OpenTitle(dir.File("nowhere/authorfi")), TitleProblem::Missing);
  EXPECT_EQ(files.OpenTitle(dir.File("magic/nothing-here")), TitleProblem::NotAnAuthorfile);
  EXPECT_FALSE(Has(f.TraceText(), "message crierr"));
  EXPECT_FALSE(files.LoadAuthorfile(dir.File("magic/authorfi")));
  EXPECT_TRUE(Has(f.TraceText(), "message crierr4: crierr4"));
  EXPECT_FALSE(files.LoadAuthorfile(dir.File("nowhere/authorfi")));
  EXPECT_TRUE(Has(f.TraceText(), "message crierr5: crierr5"));

  EXPECT_EQ(files.OpenTitle(dir.File("newer")), TitleProblem::Declined);  // answered no
  EXPECT_NE(files.OpenTitle(dir.File("newer")), TitleProblem::Declined);  // and yes
  ASSERT_TRUE(files.loaded());
  EXPECT_EQ(files.image().Version(), 102);

  // Without a whole page the title cannot show anything: refused, but still readable as a link.
  EXPECT_EQ(files.OpenTitle(dir.File("huge")), TitleProblem::Damaged);
  EXPECT_FALSE(files.loaded());
  ASSERT_TRUE(files.LoadAuthorfile(dir.File("huge/authorfi")));
  EXPECT_EQ(files.image().PageCount(), 0u) << "page 0 claims more than the file holds";
  EXPECT_FALSE(files.image().PageRecord(40));

  ASSERT_EQ(files.OpenTitle(dir.File("loops")), TitleProblem::None);
  const AuthorfileImage& image = files.image();
  EXPECT_EQ(image.Objects(*image.PageRecord(0)).size(), 1u) << "walking stops at length 0";
  EXPECT_EQ(image.SectionLastIndex(), 1u);
  EXPECT_EQ(image.SectionNameSearchCount(), 2u);
  EXPECT_EQ(image.FindSectionByPageName("A"), 0u);
}

}  // namespace
}  // namespace zd
