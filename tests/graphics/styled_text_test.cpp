// Styled text: the tags and the style they drive, line-break normalisation, line layout and
// drawing on a device with simple metrics, the anchor click test, the plain text box and
// hostile markup.
#include <gtest/gtest.h>

#include <random>

#include "graphics/text/markup_tags.h"
#include "graphics/text/markup_text.h"
#include "graphics/text/styled_text.h"

namespace zd {
namespace {

// Every character is 10 pixels wide (11 in bold); cells are as high as the font (20 when 0).
class FakeDevice : public TextDevice {
 public:
  struct Run {
    int x, y;
    LogicalFont font;
    std::string text;
    uint32_t colour;
    bool opaque;
    uint32_t background;
  };
  int TextHeight(const LogicalFont& font) override { return font.height > 0 ? font.height : 20; }
  int TextWidth(const LogicalFont& font, std::string_view text) override {
    return int(text.size()) * (font.weight >= FW_BOLD ? 11 : 10);
  }
  void DrawText(int x, int y, const LogicalFont& font, std::string_view text, uint32_t colour,
                bool opaque, uint32_t background, const Rect&) override {
    runs.push_back({x, y, font, std::string(text), colour, opaque, background});
  }
  void FillBox(const Rect& box, uint32_t colour) override { fills.push_back({box, colour}); }
  void FrameBox(const Rect& box, uint32_t colour) override { frames.push_back({box, colour}); }

