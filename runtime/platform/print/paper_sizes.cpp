#include "platform/print/paper_sizes.h"

#include <charconv>
#include <cmath>

namespace zd::platform {
namespace {

struct KnownSize {
  const char* name;
  const char* pwgPrefix;  // the media name's class and size name, up to its dimensions
  double widthMm, heightMm;
};

constexpr KnownSize kKnown[] = {
    {"A4", "iso_a4_", 210, 297},         {"Letter", "na_letter_", 215.9, 279.4},
    {"Legal", "na_legal_", 215.9, 355.6}, {"A5", "iso_a5_", 148, 210},
    {"A3", "iso_a3_", 297, 420},         {"B5", "iso_b5_", 176, 250},
};

// Sizes beyond these are no paper any printer takes; media names are print-system data.
constexpr double kMinSideMm = 10, kMaxSideMm = 2000;

bool EqualNoCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; };
    if (lower(a[i]) != lower(b[i])) return false;
  }
  return true;
}

bool ParseDecimal(std::string_view s, double& value) {
  if (s.empty()) return false;
  const auto [ptr, ec] = std::from_chars(s.data(), s.data() + s.size(), value);
  return ec == std::errc() && ptr == s.data() + s.size() && std::isfinite(value);
}

}  // namespace

std::vector<Paper> StandardPapers() {
  std::vector<Paper> papers;
  for (const KnownSize& k : kKnown) papers.push_back({k.name, k.widthMm, k.heightMm});
  return papers;
}

std::optional<Paper> StandardPaper(std::string_view name) {
  for (const KnownSize& k : kKnown) {
    if (EqualNoCase(name, k.name)) return Paper{k.name, k.widthMm, k.heightMm};
  }
  return std::nullopt;
}

std::optional<Paper> PaperFromMediaName(std::string_view pwgName) {
  // class_sizename_WxHunit: the dimensions are the part after the last underscore.
  const size_t lastUnderscore = pwgName.rfind('_');
  if (lastUnderscore == std::string_view::npos || lastUnderscore == 0) return std::nullopt;
  for (const KnownSize& k : kKnown) {
    if (pwgName.substr(0, lastUnderscore + 1) == k.pwgPrefix) {
      return Paper{k.name, k.widthMm, k.heightMm};
    }
  }
  std::string_view dims = pwgName.substr(lastUnderscore + 1);
  double perUnit = 0;
  if (dims.size() > 2 && dims.substr(dims.size() - 2) == "mm") {
    perUnit = 1;
  } else if (dims.size() > 2 && dims.substr(dims.size() - 2) == "in") {
    perUnit = 25.4;
  } else {
    return std::nullopt;
  }
  dims.remove_suffix(2);
  const size_t x = dims.find('x');
  double w = 0, h = 0;
  if (x == std::string_view::npos || !ParseDecimal(dims.substr(0, x), w) ||
      !ParseDecimal(dims.substr(x + 1), h)) {
    return std::nullopt;
  }
  w *= perUnit;
  h *= perUnit;
  if (w < kMinSideMm || h < kMinSideMm || w > kMaxSideMm || h > kMaxSideMm) return std::nullopt;
  // The size's own name: between the class and the dimensions ("custom_photo_..." is "photo").
  const std::string_view head = pwgName.substr(0, lastUnderscore);
  const size_t firstUnderscore = head.find('_');
  std::string name(firstUnderscore == std::string_view::npos ? head : head.substr(firstUnderscore + 1));
  if (name.empty()) name = std::string(pwgName);
  char size[48];
  std::snprintf(size, sizeof size, " (%.0f x %.0f mm)", w, h);
  return Paper{name + size, w, h};
}

double MmToPt(double mm) { return mm * 72.0 / 25.4; }

void SheetSizePt(const PageSetup& setup, double& widthPt, double& heightPt) {
  widthPt = MmToPt(setup.paper.widthMm);
  heightPt = MmToPt(setup.paper.heightMm);
  if (setup.landscape) std::swap(widthPt, heightPt);
}

}  // namespace zd::platform
