// What a job's sheets are drawn into: the document, the sheet's size, the printable area on it,
// and the question asked before every sheet after the first (false: the user stopped the job).
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "graphics/text/styled_text.h"
#include "platform/print/print_service.h"
#include "print/printable_area.h"

namespace zd {

struct SheetTarget {
  platform::PrintDocument& document;
  SheetSize sheet;
  PointRect area;
  std::function<bool(int sheet)> nextSheet = [](int) { return true; };
};

// A job never draws more sheets than this, whatever its text holds.
inline constexpr int kMostSheets = 2000;

// The picture (the page as shown, 640x480) on one sheet, fitted into the printable area with
// its 4:3 shape kept.
void PrintPictureSheet(SheetTarget& target, const platform::RgbImage& picture);

// A text object's marked-up text laid out into the printable area with the styled-text rules,
// continuing on as many sheets as it needs (its style carried from sheet to sheet). False when
// the user stopped the job.
bool PrintStyledTextSheets(SheetTarget& target, const TextBoxInput& input);

// One page of the notepad: its number and its text (code page 1253).
struct NotepadSheetPage {
  int number = 0;
  std::string text;
};
// Each page on a sheet of its own: the header (`headerFormat`, "%d" the page's number) underlined
// at the top, then the text word-wrapped with tabs expanded to 8 columns from two header
// heights below, continued on further sheets when it is longer than one. Pages without text
// are left out. False when the user stopped the job.
bool PrintNotepadSheets(SheetTarget& target, const std::vector<NotepadSheetPage>& pages,
                        const std::string& headerFormat);

// The notepad's text lines as printed: tabs expanded to the next multiple of 8 columns, line
// ends ("\r\n", "\n", "\r") ending lines.
std::vector<std::string> ExpandedTextLines(std::string_view text);

}  // namespace zd
