// The authorfile as zdbuild lays it out, read at the offsets the player reads, and read back
// by zdinfo's reader into the same description.
#include <gtest/gtest.h>

#include <random>

#include "base/byte_view.h"
#include "titlekit/authorfile_reader.h"
#include "titlekit/authorfile_writer.h"
#include "titlekit/description_json.h"

namespace zd::titlekit {
namespace {

// One page holding every object type and every event kind, each field given a value of its own.
constexpr const char* kEveryRecord = R"({
  "version": 99,
  "pages": [
    {"name": "Index", "flags": ["full", "back"], "time": 250, "background": "#102030",
     "keywordPage": 7, "keywordField": 3,
     "objects": [
       {"name": "Rect", "type": "rectangle", "box": [10, 20, 30, 40], "plot": "xor", "colour": "#FF8040",
        "flags": ["visible", "timed", "triggered"], "showDelay": 50, "hideDelay": 150, "trigger": "Area1",
        "redraw": 5, "timedState": 0},
       {"name": "Hot", "type": "hotspot", "pixels": [10, 20, 110, 70]},
       {"name": "Pic", "type": "sprite", "resource": [1, 2], "box": [0, 0, 64, 64]},
       {"name": "Draw", "type": "drawing", "resource": {"dir": 3, "number": 4}, "flags": ["visible", "notDrawn"]},
       {"name": "Words", "type": "text", "font": "Trinity.Bold", "fontSize": [12.5, 10],
        "colour": "#010203", "background": "none", "textFlags": ["indent", "frame", "right"],
        "linkColour": "#00FF00", "linkBackground": "inherit", "text": "Γειά <B>σου</B>", "capacity": 40},
       {"name": "Styled", "type": "styledTextResource", "resource": [5, 6], "slot": 9},
       {"name": "Record", "type": "recordDisplay", "labelColour": "#110000", "valueColour": "#001100",
        "background": "#000011", "labelWidth": 12, "pairs": [["Name", "Value"], ["Όνομα", "Τιμή"]]},
       {"name": "Db", "type": "database", "resource": [7, 8], "listField": 2},
       {"name": "Field", "type": "fieldDisplay", "field": 4, "fillColour": "#AABBCC",
        "frameColour": "#CCBBAA", "showName": true, "textFlags": ["frame", "fill"]},
       {"name": "Film", "type": "movie", "resource": [9, 1], "movieFlags": ["wholePage", "sound"], "movieSlot": 1},
       {"name": "Anim", "type": "animation", "resource": [9, 2], "movieFlags": 1},
       {"name": "Noise", "type": "sound", "resource": [9, 3]},
       {"name": "Area1", "type": "area", "box": [0, 0, 100, 100]},
       {"name": "List", "type": "choiceList", "flags": ["visible", "listEmpty"]},
       {"name": "Key", "type": "keywordHotspot", "keyword": -1, "font": "System Font"},
       {"name": "Idle", "type": "noAction"},
       {"name": "Odd", "type": 33, "extra": "a1a2a3"}
     ],
     "events": [
       {"kind": "keypress", "keys": ["space", "return", "anyKey"], "active": ["running"]},
       {"kind": "hotspot", "active": ["running", "finished"]},
       {"kind": "timeout", "delay": 1234, "active": ["finished"]},
       {"kind": "instant"}, {"kind": "escape"}, {"kind": "finish"}, {"kind": "special", "value": 77},
       {"kind": "keyword", "extra": "0102"}
     ],
     "toolbox": {"box": [1200, 880, 1280, 960], "flags": ["noIcon"],
                 "tools": ["calculator", {"tool": "notepad", "extra": "ff"}, 8]},
     "styleData": "00112233"},
    {"name": "?Special", "events": null}
  ],
  "sections": [
    {"name": "Root", "page": "Index", "children": [
      {"name": "Alias", "page": 0, "flags": ["alias"]},
      {"name": "Away", "link": {"dir": 9, "number": 7, "page": "Start"}}
    ]}
  ]
})";

Authorfile Parse(const std::string& json) {
  return ParseDescriptionText(json, ".").titles.at(0).authorfile;
}

