#include "graphics/text/font_mapping.h"

#include <algorithm>
#include <cmath>
#include <span>

namespace zd {
namespace {

enum class Table { Markup, Single };

struct Family {
  const char* part;
  const char* face;
  uint8_t pitchAndFamily;
  double heightFactor;
  double widthDivisor;  // the width is w divided by this; 0 for no width
};

// Sidney and Corpus are known to marked-up text only.
constexpr Family kMarkupFamilies[] = {
    {"Primary", PRIMARY_CHEYNES_FACE, FF_SWISS_VARIABLE, 1.6, 1.0},
    {"Homerton", "Arial", FF_SWISS_VARIABLE, 1.42, 1.7},
    {"Trinity", "Times New Roman", FF_ROMAN_VARIABLE, 1.4, 2.05},
    {"Sidney", "Symbol", FF_SWISS_VARIABLE, 1.6, 2.05},
    {"Corpus", "Courier New", FF_SWISS_VARIABLE, 1.5, 2.05},
};
constexpr Family kSingleFamilies[] = {
    {"Primary", PRIMARY_CHEYNES_FACE, FF_SWISS_VARIABLE, 1.6, 0},
    {"Homerton", "Arial", FF_SWISS_VARIABLE, 1.42, 1.7},
    {"Trinity", "Times New Roman", FF_ROMAN_VARIABLE, 1.4, 2.05},
};

// Sizes come from title data: a product that leaves int is held at its edge.
int Truncate(double v) {
  if (!std::isfinite(v)) return 0;
  return int(std::clamp(std::trunc(v), -2147483647.0, 2147483647.0));
}

char Lower(char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; }

bool SameIgnoringCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    if (Lower(a[i]) != Lower(b[i])) return false;
  }
  return true;
}

LogicalFont Map(std::string_view description, double h, double w, Table table) {
  LogicalFont font;
  const std::string_view copy = description.substr(0, std::min<size_t>(description.size(), 80));
  bool matched = false;
  size_t start = 0;
  while (start <= copy.size()) {
    size_t end = copy.find('.', start);
    if (end == std::string_view::npos) end = copy.size();
    const std::string_view part = copy.substr(start, end - start);
    start = end + 1;
    if (SameIgnoringCase(part, "Oblique") || SameIgnoringCase(part, "Italic")) {
      font.italic = true;
      continue;
    }
    if (SameIgnoringCase(part, "Bold")) {
      font.weight = FW_BOLD;
      continue;
    }
    const bool system =
        table == Table::Markup ? part == "System Font" : SameIgnoringCase(part, "System Font");
    if (system) {
      font.faceName = ARCSYS_FACE;
      font.pitchAndFamily = FF_MODERN_FIXED;
      font.height = Truncate(h);
      font.width = Truncate(w);
      matched = true;
      continue;
    }
    const auto families = table == Table::Markup ? std::span<const Family>(kMarkupFamilies)
                                                 : std::span<const Family>(kSingleFamilies);
    for (const Family& f : families) {
      if (!SameIgnoringCase(part, f.part)) continue;
      font.faceName = f.face;
      font.pitchAndFamily = f.pitchAndFamily;
      font.height = Truncate(h * f.heightFactor);
      const bool widthSet = table == Table::Single || h != w;
      font.width = widthSet && f.widthDivisor != 0 ? Truncate(w / f.widthDivisor) : 0;
      matched = true;
    }
  }
  if (!matched && table == Table::Single) {
    font.faceName = ARCSYS_FACE;
    font.pitchAndFamily = FF_MODERN_FIXED;
    font.height = Truncate(h);
    font.width = Truncate(w);
  }
  return font;
}

}  // namespace

LogicalFont MapMarkupFont(std::string_view description, double h, double w) {
  return Map(description, h, w, Table::Markup);
}

LogicalFont MapFont(std::string_view description, double h, double w) {
  return Map(description, h, w, Table::Single);
}

}  // namespace zd
