#include <algorithm>
#include <array>

#include "base/message_format.h"
#include "print/sheet_target.h"

namespace zd {
namespace {

constexpr int kTabColumns = 8;
constexpr double kNotepadFontPt = 15;
constexpr const char* kNotepadFace = "Arial";
const platform::Rgb kBlack{0, 0, 0};

// Character advances of the notepad's font, measured once.
class Advances {
 public:
  Advances(platform::PrintDocument& document, const platform::PrintFont& font) {
    for (int c = 0; c < 256; ++c) {
      const char ch = char(c);
      widths_[size_t(c)] = std::max(document.TextWidth(font, std::string_view(&ch, 1)), 0.0);
    }
  }
  double operator()(char c) const { return widths_[uint8_t(c)]; }

 private:
  std::array<double, 256> widths_{};
};

// Breaks one line into pieces no wider than `width`: after the last blank that fits, or inside
// a word wider than the whole line. The blanks a line breaks at are not printed.
std::vector<std::string> WrapLine(const Advances& advance, const std::string& line, double width) {
  std::vector<std::string> pieces;
  size_t start = 0;
  while (start < line.size()) {
    size_t fit = start;
    double used = 0;
    while (fit < line.size() && used + advance(line[fit]) <= width) used += advance(line[fit++]);
    if (fit == line.size()) {
      pieces.push_back(line.substr(start));
      break;
    }
    if (fit == start) fit = start + 1;  // a character wider than the line: alone
    size_t cut = fit;
    if (line[fit] != ' ') {
      const size_t blank = line.rfind(' ', fit - 1);
      if (blank != std::string::npos && blank > start) cut = blank;
    }
    pieces.push_back(line.substr(start, cut - start));
    start = cut;
    while (start < line.size() && line[start] == ' ') ++start;
  }
  if (pieces.empty()) pieces.emplace_back();
  return pieces;
}

bool HasText(const std::string& text) {
  return std::any_of(text.begin(), text.end(),
                     [](char c) { return c != ' ' && c != '\t' && c != '\r' && c != '\n'; });
}

}  // namespace

std::vector<std::string> ExpandedTextLines(std::string_view text) {
  std::vector<std::string> lines(1);
  for (size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (c == '\r' || c == '\n') {
      if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
      lines.emplace_back();
    } else if (c == '\t') {
      lines.back().append(kTabColumns - lines.back().size() % kTabColumns, ' ');
    } else {
      lines.back() += c;
    }
  }
  return lines;
}

bool PrintNotepadSheets(SheetTarget& target, const std::vector<NotepadSheetPage>& pages,
                        const std::string& headerFormat) {
  platform::PrintDocument& document = target.document;
  platform::PrintFont body{kNotepadFace, kNotepadFontPt};
  platform::PrintFont header = body;
  header.underline = true;
  const double headerHeight = std::max(document.Metrics(header).height, 1.0);
  const double lineHeight = std::max(document.Metrics(body).height, 1.0);
  const Advances advances(document, body);
  const PointRect& area = target.area;
  const double bottom = area.y + area.h;
  int sheet = 0;

  const auto beginSheet = [&]() {
    if (++sheet > kMostSheets) return false;
    if (sheet > 1 && !target.nextSheet(sheet)) return false;
    document.BeginSheet(target.sheet.widthPt, target.sheet.heightPt);
    return true;
  };

  for (const NotepadSheetPage& page : pages) {
    if (!HasText(page.text)) continue;
    if (!beginSheet()) return sheet > kMostSheets;
    document.DrawText(area.x, area.y, header, FormatMessageText(headerFormat, page.number), kBlack);
    double y = area.y + 2 * headerHeight;
    for (const std::string& line : ExpandedTextLines(page.text)) {
      for (const std::string& piece : WrapLine(advances, line, area.w)) {
        // A page longer than a sheet goes on on the next one: no line is lost.
        if (y + lineHeight > bottom && y > area.y) {
          document.EndSheet();
          if (!beginSheet()) return sheet > kMostSheets;
          y = area.y;
        }
        if (!piece.empty()) document.DrawText(area.x, y, body, piece, kBlack);
        y += lineHeight;
      }
    }
    document.EndSheet();
  }
  // No chosen page had text: there is nothing to print, and no empty document is made.
  return sheet > 0;
}

}  // namespace zd
