#include <gtest/gtest.h>

#include <string>
#include <string_view>

#include "base/cp1253.h"
#include "print/sheet_target.h"
#include "print/recording_document.h"

namespace zd {
namespace {

using test::RecordingDocument;

SheetTarget Target(RecordingDocument& document, PointRect area, std::vector<int>* asked = nullptr,
                   int stopAt = 0) {
  SheetTarget target{document, SheetSize{420, 595}, area};
  target.nextSheet = [asked, stopAt](int sheet) {
    if (asked) asked->push_back(sheet);
    return stopAt == 0 || sheet < stopAt;
  };
  return target;
}

std::string Words(int count) {
  std::string text;
  for (int i = 1; i <= count; ++i) text += "w" + std::to_string(i) + " ";
  return text;
}

// The input views `text`, which must outlive it (a literal, or a string kept by the caller).
TextBoxInput TextInput(std::string_view text) {
  TextBoxInput input;
  input.text = text;
  input.font.faceName = "Arial";
  input.font.height = 16;
  return input;
}

TEST(PrintSheetsTest, LongStyledTextRunsOverSheetsWithNothingLostAndItsStyleKept) {
  RecordingDocument document;
  std::vector<int> asked;
  const PointRect area{36, 36, 300, 200};
  SheetTarget target = Target(document, area, &asked);
  const std::string text = "<B>" + Words(400);
  ASSERT_TRUE(PrintStyledTextSheets(target, TextInput(text)));

  ASSERT_GE(document.sheets.size(), 3u);
  // The progress box was asked before every sheet after the first, numbered from 2.
  ASSERT_EQ(asked.size(), document.sheets.size() - 1);
  for (size_t i = 0; i < asked.size(); ++i) EXPECT_EQ(asked[i], int(i) + 2);
  // Every word, in order, once.
  const auto words = document.Words();
  ASSERT_EQ(words.size(), 400u);
  for (int i = 0; i < 400; ++i) EXPECT_EQ(words[size_t(i)], "w" + std::to_string(i + 1));
  for (const auto& sheet : document.sheets) {
    EXPECT_EQ(sheet.widthPt, 420);
    ASSERT_FALSE(sheet.texts.empty());
    for (const auto& t : sheet.texts) {
      EXPECT_GE(t.y, area.y - 1);
      EXPECT_LE(t.y + t.font.sizePt * 1.2, area.y + area.h + 1) << t.text;
      EXPECT_GE(t.x, area.x - 1);
      // Bold from the first tag on, on the last sheet as on the first.
      EXPECT_TRUE(t.font.bold) << t.text;
      EXPECT_EQ(t.font.face, "Arial");
    }
  }
  // Text a learner saw 16 pixels high prints 12 points high (a 96-dpi pixel each).
  EXPECT_NEAR(document.sheets[0].texts[0].font.sizePt * 1.2, 12, 0.01);
}

TEST(PrintSheetsTest, TextKeepsItsColoursUnlessTooLightForThePaper) {
  const auto inkOf = [](uint32_t colour, uint32_t flags) {
    RecordingDocument document;
    SheetTarget target = Target(document, PointRect{36, 36, 300, 200});
    TextBoxInput input = TextInput("Words");
    input.textColour = colour;
    input.background = PaletteColour(0, 0, 128);
    input.flags = flags;
    EXPECT_TRUE(PrintStyledTextSheets(target, input));
    return document.sheets.at(0).texts.at(0).colour;
  };
  EXPECT_EQ(inkOf(PaletteColour(200, 30, 10), 0), (platform::Rgb{200, 30, 10}));
  // White text over a dark page picture would vanish on white paper: it prints black.
  EXPECT_EQ(inkOf(PaletteColour(255, 255, 255), 0), (platform::Rgb{0, 0, 0}));
  // Over the object's own fill it stays as the learner saw it.
  EXPECT_EQ(inkOf(PaletteColour(255, 255, 255), text_flag::FILL), (platform::Rgb{255, 255, 255}));
}

TEST(PrintSheetsTest, StoppedJobsEndAtTheSheetAskedAndEmptyTextsPrintOneBlankSheet) {
  RecordingDocument document;
  SheetTarget target = Target(document, PointRect{36, 36, 300, 200}, nullptr, 2);
  const std::string words = Words(400);
  EXPECT_FALSE(PrintStyledTextSheets(target, TextInput(words)));
  EXPECT_EQ(document.sheets.size(), 1u);
  EXPECT_FALSE(document.open);

  RecordingDocument blank;
  SheetTarget blankTarget = Target(blank, PointRect{36, 36, 300, 200});
  EXPECT_TRUE(PrintStyledTextSheets(blankTarget, TextInput("\xA0hidden text")));
  ASSERT_EQ(blank.sheets.size(), 1u);
  EXPECT_TRUE(blank.sheets[0].texts.empty());
}

TEST(PrintSheetsTest, NotepadPrintsTheChosenPagesWithHeadersAndContinuesLongPages) {
  RecordingDocument document;
  const PointRect area{28, 28, 364, 539};
  SheetTarget target = Target(document, area);
  const std::string header = Utf8ToCp1253("ΣΕΛΙΔΑ %d");
  std::string longText;
  for (int i = 1; i <= 50; ++i) longText += "line" + std::to_string(i) + "\n";
  const std::vector<NotepadSheetPage> pages{{2, "second\tpage"}, {3, ""}, {4, longText}};
  ASSERT_TRUE(PrintNotepadSheets(target, pages, header));

  // Page 3 is empty and left out; page 4's 50 lines of 18 points need two sheets.
  ASSERT_EQ(document.sheets.size(), 3u);
  const auto& first = document.sheets[0].texts;
  ASSERT_EQ(first.size(), 2u);
  EXPECT_EQ(first[0].text, Utf8ToCp1253("ΣΕΛΙΔΑ 2"));
  EXPECT_TRUE(first[0].font.underline);
  EXPECT_EQ(first[0].font.face, "Arial");
  EXPECT_EQ(first[0].font.sizePt, 15);
  EXPECT_EQ(first[0].y, area.y);
  EXPECT_EQ(first[1].text, "second  page");  // the tab reaches column 8
  EXPECT_FALSE(first[1].font.underline);
  EXPECT_NEAR(first[1].y, area.y + 2 * 18, 1e-9);
  EXPECT_EQ(document.sheets[1].texts[0].text, Utf8ToCp1253("ΣΕΛΙΔΑ 4"));
  EXPECT_EQ(document.sheets[2].texts.back().text, "line50");
  int lines = 0;
  for (size_t s = 1; s < 3; ++s) {
    for (const auto& t : document.sheets[s].texts) {
      if (t.text.rfind("line", 0) == 0) ++lines;
      EXPECT_LE(t.y + 18, area.y + area.h + 1e-9);
    }
  }
  EXPECT_EQ(lines, 50);
}

TEST(PrintSheetsTest, NotepadWrapsAtBlanksAndBreaksWordsWiderThanTheSheet) {
  RecordingDocument document;
  // 15-point characters are 7.5 points wide: 10 to a line of 75 points.
  SheetTarget target = Target(document, PointRect{0, 0, 75, 500});
  ASSERT_TRUE(PrintNotepadSheets(target, {{1, "abc defg hij\r\nabcdefghijklmno"}}, "P%d"));
  ASSERT_EQ(document.sheets.size(), 1u);
  std::vector<std::string> lines;
  for (size_t i = 1; i < document.sheets[0].texts.size(); ++i) {
    lines.push_back(document.sheets[0].texts[i].text);
  }
  EXPECT_EQ(lines, (std::vector<std::string>{"abc defg", "hij", "abcdefghij", "klmno"}));

  // Nothing at all to print: no sheet, and the job makes no document.
  RecordingDocument none;
  SheetTarget empty = Target(none, PointRect{0, 0, 75, 500});
  EXPECT_FALSE(PrintNotepadSheets(empty, {{1, " \n\t"}}, "P%d"));
  EXPECT_TRUE(none.sheets.empty());
}

TEST(PrintSheetsTest, PagePictureIsFittedIntoThePrintableArea) {
  RecordingDocument document;
  SheetTarget target = Target(document, PointRect{20, 30, 400, 500});
  platform::RgbImage picture{640, 480, std::vector<uint8_t>(640 * 480 * 3, 7)};
  PrintPictureSheet(target, picture);
  ASSERT_EQ(document.sheets.size(), 1u);
  const auto& sheet = document.sheets[0];
  EXPECT_EQ(sheet.images, 1);
  EXPECT_DOUBLE_EQ(sheet.imageX, 20);
  EXPECT_DOUBLE_EQ(sheet.imageW, 400);
  EXPECT_DOUBLE_EQ(sheet.imageH, 300);
  EXPECT_DOUBLE_EQ(sheet.imageY, 30 + 100);

  // A picture whose pixels are missing is not drawn: the sheet stays empty.
  RecordingDocument broken;
  SheetTarget brokenTarget = Target(broken, PointRect{20, 30, 400, 500});
  PrintPictureSheet(brokenTarget, platform::RgbImage{640, 480, {}});
  ASSERT_EQ(broken.sheets.size(), 1u);
  EXPECT_EQ(broken.sheets[0].images, 0);
}

}  // namespace
}  // namespace zd