TEST(TitleWriter, EveryRecordLiesAtTheOffsetsThePlayerReads) {
  const Authorfile file = Parse(kEveryRecord);
  AuthorfileLayout layout;
  const Bytes bytes = WriteAuthorfile(file, &layout);
  const ByteView v(bytes);
  auto u32 = [&](size_t at) { return *v.U32(at); };

  // Header: magic, version, the page table right after it, the section list last.
  EXPECT_EQ(bytes.substr(0, 4), "Auth");
  EXPECT_EQ(u32(8), 99u);
  EXPECT_EQ(u32(116), 132u);
  EXPECT_EQ(u32(132 + 4), 1u) << "the table's second word is the last page number";
  EXPECT_EQ(u32(128), layout.sectionList);
  EXPECT_EQ(layout.sectionList + 28 + 3 * 76, bytes.size());
  EXPECT_EQ(u32(layout.sectionList), 3u);

  // Page record.
  const size_t page = layout.pages[0].offset;
  EXPECT_EQ(page, 148u);
  EXPECT_EQ(u32(page), layout.pages[0].length);
  EXPECT_EQ(layout.pages[1].offset, page + layout.pages[0].length) << "pages follow each other";
  EXPECT_EQ(v.FixedText(page + 4, 12), "Index");
  EXPECT_EQ(u32(page + 16), 0x21u);
  EXPECT_EQ(u32(page + 20), 250u);
  EXPECT_EQ(u32(page + 24), 17u);
  EXPECT_EQ(u32(page + 40), 0x30201000u) << "colours are 0xBBGGRR00";
  EXPECT_EQ(u32(page + 48), layout.pages[0].toolbox);
  EXPECT_EQ(u32(page + 52), layout.pages[0].eventTable);
  EXPECT_EQ(u32(page + 60), layout.pages[0].style);
  EXPECT_EQ(*v.U16(page + 64), 7);
  EXPECT_EQ(*v.U16(page + 66), 3);
  EXPECT_EQ(bytes.substr(page + layout.pages[0].style, 4), std::string("\x00\x11\x22\x33", 4));

  // Objects: the common part, then each type's data.
  const auto& at = layout.pages[0].objects;
  const size_t rect = page + at[0];
  EXPECT_EQ(at[0], 72u);
  EXPECT_EQ(u32(rect + 12), 0u);
  EXPECT_EQ(u32(rect + 16), 5u);
  EXPECT_EQ(u32(rect + 20), 96u);
  EXPECT_EQ(u32(rect + 24), 0x83u);
  EXPECT_EQ(u32(rect + 28), 50u);
  EXPECT_EQ(u32(rect + 36), 150u);
  EXPECT_EQ(*v.I32(rect + 44), 10);
  EXPECT_EQ(*v.I32(rect + 56), 40);
  EXPECT_EQ(v.FixedText(rect + 60, 12), "Area1");
  EXPECT_EQ(u32(rect + 72), 0u);
  EXPECT_EQ(u32(rect + 88), 3u);
  EXPECT_EQ(u32(rect + 92), 0x4080FF00u);
  const size_t hot = page + at[1];
  EXPECT_EQ(*v.I32(hot + 44), 20) << "pixels (10, 20, 110, 70) are x0 = 2 * left";
  EXPECT_EQ(*v.I32(hot + 48), 820) << "y0 = 2 * (480 - bottom)";
  EXPECT_EQ(*v.I32(hot + 52), 220);
  EXPECT_EQ(*v.I32(hot + 56), 920) << "y1 = 2 * (480 - top)";
  const size_t pic = page + at[2];
  EXPECT_EQ(*v.U16(pic + 88), 2) << "resource number, then directory";
  EXPECT_EQ(*v.U16(pic + 90), 1);
  EXPECT_EQ(u32(pic + 92), NONE) << "no cache slot until the player fills it";
  const size_t text = page + at[4];
  EXPECT_EQ(u32(text + 80), 0x00FF0000u);
  EXPECT_EQ(u32(text + 84), 0x02000000u);
  EXPECT_EQ(v.FixedText(text + 88, 80), "Trinity.Bold");
  EXPECT_EQ(u32(text + 168), 0x40290000u) << "12.5 as a double, high half first";
  EXPECT_EQ(u32(text + 172), 0u);
  EXPECT_EQ(u32(text + 176), 0x40240000u);
  EXPECT_EQ(u32(text + 188), NONE);
  EXPECT_EQ(u32(text + 192), 0x206u);
  EXPECT_EQ(u32(text + 196), 40u);
  EXPECT_EQ(bytes.substr(text + 200, 4), "\xc3\xe5\xe9\xdc") << "Greek text in code page 1253";
  EXPECT_EQ(u32(text + 20), 240u) << "the text field is padded to its capacity";
  EXPECT_EQ(u32(page + at[5] + 196), 0x00050006u) << "directory high, number low";
  EXPECT_EQ(u32(page + at[5] + 200), 9u);
  EXPECT_EQ(u32(page + at[6] + 100), 2u);
  EXPECT_EQ(bytes.substr(page + at[6] + 108, 11), std::string("Name\0Value\0", 11));
  EXPECT_EQ(u32(page + at[7] + 96), 2u);
  EXPECT_EQ(u32(page + at[8] + 196), 4u);
  EXPECT_EQ(u32(page + at[8] + 208), 1u);
  EXPECT_EQ(u32(page + at[9] + 40), 1u);
  EXPECT_EQ(u32(page + at[9] + 96), 3u);
  EXPECT_EQ(u32(page + at[11] + 40), NONE) << "movie objects start without a movie slot";
  EXPECT_EQ(*v.I32(page + at[14] + 196), -1);
  EXPECT_EQ(bytes.substr(page + at[16] + 88, 3), "\xa1\xa2\xa3");

  // Event table: a count, then records of kind, length, activity and the key or delay word.
  const size_t events = page + layout.pages[0].eventTable;
  EXPECT_EQ(u32(events), 8u);
  EXPECT_EQ(u32(events + 12), 0u);
  EXPECT_EQ(u32(events + 16), 24u);
  EXPECT_EQ(*v.U16(events + 20), 1);
  EXPECT_EQ(*v.U16(events + 32), 7);
  EXPECT_EQ(u32(events + 12 + 2 * 24), 2u);
  EXPECT_EQ(*v.U16(events + 12 + 2 * 24 + 8), 2);
  EXPECT_EQ(u32(events + 12 + 2 * 24 + 20), 1234u);
  EXPECT_EQ(u32(events + 12 + 7 * 24 + 4), 26u) << "extra bytes count in the record's length";

  // Toolbox set.
  const size_t tools = page + layout.pages[0].toolbox;
  EXPECT_EQ(u32(tools + 4), 3u);
  EXPECT_EQ(*v.I32(tools + 8), 1200);
  EXPECT_EQ(u32(tools + 24), 1u);
  EXPECT_EQ(u32(tools + 32 + 4), 0u);
  EXPECT_EQ(u32(tools + 44 + 4), 3u);
  EXPECT_EQ(u32(tools + 44 + 8), 13u);
  EXPECT_EQ(u32(tools + 57 + 4), 8u);

  // A page written without an event table keeps its offset word 0.
  EXPECT_EQ(u32(layout.pages[1].offset + 52), 0u);

  // Section entries, including the link entry with no page.
  const size_t entries = layout.sectionList + 28;
  EXPECT_EQ(u32(entries + 40), NONE) << "entry 0 is the root";
  EXPECT_EQ(u32(entries + 76 + 16), 0x40u);
  EXPECT_EQ(u32(entries + 76 + 40), 0u);
  const size_t link = entries + 2 * 76;
  EXPECT_EQ(u32(link + 16), 8u);
  EXPECT_EQ(u32(link + 36), NONE);
  EXPECT_EQ(u32(link + 48), 0x00090007u);
  EXPECT_EQ(v.FixedText(link + 62, 12), "Start");
}