  const Run* Find(std::string_view text) const {
    for (const Run& r : runs) {
      if (r.text == text) return &r;
    }
    return nullptr;
  }
  std::vector<Run> runs;
  std::vector<std::pair<Rect, uint32_t>> fills, frames;
};

const uint32_t kBlue = PaletteColour(0, 0, 255), kRed = PaletteColour(255, 0, 0),
               kWhite = PaletteColour(255, 255, 255);

TextBoxInput Input(std::string_view text, Rect box = {0, 0, 408, 208}, uint32_t flags = 0) {
  TextBoxInput in;
  in.box = box;  // text area 400 by 200 from (4, 4)
  in.text = text;
  in.flags = flags;
  in.textColour = kBlue;
  in.background = kWhite;
  in.font.height = 20;
  return in;
}

TEST(StyledText, BoldRunsAndTheObjectsOwnWeightAfter) {
  FakeDevice d;
  DrawTextBox(d, Input("a <B>bold</B> c"));
  ASSERT_EQ(d.runs.size(), 3u);
  EXPECT_EQ(d.Find("a ")->font.weight, FW_NORMAL);
  EXPECT_EQ(d.Find("bold")->font.weight, FW_BOLD);
  EXPECT_EQ(d.Find("bold")->x, 4 + 20);
  EXPECT_EQ(d.Find(" c")->font.weight, FW_NORMAL);
  EXPECT_EQ(d.Find(" c")->x, 4 + 20 + 44);
  // STRONG, I, EM, U and STRIKE close in the same way; closing tags without their opening
  // change nothing.
  d.runs.clear();
  DrawTextBox(d, Input("</B><STRONG><I><U><STRIKE>x</STRIKE></U></I></STRONG>y"));
  EXPECT_TRUE(d.Find("x")->font.italic && d.Find("x")->font.underline && d.Find("x")->font.strikeOut);
  EXPECT_EQ(d.Find("x")->font.weight, FW_BOLD);
  EXPECT_EQ(d.Find("y")->font, Input("").font);
}

TEST(StyledText, OneClosingFontRestoresOnlyTheNewestColour) {
  FakeDevice d;
  DrawTextBox(d, Input("<FONT COLOR=RED BKCOLOR=\"#00FF00\">in</FONT>out</FONT>last", {0, 0, 408, 208},
                       text_flag::FILL));
  EXPECT_EQ(d.Find("in")->colour, kRed);
  EXPECT_EQ(d.Find("in")->background, PaletteColour(0, 255, 0));
  EXPECT_TRUE(d.Find("in")->opaque);
  EXPECT_EQ(d.Find("out")->colour, kRed);         // the text colour stays
  EXPECT_EQ(d.Find("out")->background, kWhite);   // the background comes back
  EXPECT_EQ(d.Find("last")->colour, kBlue);       // a second /FONT restores the first record
  // Colours chosen on one line stay on the next.
  d.runs.clear();
  DrawTextBox(d, Input("<FONT COLOR=RED>" + std::string(39, 'r') + " next</FONT>"));
  EXPECT_EQ(d.Find("next")->colour, kRed);
  ASSERT_EQ(d.fills.size(), 1u);
  EXPECT_EQ(d.fills[0].second, kWhite);
}

TEST(StyledText, ColourValues) {
  EXPECT_EQ(ParseColourValue("#333333"), PaletteColour(0x33, 0x33, 0x33));
  EXPECT_EQ(ParseColourValue("#ffffff"), kWhite);
  EXPECT_EQ(ParseColourValue("RED"), kRed);
  EXPECT_EQ(ParseColourValue("GREEN"), PaletteColour(0, 255, 0));
  EXPECT_EQ(ParseColourValue(" = \"BLUE"), kBlue);
  EXPECT_EQ(ParseColourValue("red"), PALETTE_BLACK);
  EXPECT_EQ(ParseColourValue("#12345"), PALETTE_BLACK);
  EXPECT_EQ(ParseColourValue("#12345G"), PALETTE_BLACK);
  EXPECT_EQ(ParseColourValue(""), PALETTE_BLACK);
  // A title's 0xBBGGRR00 word.
  EXPECT_EQ(PaletteColourOfWord(0xFF000000), kBlue);
  EXPECT_EQ(PaletteColourOfWord(0xFFFFFFFF), NO_COLOUR);
}

TEST(StyledText, TagsAndAttributes) {
  const MarkupTag t = ParseTag("font  color = \"#FF0000\" , bkcolor=RED size=3 broken next=1");
  EXPECT_EQ(t.name, "FONT");
  ASSERT_EQ(t.attributes.size(), 3u);
  EXPECT_EQ(t.attributes[0], (std::pair<std::string, std::string>{"COLOR", "#FF0000"}));
  EXPECT_EQ(t.attributes[1], (std::pair<std::string, std::string>{"BKCOLOR", "RED"}));
  EXPECT_EQ(ParseTag("a qse=\"+Go on\"").attributes[0].second, "+Go on");
  EXPECT_TRUE(ParseTag("P ALIGN").attributes.empty());
  EXPECT_TRUE(ParseTag("").name.empty());

  TextStyle base;
  base.font.height = 20;
  base.font.width = 10;
  TextStyle s = base;
  EXPECT_TRUE(ApplyTag("h2 align=right", s, base).fontChanged);
  EXPECT_EQ(s.font.height, 30);
  EXPECT_EQ(s.font.width, 15);
  EXPECT_EQ(s.font.weight, FW_BOLD);
  EXPECT_EQ(s.flags, text_flag::RIGHT);
  ApplyTag("H6", s, base);  // sized from the object's font, not the current one
  EXPECT_EQ(s.font.height, int(20 * 0.7));
  ApplyTag("/H6", s, base);
  ApplyTag("/H2", s, base);
  EXPECT_EQ(s.font, base.font);
  EXPECT_EQ(s.flags, 0u);

  ApplyTag("LEADING PC=150", s, base);
  EXPECT_EQ(s.leading, 150);
  ApplyTag("LEADING PC=0", s, base);
  EXPECT_EQ(s.leading, 100);
  ApplyTag("LEADING PC=99999999999", s, base);
  EXPECT_EQ(s.leading, 10000);
  ApplyTag("/LEADING", s, base);
  ApplyTag("/LEADING", s, base);
  ApplyTag("/LEADING", s, base);
  EXPECT_EQ(s.leading, 100);

  // Anchors: the first attribute names the action; QSH may colour the text itself.
  ApplyTag("A QSH=x COLOR=#00FF00", s, base);
  EXPECT_TRUE(s.inAnchor);
  EXPECT_EQ(s.anchorName, "QSH");
  EXPECT_EQ(s.textColour, PaletteColour(0, 255, 0));
  ApplyTag("A QSEVERYLONGNAME=" + std::string(400, 'v'), s, base);
  EXPECT_EQ(s.anchorName.size(), MAX_ANCHOR_NAME);
  EXPECT_EQ(s.anchorValue.size(), 255u - 18);  // the tag itself is cut to 255 characters
  ApplyTag("/A", s, base);
  EXPECT_FALSE(s.inAnchor);
  EXPECT_EQ(s.textColour, 0u);

  // The stack keeps the newest records only.
  for (int i = 0; i < 1000; ++i) ApplyTag("B", s, base);
  EXPECT_EQ(s.stack.size(), MAX_STYLE_RECORDS);
}

TEST(StyledText, LinkColours) {
  TextBoxInput in = Input("<A QSE=x>link</A>after");
  in.linkColour = kRed;
  in.linkBackground = PALETTE_BLACK;  // the background as it is
  FakeDevice d;
  DrawTextBox(d, in);
  EXPECT_EQ(d.Find("link")->colour, kRed);
  EXPECT_EQ(d.Find("link")->background, kWhite);
  EXPECT_EQ(d.Find("after")->colour, 0u);  // closing an anchor leaves black
  in.linkColour = PALETTE_BLACK;           // the text colour
  in.linkBackground = NO_COLOUR;           // black
  d.runs.clear();
  DrawTextBox(d, in);
  EXPECT_EQ(d.Find("link")->colour, kBlue);
  EXPECT_EQ(d.Find("link")->background, PALETTE_BLACK);

  // COLOR makes an anchor without changing the colours; its run still answers clicks.
  in.text = "<COLOR QSE=x>quiet</COLOR><U><A QSE=y>a</A>b</U>c";
  in.linkColour = kRed;
  d.runs.clear();
  DrawTextBox(d, in);
  EXPECT_EQ(d.Find("quiet")->colour, kBlue);
  EXPECT_EQ(DrawTextBox(d, in, std::pair{10, 10})->name, "QSE");
  // "/A" takes the underline off without choosing the font again: only "/U" does.
  EXPECT_EQ(d.Find("a")->colour, kRed);
  EXPECT_TRUE(d.Find("b")->font.underline);
  EXPECT_FALSE(d.Find("c")->font.underline);
}

TEST(StyledText, LineBreakNormalisation) {
  EXPECT_EQ(NormalizeMarkupBreaks("a<P>b"), "a\n<P>\nb");
  EXPECT_EQ(NormalizeMarkupBreaks("a<P><P>b"), "a\n<P><P>\nb");
  EXPECT_EQ(NormalizeMarkupBreaks("a<p>\n\n<P>b"), "a\n<p>\n\n<P>\nb");
  EXPECT_EQ(NormalizeMarkupBreaks("<P>a"), "<P>a");
  EXPECT_EQ(NormalizeMarkupBreaks("x<P>\ny"), "x\n<P>\ny");
  EXPECT_EQ(NormalizeMarkupBreaks("a<BR>b<br>"), "a\n<BR>b\n<br>");
  EXPECT_EQ(NormalizeMarkupBreaks("a<CENTER>b</CENTER>c"), "a\n<CENTER>b\n</CENTER>c");
  EXPECT_EQ(NormalizeMarkupBreaks("t<H1 ALIGN=CENTER>Head</H1>r"), "t\n<H1 ALIGN=CENTER>\nHead\n</H1>\nr");
  EXPECT_EQ(NormalizeMarkupBreaks("a<B>b</B>c<P"), "a<B>b</B>c<P");
}

TEST(StyledText, StripMarkupForExport) {
  EXPECT_EQ(StripMarkup("a<B>b</B><BR>c\rd<P>e</H2>f</P>g<unfinished"), "ab\r\nc\nd\r\ne\r\nfg");
  EXPECT_EQ(StripMarkup("<A QSE=x>link</A>"), "link");
  EXPECT_EQ(MarkupEnd("a<b>c<d"), 5u);
  EXPECT_EQ(MarkupEnd("a<b>c>d"), 7u);
}

TEST(StyledText, LayoutAlignmentAndClipping) {
  FakeDevice d;
  // The area is 400 wide: 40 characters a line.
  DrawTextBox(d, Input("   first line\n<CENTER>mid\n</CENTER><P ALIGN=RIGHT>right</P>"));
  EXPECT_EQ(d.Find("first line")->x, 4);  // leading blanks are skipped
  EXPECT_EQ(d.Find("first line")->y, 4);
  EXPECT_EQ(d.Find("mid")->x, 4 + (400 - 30) / 2);
  EXPECT_EQ(d.Find("mid")->y, 24);
  EXPECT_EQ(d.Find("right")->x, 404 - 50);

  // A word wider than the area stands on a line of its own, and layout goes on after it.
  d.runs.clear();
  DrawTextBox(d, Input("ab " + std::string(60, 'w') + " cd ef"));
  ASSERT_EQ(d.runs.size(), 3u);
  EXPECT_EQ(d.runs[0].text, "ab");
  EXPECT_EQ(d.runs[1].text, std::string(60, 'w'));
  EXPECT_EQ(d.runs[1].y, 24);
  EXPECT_EQ(d.runs[2].text, "cd ef");
  EXPECT_EQ(d.runs[2].y, 44);

  // Indent, frame, fill; lines below the area are not drawn.
  d = FakeDevice();
  std::string many;
  for (int i = 0; i < 50; ++i) many += "line\n";
  DrawTextBox(d, Input(many, {0, 0, 408, 208}, text_flag::INDENT | text_flag::FRAME | text_flag::FILL));
  EXPECT_EQ(d.runs[0].x, 26);
  EXPECT_EQ(d.runs.size(), 10u);
  EXPECT_EQ(d.frames.size(), 1u);
  EXPECT_EQ(d.frames[0].second, kBlue);
  EXPECT_EQ(d.fills.size(), 1u);

  // Leading: 150 percent of the line height.
  d.runs.clear();
  DrawTextBox(d, Input("<LEADING PC=150>a\nb"));
  EXPECT_EQ(d.Find("b")->y, 4 + 30);

  // Empty lines take the height of a space in the style of their end.
  d.runs.clear();
  DrawTextBox(d, Input("<H1>\nbig\n</H1>\nafter"));
  EXPECT_EQ(d.Find("big")->y, 4 + 40);
  EXPECT_EQ(d.Find("big")->font.height, 40);
  EXPECT_EQ(d.Find("after")->y, 4 + 40 + 40 + 20);
}

TEST(StyledText, VerticalCentring) {
  FakeDevice d;
  // Three lines of 20 in an area 100 high start 20 below its top.
  DrawTextBox(d, Input("a\nb\nc", {0, 0, 408, 108}, text_flag::VCENTRE));
  EXPECT_EQ(d.Find("a")->y, 4 + 20);
  EXPECT_EQ(d.Find("c")->y, 4 + 60);

  // Ten lines of 20 and a taller one centred in an area 100 high: the first lines lie above
  // the area and are not drawn, but still push the lines after them down.
  d = FakeDevice();
  DrawTextBox(d, Input("<H1>big</H1>\na\nb\nc\nd\ne\nf\ng\nh\ni\nj", {0, 0, 408, 108}, text_flag::VCENTRE));
  EXPECT_EQ(d.Find("big"), nullptr);
  EXPECT_EQ(d.Find("a"), nullptr);
  ASSERT_NE(d.Find("b"), nullptr);
  EXPECT_EQ(d.Find("b")->y, 4);
  EXPECT_EQ(d.Find("f")->y, 84);
  EXPECT_EQ(d.Find("g"), nullptr);
}

TEST(StyledText, FirstByteA0DrawsNothingButAnswersClicks) {
  FakeDevice d;
  const std::string text = "\xA0<A QSL=go>click</A>";
  EXPECT_FALSE(DrawTextBox(d, Input(text)));
  EXPECT_TRUE(d.runs.empty());
  EXPECT_TRUE(d.fills.empty());
  // "\xA0" is 10 wide: the anchor runs from x 14 to 64 on the first line.
  const auto hit = DrawTextBox(d, Input(text), std::pair{20, 10});
  ASSERT_TRUE(hit);
  EXPECT_EQ(hit->name, "QSL");
  EXPECT_EQ(hit->value, "go");
  EXPECT_EQ(hit->text, "click");
  EXPECT_FALSE(DrawTextBox(d, Input(text), std::pair{10, 10}));  // not in the anchor
  EXPECT_FALSE(DrawTextBox(d, Input(text), std::pair{20, 30}));  // below the line
  EXPECT_TRUE(d.runs.empty());
}

TEST(StyledText, PlainTextBoxHighlightsSearchTerms) {
  FakeDevice d;
  TextBoxInput in = Input("the cat sat on the mat-cat catalogue\nend");
  in.linkColour = kRed;
  const std::vector<SearchTerm> terms{{{"dog"}}, {{"cat", "mat"}}};
  EXPECT_EQ(DrawPlainTextBox(d, in, terms), -1);
  // One line of text (the first), then highlights: cat, mat, cat (not in "catalogue").
  ASSERT_GE(d.runs.size(), 5u);
  EXPECT_EQ(d.runs[0].text, "the cat sat on the mat-cat catalogue");
  EXPECT_EQ(d.runs[0].y, 5);  // proportional fonts sit one pixel lower
  int highlights = 0;
  for (const auto& r : d.runs) {
    if (r.colour == kRed) {
      ++highlights;
      EXPECT_FALSE(r.opaque);
    }
  }
  EXPECT_EQ(highlights, 3);
  EXPECT_EQ(d.runs.back().text, "end");
  d.runs.clear();
  EXPECT_EQ(DrawPlainTextBox(d, in, terms, std::pair{4 + 45, 10}), 1);  // on "cat"
  EXPECT_EQ(DrawPlainTextBox(d, in, terms, std::pair{4 + 15, 10}), -1);
  EXPECT_TRUE(d.runs.empty());
  // Words wrap at spaces and after hyphens.
  const std::string hyphened = std::string(35, 'a') + "-bbbbbbbbbb";
  in.text = hyphened;
  DrawPlainTextBox(d, in, {});
  ASSERT_EQ(d.runs.size(), 2u);
  EXPECT_EQ(d.runs[1].text, "bbbbbbbbbb");
}

TEST(StyledText, HostileMarkupDrawsWhatItCan) {
  FakeDevice d;
  // Unterminated tags, attributes without values, a huge tag, deep nesting, a huge leading.
  const std::vector<std::string> texts = {
      "<", ">", "<<<<", "a<B", "<FONT COLOR>x", "<FONT COLOR=\"#12>y", "<A>z</A>",
      "<" + std::string(100000, 'B') + ">w", std::string(5000, ' '),
      [] { std::string s; for (int i = 0; i < 20000; ++i) s += "<B>"; return s + "deep"; }(),
      "<LEADING PC=10000><H1>" + std::string(2000, '\n'), std::string(1, '\0') + "x\r\r\n",
      "<A QSE>a</A><COLOR QSL=x>b</COLOR><P ALIGN=>c<H9>d</SUB></SUP>"};
  for (const std::string& t : texts) {
    d.runs.clear();
    DrawTextBox(d, Input(t, {0, 0, 408, 208}, 0x3FF));
    DrawTextBox(d, Input(t), std::pair{10, 10});
    DrawPlainTextBox(d, Input(t), {{{"B"}}});
    StripMarkup(t);
  }
  // A box too small to hold anything, and boxes larger than any sum of sizes.
  DrawTextBox(d, Input("a b c", {50, 50, 52, 51}, text_flag::VCENTRE));
  const Rect huge{INT32_MIN + 1, INT32_MIN + 1, INT32_MAX, INT32_MAX};
  const std::string runs = [] { std::string s; for (int i = 0; i < 3000; ++i) s += "<B>" + std::string(50, 'w') + "</B>"; return s; }();
  for (const uint32_t flags : {0u, text_flag::VCENTRE | text_flag::CENTRE, text_flag::RIGHT}) {
    d.runs.clear();
    DrawTextBox(d, Input(runs, huge, flags));
    EXPECT_FALSE(d.runs.empty());
    DrawTextBox(d, Input(runs, huge, flags), std::pair{0, 0});
    DrawPlainTextBox(d, Input(runs, huge, flags), {{{"w"}}});
  }

  // Random and mutated markup.
  std::mt19937 random(1253);
  const std::string alphabet = "<>/ =\",#ABFONTCOLRBKPHICSTUEGQLDXabc019\n\r\xA0";
  const std::vector<std::string> seeds = {
      "<FONT COLOR=RED BKCOLOR=#00FF00>x</FONT>", "<A QSE=\"+Go\">go</A>", "<H2 ALIGN=CENTER>h</H2>",
      "<P>a<P><BR><CENTER>c</CENTER>", "<LEADING PC=200>l</LEADING>", "<A QSH=x COLOR=#FFFFFF>q</A>"};
  for (int n = 0; n < 3000; ++n) {
    std::string t;
    if (n % 2) {
      const int length = int(random() % 200);
      for (int i = 0; i < length; ++i) t.push_back(alphabet[random() % alphabet.size()]);
    } else {
      t = seeds[random() % seeds.size()] + seeds[random() % seeds.size()];
      for (int m = 0; m < 4; ++m) t[random() % t.size()] = alphabet[random() % alphabet.size()];
    }
    d.runs.clear();
    DrawTextBox(d, Input(t, {0, 0, 200, 100}, uint32_t(random() & 0x23F)));
    DrawTextBox(d, Input(t), std::pair{int(random() % 200), int(random() % 100)});
    DrawPlainTextBox(d, Input(t), {{{"a", "<"}}});
    const std::string normal = NormalizeMarkupBreaks(t);
    EXPECT_LE(normal.size(), t.size() * 2 + 1);
    EXPECT_LE(StripMarkup(t).size(), t.size() * 2);
  }
}

}  // namespace
}  // namespace zd
