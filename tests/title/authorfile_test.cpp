#include "title/authorfile.h"

#include <gtest/gtest.h>

#include <cstring>

#include "base/cp1253.h"

namespace zd {
namespace {

// A small image builder for bounds tests; whole titles are made with zdbuild elsewhere.
struct Bytes {
  std::vector<uint8_t> b = std::vector<uint8_t>(256, 0);
  Bytes() { std::memcpy(b.data(), "Auth", 4); }
  void Put(size_t at, uint32_t v) {
    if (b.size() < at + 4) b.resize(at + 4);
    for (int i = 0; i < 4; ++i) b[at + i] = uint8_t(v >> (8 * i));
  }
  void Text(size_t at, const std::string& text) {
    if (b.size() < at + text.size()) b.resize(at + text.size());
    std::memcpy(&b[at], text.data(), text.size());
  }
  // A page table at 256 whose bound word is `bound`, then pages of the given record lengths.
  size_t Pages(uint32_t bound, const std::vector<uint32_t>& lengths) {
    Put(116, 256);
    Put(256 + 4, bound);
    size_t at = 256 + 16;
    for (uint32_t length : lengths) {
      Put(at, length);
      if (length < (1u << 20)) b.resize(std::max(b.size(), at + length));  // lies stay lies
      at += length;
    }
    return at;
  }
};

TEST(Authorfile, PagesStopAtTheBoundAndAtRecordsThatDoNotFit) {
  Bytes f;
  f.Pages(1, {100, 100, 100, 100});
  // The bound word plus one pages, no more: numbers 0, 1 and 2.
  EXPECT_EQ(AuthorfileImage(f.b).PageCount(), 3u);
  EXPECT_FALSE(AuthorfileImage(f.b).PageRecord(3));

  Bytes lying;
  lying.Pages(9, {100, 0xFFFFFF00u});  // the second record claims more than the file holds
  EXPECT_EQ(AuthorfileImage(lying.b).PageCount(), 1u);

  Bytes zero;
  zero.Pages(0xFFFFFFFFu, {100, 0});  // a zero length would never move on
  EXPECT_EQ(AuthorfileImage(zero.b).PageCount(), 1u);

  Bytes outside;
  outside.Put(116, 0x7FFFFFF0u);  // the table itself outside the image
  EXPECT_EQ(AuthorfileImage(outside.b).PageCount(), 0u);
  EXPECT_FALSE(AuthorfileImage(outside.b).PageRecord(kNone));
  EXPECT_EQ(AuthorfileImage({'A', 'u'}).PageCount(), 0u);
  EXPECT_FALSE(AuthorfileImage({'A', 'u'}).HasMagic());
}

TEST(Authorfile, ObjectsStopAtZeroLengthsAndAtThePageEnd) {
  Bytes f;
  f.Pages(0, {72 + 100 + 100 + 50});
  const size_t page = 256 + 16;
  f.Put(page + 24, 1000);        // claims a thousand objects
  f.Put(page + 72 + 20, 100);    // object 0
  f.Put(page + 172 + 20, 100);   // object 1
  f.Put(page + 272 + 20, 100);   // object 2 would cross the page's end
  const AuthorfileImage image(f.b);
  EXPECT_EQ(image.Objects(*image.PageRecord(0)).size(), 2u);

  f.Put(page + 172 + 20, 0);
  const AuthorfileImage zero(f.b);
  EXPECT_EQ(zero.Objects(*zero.PageRecord(0)).size(), 1u);
}

TEST(Authorfile, SectionsAreCutToWhatTheImageHolds) {
  Bytes f;
  const size_t pagesEnd = f.Pages(0, {100});
  f.Text(256 + 16 + 4, "Intro");
  const size_t list = pagesEnd;
  f.Put(128, static_cast<uint32_t>(list));
  f.Put(list, 5);  // claims five entries: only two follow
  for (int i = 0; i < 2; ++i) {
    const size_t entry = list + 28 + i * 76;
    f.Text(entry, i == 0 ? "Root" : "First");
    f.Put(entry + 16, i == 0 ? 0 : 4);  // the second can be found by name
    f.Put(entry + 36, i == 0 ? kNone : 0);
    f.Put(entry + 40, i == 0 ? kNone : 0);
  }
  f.b.resize(list + 28 + 2 * 76);
  const AuthorfileImage image(f.b);
  EXPECT_EQ(image.SectionLastIndex(), 1u);
  EXPECT_EQ(image.SectionNameSearchCount(), 2u);
  EXPECT_FALSE(image.SectionEntry(2));
  EXPECT_EQ(image.SectionName(*image.SectionEntry(1)), "First");
  EXPECT_EQ(image.FindSectionByPageName("INTRO"), 1u);
  EXPECT_FALSE(image.FindSectionByPageName("Other"));

  // A list whose count word is the last index: the event search keeps it, the name search
  // reads it as a number of entries.
  f.Put(list, 1);
  const AuthorfileImage exact(f.b);
  EXPECT_EQ(exact.SectionLastIndex(), 1u);
  EXPECT_EQ(exact.SectionNameSearchCount(), 1u);
  EXPECT_FALSE(exact.FindSectionByPageName("Intro"));

  f.Put(128, 0);
  EXPECT_EQ(AuthorfileImage(f.b).SectionLastIndex(), kNone);
}

TEST(Authorfile, FieldsAreWrittenInPlaceOnlyInsideTheImage) {
  Bytes f;
  f.Pages(0, {100});
  AuthorfileImage image(f.b);
  EXPECT_TRUE(image.SetU32(300, 0xAABBCCDD));
  EXPECT_EQ(image.U32(300), 0xAABBCCDDu);
  EXPECT_FALSE(image.SetU32(image.size() - 2, 1));
  EXPECT_FALSE(image.U32(image.size() - 2));
}

}  // namespace
}  // namespace zd
