// make_splash OUT.png: draws the splash picture the player shows while it starts and while no
// title is loaded, and writes it as a 256-colour PNG with its own palette (the picture is then
// built into the player). Run by hand when the picture should change; the result is committed.
#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <iostream>
#include <map>
#include <string>
#include <vector>

#include "platform/font_raster.h"
#include "platform/png_codec.h"

namespace {

constexpr int kWidth = 480, kHeight = 360;

struct Colour {
  float r, g, b;
};

Colour Mix(Colour a, Colour b, float t) {
  return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t};
}

class Picture {
 public:
  Picture() : pixels_(size_t(kWidth) * kHeight) {}
  Colour& At(int x, int y) { return pixels_[size_t(y) * kWidth + x]; }
  void Blend(int x, int y, Colour c, float alpha) {
    if (x < 0 || y < 0 || x >= kWidth || y >= kHeight || alpha <= 0) return;
    At(x, y) = Mix(At(x, y), c, std::min(alpha, 1.0f));
  }
  // Text placed with its horizontal centre at cx and its baseline at `baseline`; the fill colour
  // runs from `top` to `bottom` down the glyphs.
  bool Text(const std::string& family, bool bold, int size, const std::string& text, int cx,
            int baseline, Colour top, Colour bottom, float alpha = 1.0f) {
    const auto file = zd::platform::FindFontFile(family, bold, false);
    zd::platform::TextBitmap bitmap;
    std::string error;
    if (!file || !zd::platform::RasteriseText(*file, size, text, true, bitmap, error)) {
      std::cerr << "make_splash: no font for " << family << " " << error << "\n";
      return false;
    }
    const int left = cx - bitmap.width / 2, topY = baseline - bitmap.baseline;
    for (int y = 0; y < bitmap.height; ++y) {
      const Colour c = Mix(top, bottom, float(y) / float(std::max(1, bitmap.height - 1)));
      for (int x = 0; x < bitmap.width; ++x) {
        const float a = bitmap.coverage[size_t(y) * bitmap.width + x] / 255.0f;
        Blend(left + x, topY + y, c, a * alpha);
      }
    }
    return true;
  }
  const std::vector<Colour>& pixels() const { return pixels_; }

 private:
  std::vector<Colour> pixels_;
};

// Reduces the picture to 256 colours by median cut over a 5-bit-per-channel histogram.
std::vector<std::array<uint8_t, 3>> MedianCut(const std::vector<std::array<uint8_t, 3>>& rgb) {
  std::map<uint32_t, uint32_t> histogram;
  for (const auto& p : rgb) histogram[(p[0] >> 3) << 10 | (p[1] >> 3) << 5 | (p[2] >> 3)]++;
  struct Entry {
    int c[3];
    uint32_t count;
  };
  std::vector<Entry> entries;
  for (auto [key, count] : histogram) {
    entries.push_back({{int(key >> 10) & 31, int(key >> 5) & 31, int(key) & 31}, count});
  }
  struct Box {
    size_t begin, end;
  };
  std::vector<Box> boxes{{0, entries.size()}};
  const auto range = [&](const Box& b, int ch) {
    int lo = 31, hi = 0;
    for (size_t i = b.begin; i < b.end; ++i) {
      lo = std::min(lo, entries[i].c[ch]);
      hi = std::max(hi, entries[i].c[ch]);
    }
    return hi - lo;
  };
  while (boxes.size() < 256) {
    size_t best = boxes.size();
    double bestScore = 0;
    int bestChannel = 0;
    for (size_t i = 0; i < boxes.size(); ++i) {
      if (boxes[i].end - boxes[i].begin < 2) continue;
      uint64_t count = 0;
      for (size_t k = boxes[i].begin; k < boxes[i].end; ++k) count += entries[k].count;
      for (int ch = 0; ch < 3; ++ch) {
        const double score = double(range(boxes[i], ch)) * std::sqrt(double(count));
        if (score > bestScore) {
          bestScore = score;
          best = i;
          bestChannel = ch;
        }
      }
    }
    if (best == boxes.size()) break;
    Box box = boxes[best];
    std::sort(entries.begin() + box.begin, entries.begin() + box.end,
              [&](const Entry& a, const Entry& b) { return a.c[bestChannel] < b.c[bestChannel]; });
    uint64_t total = 0, half = 0;
    for (size_t k = box.begin; k < box.end; ++k) total += entries[k].count;
    size_t split = box.begin + 1;
    for (size_t k = box.begin; k < box.end - 1; ++k) {
      half += entries[k].count;
      split = k + 1;
      if (half * 2 >= total) break;
    }
    boxes[best] = {box.begin, split};
    boxes.push_back({split, box.end});
  }
  std::vector<std::array<uint8_t, 3>> palette;
  for (const Box& b : boxes) {
    double sum[3] = {0, 0, 0};
    double count = 0;
    for (size_t k = b.begin; k < b.end; ++k) {
      for (int ch = 0; ch < 3; ++ch) sum[ch] += (entries[k].c[ch] * 8 + 4) * double(entries[k].count);
      count += entries[k].count;
    }
    palette.push_back({uint8_t(sum[0] / count), uint8_t(sum[1] / count), uint8_t(sum[2] / count)});
  }
  return palette;
}

}  // namespace

