// A print document that keeps what was drawn on which sheet, with simple font metrics: a cell
// 1.2 times the size, every character half the size wide.
#pragma once

#include <string>
#include <vector>

#include "platform/print/print_service.h"

namespace zd::test {

struct PrintedText {
  double x = 0, y = 0;
  platform::PrintFont font;
  std::string text;
  platform::Rgb colour;
};

struct RecordedSheet {
  double widthPt = 0, heightPt = 0;
  std::vector<PrintedText> texts;
  int images = 0;
  double imageX = 0, imageY = 0, imageW = 0, imageH = 0;
};

class RecordingDocument : public platform::PrintDocument {
 public:
  std::vector<RecordedSheet> sheets;
  bool open = false;

  void BeginSheet(double w, double h) override {
    sheets.push_back({w, h});
    open = true;
  }
  void EndSheet() override { open = false; }
  void DrawImage(const platform::RgbImage&, double x, double y, double w, double h) override {
    RecordedSheet& s = sheets.back();
    ++s.images;
    s.imageX = x, s.imageY = y, s.imageW = w, s.imageH = h;
  }
  platform::PrintFontMetrics Metrics(const platform::PrintFont& font) override {
    return {font.sizePt, font.sizePt * 0.2, font.sizePt * 1.2};
  }
  double TextWidth(const platform::PrintFont& font, std::string_view text) override {
    return double(text.size()) * font.sizePt * 0.5;
  }
  void DrawText(double x, double y, const platform::PrintFont& font, std::string_view text,
                platform::Rgb colour) override {
    sheets.back().texts.push_back({x, y, font, std::string(text), colour});
  }
  void FillRect(double, double, double, double, platform::Rgb) override {}
  void FrameRect(double, double, double, double, platform::Rgb, double) override {}
  void SetClip(double, double, double, double) override {}
  void ResetClip() override {}
  bool Finish(std::string&) override { return true; }

  // Every word drawn, in order, across all sheets.
  std::vector<std::string> Words() const {
    std::vector<std::string> words;
    for (const auto& sheet : sheets) {
      for (const auto& t : sheet.texts) {
        std::string word;
        for (char c : t.text + " ") {
          if (c == ' ') {
            if (!word.empty()) words.push_back(word);
            word.clear();
          } else {
            word += c;
          }
        }
      }
    }
    return words;
  }
};

}  // namespace zd::test