TEST(TitleReader, ReadsEveryRecordBackToTheSameDescription) {
  const Authorfile file = Parse(kEveryRecord);
  const Bytes bytes = WriteAuthorfile(file);
  const AuthorfileReading reading = ReadAuthorfile(bytes);
  EXPECT_TRUE(reading.notes.empty()) << reading.notes.front();
  const Authorfile& back = reading.described;
  ASSERT_FALSE(back.raw);
  ASSERT_EQ(back.pages.size(), 2u);
  for (size_t i = 0; i < 2; ++i) EXPECT_EQ(PageToJson(back.pages[i]), PageToJson(file.pages[i])) << i;
  ASSERT_TRUE(back.sections);
  for (size_t i = 0; i < 3; ++i) {
    EXPECT_EQ(SectionToJson((*back.sections)[i], i), SectionToJson((*file.sections)[i], i)) << i;
  }
  EXPECT_FALSE(back.pageTableOffset || back.sectionListOffset || back.lastPage || back.sectionCount);
}

// Whatever the bytes, reading neither fails nor loops, and the description it gives (in its
// JSON form too) writes the same bytes again.
TEST(TitleReader, DamagedFilesAreDescribedByteForByte) {
  const Bytes good = WriteAuthorfile(Parse(kEveryRecord));
  std::mt19937 random(32);
  for (int round = 0; round < 1000; ++round) {
    Bytes bytes = good;
    const int damage = static_cast<int>(random() % 4);
    if (damage == 0) bytes.resize(random() % bytes.size());
    for (int i = 0; i < 1 + static_cast<int>(random() % 3); ++i) {
      if (bytes.size() < 4) break;
      const size_t at = (random() % (bytes.size() / 4)) * 4;
      const uint32_t word = damage == 1 ? 0 : damage == 2 ? 0xFFFFFFF0u : static_cast<uint32_t>(random() % 400);
      for (int k = 0; k < 4; ++k) bytes[at + k] = static_cast<char>(word >> (8 * k));
    }
    const AuthorfileReading reading = ReadAuthorfile(bytes);
    ASSERT_TRUE(WriteAuthorfile(reading.described) == bytes) << "round " << round;
    Title title;
    title.authorfile = reading.described;
    const Description again = ParseDescription(TitleToJson(title), ".");
    ASSERT_TRUE(WriteAuthorfile(again.titles.at(0).authorfile) == bytes)
        << "round " << round << "\n" << TitleToJson(title).dump();
  }
}

}  // namespace
}  // namespace zd::titlekit