int main(int argc, char** argv) {
  // The picture carries a line of text and the version, in the player's two languages.
  const bool english = argc == 4 && std::string(argv[2]) == "--lang" && std::string(argv[3]) == "en";
  if (argc != 2 && !english) {
    std::cerr << "usage: make_splash OUT.png [--lang en]\n";
    return 2;
  }
  const char* tagline = english ? "Multimedia titles for learning" : "Τίτλοι πολυμέσων για μάθηση";
  const char* version = english ? "Version 0.1" : "Έκδοση 0.1";
  Picture picture;
  const Colour night{10, 18, 52}, dusk{22, 84, 108}, glow{70, 140, 150};

  // Sky: night blue into a dusk teal, with a soft glow behind the name.
  for (int y = 0; y < kHeight; ++y) {
    for (int x = 0; x < kWidth; ++x) {
      Colour c = Mix(night, dusk, std::min(1.0f, float(y) / (kHeight * 0.75f)));
      const float dx = (x - kWidth / 2) / 200.0f, dy = (y - 150) / 110.0f;
      c = Mix(c, glow, 0.35f * std::exp(-(dx * dx + dy * dy)));
      picture.At(x, y) = c;
    }
  }
  // A few stars in the upper sky, placed by a fixed sequence so the picture is reproducible.
  uint32_t seed = 12345;
  for (int i = 0; i < 70; ++i) {
    seed = seed * 1103515245u + 12345u;
    const int x = int(seed >> 8) % kWidth;
    seed = seed * 1103515245u + 12345u;
    const int y = int(seed >> 8) % 120;
    picture.Blend(x, y, {230, 235, 255}, 0.35f + float(i % 4) * 0.15f);
  }
  // Two rows of mossy hills along the bottom.
  for (int x = 0; x < kWidth; ++x) {
    const float back = 292 + 14 * std::sin(x * 0.018f + 0.8f) + 7 * std::sin(x * 0.051f);
    const float front = 318 + 12 * std::sin(x * 0.013f + 2.4f) + 5 * std::sin(x * 0.067f + 1.0f);
    for (int y = 0; y < kHeight; ++y) {
      if (y >= back) picture.Blend(x, y, Mix({52, 104, 70}, {34, 74, 50}, (y - back) / 60.0f),
                                   std::min(1.0f, y - back + 0.5f));
      if (y >= front) picture.Blend(x, y, Mix({38, 84, 46}, {18, 46, 26}, (y - front) / 42.0f),
                                    std::min(1.0f, y - front + 0.5f));
    }
  }
  // The product name with its shadow, a rule with a diamond, the title's name and the tagline.
  const Colour gold{255, 222, 120}, bronze{206, 138, 44}, shadow{4, 8, 26};
  bool ok = picture.Text("DejaVu Serif", true, 78, "Zendral", kWidth / 2 + 3, 158, shadow, shadow, 0.7f);
  ok = ok && picture.Text("DejaVu Serif", true, 78, "Zendral", kWidth / 2, 155, gold, bronze);
  for (int x = 120; x < kWidth - 120; ++x) {
    const float fade = 1.0f - std::abs(x - kWidth / 2) / 120.0f;
    picture.Blend(x, 178, gold, 0.9f * fade);
  }
  for (int dy = -5; dy <= 5; ++dy) {
    for (int dx = -5; dx <= 5; ++dx) {
      if (std::abs(dx) + std::abs(dy) <= 5) picture.Blend(kWidth / 2 + dx, 178 + dy, gold, 1.0f);
    }
  }
  ok = ok && picture.Text("DejaVu Sans", false, 26, "Mossgate", kWidth / 2, 218, {240, 244, 248},
                          {200, 214, 226});
  ok = ok && picture.Text("DejaVu Sans", false, 15, tagline, kWidth / 2,
                          248, {176, 222, 220}, {150, 200, 200});
  ok = ok && picture.Text("DejaVu Sans", false, 11, version, kWidth - 44, kHeight - 10,
                          {200, 220, 200}, {200, 220, 200}, 0.8f);
  if (!ok) return 1;

  std::vector<std::array<uint8_t, 3>> rgb;
  for (const Colour& c : picture.pixels()) {
    rgb.push_back({uint8_t(std::clamp(c.r, 0.0f, 255.0f)), uint8_t(std::clamp(c.g, 0.0f, 255.0f)),
                   uint8_t(std::clamp(c.b, 0.0f, 255.0f))});
  }
  const auto palette = MedianCut(rgb);
  zd::platform::IndexedImage image;
  image.width = kWidth;
  image.height = kHeight;
  image.paletteSize = static_cast<int>(palette.size());
  for (size_t i = 0; i < palette.size(); ++i) {
    image.palette[i] = {palette[i][0], palette[i][1], palette[i][2]};
  }
  // An ordered dither spreads the gradients' steps, as 256-colour pictures of the time did.
  constexpr int kBayer[4][4] = {{0, 8, 2, 10}, {12, 4, 14, 6}, {3, 11, 1, 9}, {15, 7, 13, 5}};
  for (size_t n = 0; n < rgb.size(); ++n) {
    const int offset = (kBayer[(n / kWidth) % 4][n % 4] - 8) / 2;
    std::array<int, 3> p{};
    for (int ch = 0; ch < 3; ++ch) p[ch] = std::clamp(rgb[n][ch] + offset, 0, 255);
    int best = 0, bestDistance = 1 << 30;
    for (size_t i = 0; i < palette.size(); ++i) {
      const int dr = p[0] - palette[i][0], dg = p[1] - palette[i][1], db = p[2] - palette[i][2];
      const int d = dr * dr + dg * dg + db * db;
      if (d < bestDistance) {
        bestDistance = d;
        best = static_cast<int>(i);
      }
    }
    image.pixels.push_back(static_cast<uint8_t>(best));
  }
  std::string error;
  if (!zd::platform::WritePngIndexed(argv[1], image, error)) {
    std::cerr << "make_splash: " << error << "\n";
    return 1;
  }
  std::cout << "make_splash: wrote " << argv[1] << " (" << palette.size() << " colours)\n";
  return 0;
}
