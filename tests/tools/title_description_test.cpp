// The JSON forms of description values, and descriptions written back by zdinfo's emitter: what
// a user types and what zdinfo prints must mean the same bytes.
#include <gtest/gtest.h>

#include "base/byte_view.h"
#include "titlekit/authorfile_writer.h"
#include "titlekit/description_error.h"
#include "titlekit/description_json.h"
#include "titlekit/hex_text.h"
#include "titlekit/json_print.h"
#include "support/test_support.h"

namespace zd::titlekit {
namespace {

Json J(const char* text) { return Json::parse(text); }

std::string ErrorOf(const char* description) {
  try {
    ParseDescriptionText(description, ".");
  } catch (const DescriptionError& e) {
    return e.what();
  }
  return "no error";
}

TEST(TitleDescription, ValueFormsMeanTheWordsOfTheTitleData) {
  EXPECT_EQ(ToColour(J(R"("#112233")"), "c"), 0x33221100u);
  EXPECT_EQ(ToColour(J(R"("none")"), "c"), NONE);
  EXPECT_EQ(ToColour(J(R"("inherit")"), "c"), 0x02000000u);
  EXPECT_EQ(ToColour(J(R"("0x12345678")"), "c"), 0x12345678u);
  EXPECT_EQ(ToColour(J("-1"), "c"), NONE);
  EXPECT_THROW(ToColour(J(R"("red")"), "c"), DescriptionError);
  for (uint32_t colour : {0x33221100u, NONE, 0x12345678u, 0u}) {
    EXPECT_EQ(ToColour(ColourToJson(colour), "c"), colour) << colour;
  }

  EXPECT_EQ(ToU32(J("4294967295"), "n"), NONE);
  EXPECT_EQ(ToU32(J("-2147483648"), "n"), 0x80000000u);
  EXPECT_THROW(ToU32(J("4294967296"), "n"), DescriptionError);
  EXPECT_THROW(ToU32(J("-2147483649"), "n"), DescriptionError);
  EXPECT_THROW(ToU32(J("1.5"), "n"), DescriptionError);
  EXPECT_EQ(ToU16(J("-1"), "n"), 0xFFFF);
  EXPECT_THROW(ToU16(J("65536"), "n"), DescriptionError);
  EXPECT_EQ(ToU32(WordToJson(0xFFFFFFF0u), "n"), 0xFFFFFFF0u);

  EXPECT_EQ(ToFlags(J(R"(["visible", "triggered", 4096])"), "f", kObjectFlagNames), 0x1081u);
  EXPECT_EQ(ToFlags(J("6"), "f", kObjectFlagNames), 6u);
  EXPECT_EQ(ToFlags(FlagsToJson(0x80001003u, kObjectFlagNames), "f", kObjectFlagNames), 0x80001003u);
  EXPECT_THROW(ToFlags(J(R"(["visibel"])"), "f", kObjectFlagNames), DescriptionError);

  // Pixels turn into title units exactly and back.
  const Box box = PixelsToBox(J("[10, 20, 110, 70]"), "p");
  EXPECT_EQ(box, (Box{20, 820, 220, 920}));
  const PixelBox p = ToPixels(box);
  EXPECT_EQ(p.left, 10);
  EXPECT_EQ(p.top, 20);
  EXPECT_EQ(p.right, 110);
  EXPECT_EQ(p.bottom, 70);
  EXPECT_EQ(ToBox(J(R"("none")"), "b"), Box{});
  EXPECT_EQ(ToBox(BoxToJson(Box{-1, 2, 3, 4}), "b"), (Box{-1, 2, 3, 4}));

  EXPECT_EQ(ToBytes(J(R"("0a FF 10")"), "b"), std::string("\x0a\xff\x10"));
  EXPECT_EQ(ToBytes(J(R"({"base64": "AAEC/w=="})"), "b"), std::string("\x00\x01\x02\xff", 4));
  EXPECT_THROW(ToBytes(J(R"("abc")"), "b"), DescriptionError);
  EXPECT_THROW(ToBytes(J(R"({"base64": "A*=="})"), "b"), DescriptionError);
  for (size_t n = 0; n < 7; ++n) {
    const std::string bytes = std::string("\xff\x00\x7f\x80\x01\x02\x03", n);
    EXPECT_EQ(FromBase64(ToBase64(bytes)), bytes);
    EXPECT_EQ(FromHex(ToHex(bytes)), bytes);
  }

  // Text becomes code page 1253; bytes without a character travel as hex.
  EXPECT_EQ(ToText(J(R"("Αβγ")"), "t"), "\xc1\xe2\xe3");
  EXPECT_EQ(ToText(TextToJson("\xc1\xff"), "t"), "\xc1\xff");
  EXPECT_EQ(ToText(J(R"("ABCDEFGHIJKL")"), "t", 12), "ABCDEFGHIJKL");
  EXPECT_THROW(ToText(J(R"("ABCDEFGHIJKLM")"), "t", 12), DescriptionError);
}

TEST(TitleDescription, SectionTreesResolveNamesAndChildren) {
  const Description d = ParseDescriptionText(R"({
    "pages": [{"name": "One"}, {"name": "Two"}],
    "sections": [
      {"name": "Root", "page": "One", "children": [
        {"name": "Kid", "page": "Two", "children": [{"name": "Grandkid", "page": 1}]},
        {"name": "Away", "link": {"dir": 2, "number": 3}}]},
      {"name": "Late", "parent": "Kid", "flags": 0}
    ]})", ".");
  const auto& s = *d.titles[0].authorfile.sections;
  ASSERT_EQ(s.size(), 5u);
  EXPECT_EQ(s[0].parent, std::nullopt);
  EXPECT_EQ(s[1].parent, 0u);
  EXPECT_EQ(s[1].page, 1u);
  EXPECT_EQ(s[2].parent, 1u);
  EXPECT_EQ(s[3].parent, 0u);
  EXPECT_EQ(DefaultSectionFlags(s[3]), 8u);
  EXPECT_EQ(s[3].page, NONE);
  EXPECT_EQ(s[4].parent, 1u);
  EXPECT_EQ(s[4].flags, 0u);
  EXPECT_NE(ErrorOf(R"({"sections": [{"name": "A", "children": [{"name": "B", "parent": 0}]}]})")
                .find("sections[0].children[0].parent"),
            std::string::npos);
}

TEST(TitleDescription, TheEmitterLeavesOutDefaultsAndKeepsEverythingElse) {
  ObjectRecord plain;
  plain.type = HOTSPOT;
  plain.name = "Go";
  plain.movieSlot = 0;
  plain.linkColour = 0;
  plain.linkBackground = 0;
  EXPECT_EQ(ObjectToJson(plain).dump(), R"({"name":"Go","type":"hotspot"})");

  // Every field away from its default survives the JSON form, in bytes.
  Page page;
  page.name = "\xd3\xe5\xeb\xdf\xe4\xe1";
  page.flags = 0x21;
  page.time = 7;
  page.background = 0x11223300;
  page.keywordPage = 65535;
  page.keywordField = 2;
  page.objectCount = 9;
  page.eventCount = 4;
  page.styleData = "\x01\x02";
  page.extra = "\x03";
  ObjectRecord text;
  text.type = TEXT;
  text.name = "+Start";
  text.text = "set A%, 1\r\n";
  text.capacity = 30;
  text.fontHeight = 12.25;
  text.fontWidth = 9;
  text.linkColour = NONE;
  text.textFlags = 0x228;
  text.length = 5;
  text.extra = "zz";
  page.objects.push_back(text);
  ObjectRecord movie;
  movie.type = ANIMATION;
  movie.resource = {3, 4};
  movie.movieFlags = 0x10;
  movie.movieSlot = 1;
  page.objects.push_back(movie);
  ObjectRecord raw;
  raw.raw = std::string(100, '\x05');
  page.objects.push_back(raw);
  EventRecord event;
  event.kind = 9;
  event.value = 3;
  event.active = 0x8001;
  page.events.push_back(event);
  page.toolbox = ToolboxSet{};
  page.toolbox->tools.push_back({7, 40, "abc"});
  page.patches.push_back({5, "\xee"});
  const Page again = ParsePage(PageToJson(page), "page");
  EXPECT_EQ(WritePage(again), WritePage(page)) << PageToJson(page).dump();
}

// zdinfo prints descriptions in a compact layout of its own; it must stay the same JSON.
TEST(TitleDescription, PrintedDescriptionsParseBackToTheSameJson) {
  const Json demo = Json::parse(test::ReadFile(test::SourceDir() + "/examples/demo/title.json"));
  EXPECT_EQ(Json::parse(PrettyJson(demo)), demo);
  const Json tricky = J(R"({"a": [], "b": {}, "c": [[1, 2], [3, [4, [5]]]], "d": "x\"y\n",
                           "e": [{"f": null, "g": -1.5e300}], "h": "Ω"})");
  EXPECT_EQ(Json::parse(PrettyJson(tricky)), tricky);
  EXPECT_NE(PrettyJson(demo).find(R"("pixels": [0, 0, 640, 480])"), std::string::npos);
}

}  // namespace
}  // namespace zd::titlekit
