// make_demo_pictures DIR: draws the pictures of the demo titles (examples/demo/pictures/) and
// writes them as PNG files in the 256 colours pages are shown in, so that zdbuild takes every
// pixel as it is. Run by hand when a picture should change (make demo-pictures); the results
// are committed. The older test pictures (sun, mono, tiles, badge) are not drawn here.
#include <functional>
#include <iostream>
#include <string>
#include <utility>
#include <vector>

#include "demo_canvas.h"

namespace demo_pictures {
namespace {

// ---- Pieces shared by several pictures ----

// The band at the top of every page: a title, a Greek title and a line saying what to do.
void Banner(Picture& p, const std::string& title, const std::string& greek,
            const std::string& hint) {
  p.Bands(0, 0, 640, 76, ink::kNavy, ink::kWater, 4);
  p.Rect(0, 76, 640, 80, ink::kGold);
  p.Text(title, 30, 20, 40, ink::kWhite);
  p.Text(greek, 20, 620, 38, ink::kCream, 1, false);
  p.Text(hint, 15, 20, 66, ink::kPaleSky, -1, false);
}

void Cloud(Picture& p, float cx, float cy, float size) {
  p.Ellipse(cx, cy, size, size * 0.45f, ink::kWhite);
  p.Circle(cx - size * 0.35f, cy - size * 0.25f, size * 0.4f, ink::kWhite);
  p.Circle(cx + size * 0.2f, cy - size * 0.35f, size * 0.5f, ink::kWhite);
}

// A meadow under a sky with a few clouds, below the banner.
void Meadow(Picture& p, float horizon) {
  p.Rect(0, 80, 640, horizon, ink::kSky);
  Cloud(p, 120, 120, 40);
  Cloud(p, 420, 110, 30);
  Cloud(p, 570, 135, 24);
  for (int x = 0; x < 640; x += 2) {
    const float h = horizon - 18 - 14 * std::sin(x * 0.013f + 1.0f) - 6 * std::sin(x * 0.041f);
    p.Rect(float(x), h, float(x + 2), 480, ink::kMoss);
  }
  for (int x = 0; x < 640; x += 2) {
    const float h = horizon + 4 - 8 * std::sin(x * 0.021f + 2.3f);
    p.Rect(float(x), h, float(x + 2), 480, ink::kGrass);
  }
}

void Sun(Picture& p, float cx, float cy, float r) {
  for (int i = 0; i < 12; ++i) {
    const float a = i * kPi / 6;
    p.Line(cx + std::cos(a) * r * 1.2f, cy + std::sin(a) * r * 1.2f, cx + std::cos(a) * r * 1.6f,
           cy + std::sin(a) * r * 1.6f, r * 0.18f, ink::kGold);
  }
  p.Circle(cx, cy, r, ink::kGold);
  p.Circle(cx, cy, r * 0.82f, ink::kSun);
}

void Tree(Picture& p, float x, float ground, float size, Colour crown, Colour dots = {-1, 0, 0}) {
  p.Rect(x - size * 0.12f, ground - size * 0.9f, x + size * 0.12f, ground, ink::kBark);
  p.Circle(x, ground - size * 1.15f, size * 0.55f, crown);
  p.Circle(x - size * 0.35f, ground - size * 0.9f, size * 0.4f, crown);
  p.Circle(x + size * 0.35f, ground - size * 0.9f, size * 0.4f, crown);
  if (dots.r >= 0) {
    for (int i = 0; i < 9; ++i) {
      const float a = i * 2.4f;
      p.Circle(x + std::cos(a) * size * 0.45f * (0.4f + (i % 3) * 0.3f),
               ground - size * 1.05f + std::sin(a) * size * 0.35f, size * 0.08f, dots);
    }
  }
}

void Flower(Picture& p, float cx, float cy, float r, Colour petals, Colour centre, int count = 6) {
  for (int i = 0; i < count; ++i) {
    const float a = i * 2 * kPi / count;
    p.Ellipse(cx + std::cos(a) * r * 0.55f, cy + std::sin(a) * r * 0.55f, r * 0.45f, r * 0.45f,
              petals);
  }
  p.Circle(cx, cy, r * 0.4f, centre);
}

void Stem(Picture& p, float x, float top, float bottom) {
  p.Line(x, top, x, bottom, 2.5f, ink::kLeaf);
}

// A button: a rounded face with a label; `accent` colours the face.
Picture Button(const std::string& label, int width, Colour accent, const std::string& arrow = "") {
  Picture p(width, 44);
  p.RoundRect(2, 4, float(width), 44, 10, ink::kShade);
  p.RoundRect(0, 0, float(width - 3), 40, 10, ink::kDeep);
  p.RoundRect(2, 2, float(width - 5), 38, 8, accent);
  p.RoundRect(4, 4, float(width - 7), 18, 6, Mix(accent, ink::kWhite, 0.35f));
  p.Text(arrow.empty() ? label : label + " " + arrow, 16, (width - 3) / 2.0f, 27, ink::kWhite, 0);
  return p;
}

// A label tag with a little point on its left.
Picture Tag(const std::string& label, const std::string& greek, int width, Colour edge) {
  Picture p(width, 52);
  p.Panel(2, 2, float(width - 6), 46, 8, ink::kCream, edge, 3);
  p.Text(label, 15, (width - 4) / 2.0f, 21, ink::kInk, 0);
  p.Text(greek, 13, (width - 4) / 2.0f, 39, ink::kNavy, 0, false);
  return p;
}

// ---- Icons for the contents cards ----

void IconSeasons(Picture& p, float cx, float cy) {
  const Colour quarter[4] = {ink::kMoss, ink::kSun, ink::kOrange, ink::kPaleSky};
  for (int q = 0; q < 4; ++q) {
    p.Shape(cx - 34, cy - 34, cx + 34, cy + 34, quarter[q], [=](float x, float y) {
      const float dx = x - cx, dy = y - cy;
      if (dx * dx + dy * dy > 32 * 32) return false;
      const float a = std::atan2(dy, dx) + kPi;  // 0 .. 2 pi
      return int(a / (kPi / 2)) % 4 == q;
    });
  }
  p.Line(cx, cy, cx, cy - 26, 4, ink::kInk);
  p.Line(cx, cy, cx + 18, cy + 8, 4, ink::kInk);
  p.Circle(cx, cy, 4, ink::kInk);
}

void IconFlowers(Picture& p, float cx, float cy) {
  Stem(p, cx - 16, cy - 6, cy + 34);
  Stem(p, cx + 18, cy, cy + 34);
  p.Ellipse(cx + 2, cy + 22, 10, 4, ink::kLeaf);
  Flower(p, cx - 16, cy - 12, 22, ink::kPoppy, ink::kInk, 5);
  Flower(p, cx + 18, cy - 2, 18, ink::kWhite, ink::kGold, 8);
}

void IconMap(Picture& p, float cx, float cy) {
  p.Polygon({{cx - 40, cy - 24},
             {cx - 14, cy - 32},
             {cx + 14, cy - 24},
             {cx + 40, cy - 32},
             {cx + 40, cy + 28},
             {cx + 14, cy + 36},
             {cx - 14, cy + 28},
             {cx - 40, cy + 36}},
            ink::kSand);
  p.Line(cx - 14, cy - 32, cx - 14, cy + 28, 1.5f, ink::kBrown);
  p.Line(cx + 14, cy - 24, cx + 14, cy + 36, 1.5f, ink::kBrown);
  for (int i = 0; i < 8; ++i)
    p.Line(cx - 36 + i * 9.5f, cy + 14 - (i % 2) * 8, cx - 27 + i * 9.5f, cy + 6 + (i % 2) * 8, 3,
           ink::kWater);
  p.Circle(cx + 8, cy - 14, 9, ink::kPoppy);
  p.Polygon({{cx + 1, cy - 10}, {cx + 15, cy - 10}, {cx + 8, cy + 4}}, ink::kPoppy);
  p.Circle(cx + 8, cy - 14, 3.5f, ink::kWhite);
}

void IconKeys(Picture& p, float cx, float cy) {
  const auto key = [&](float x, float y, float w, const std::string& label) {
    p.RoundRect(x, y + 3, x + w, y + 31, 5, ink::kShade);
    p.RoundRect(x, y, x + w, y + 28, 5, ink::kGrey);
    p.RoundRect(x + 3, y + 2, x + w - 3, y + 22, 4, ink::kSnow);
    p.Text(label, 13, x + w / 2, y + 17, ink::kInk, 0);
  };
  key(cx - 42, cy - 34, 38, "A");
  key(cx + 4, cy - 34, 38, "↵");
  key(cx - 42, cy + 2, 84, "Space");
}

void IconColours(Picture& p, float cx, float cy) {
  p.Rect(cx - 36, cy - 32, cx + 8, cy + 4, ink::kPoppy);
  p.Rect(cx - 8, cy - 32, cx + 36, cy + 4, ink::kBlue, 0.9f);
  p.Rect(cx - 36, cy - 4, cx + 8, cy + 32, ink::kGrass, 0.9f);
  p.Rect(cx - 8, cy - 4, cx + 36, cy + 32, ink::kSun, 0.9f);
}

void IconPond(Picture& p, float cx, float cy) {
  p.Ellipse(cx, cy + 6, 42, 26, ink::kWater);
  p.Ellipse(cx, cy + 6, 34, 19, ink::kPond);
  p.Shape(cx - 30, cy - 10, cx + 2, cy + 20, ink::kGrass, [=](float x, float y) {
    const float dx = (x - cx + 14) / 15, dy = (y - cy - 6) / 9;
    return dx * dx + dy * dy <= 1 &&
           !(y < cy + 6 && x > cx - 14 && x - (cx - 14) < (cy + 6 - y) * 1.2f);
  });
  // A small frog on the pad.
  p.Ellipse(cx - 14, cy + 1, 9, 6, ink::kLeaf);
  p.Circle(cx - 19, cy - 5, 3.5f, ink::kLeaf);
  p.Circle(cx - 9, cy - 5, 3.5f, ink::kLeaf);
  p.Circle(cx - 19, cy - 5, 1.5f, ink::kInk);
  p.Circle(cx - 9, cy - 5, 1.5f, ink::kInk);
  // A fish.
  p.Ellipse(cx + 16, cy + 10, 10, 5, ink::kOrange);
  p.Polygon({{cx + 24, cy + 10}, {cx + 32, cy + 4}, {cx + 32, cy + 16}}, ink::kOrange);
}

void IconScripts(Picture& p, float cx, float cy) {
  // A sheet of script with a "+" in its corner.
  p.RoundRect(cx - 30, cy - 30, cx + 34, cy + 36, 5, ink::kShade);
  p.RoundRect(cx - 33, cy - 34, cx + 30, cy + 32, 5, ink::kWhite);
  const float widths[] = {40, 28, 44, 22, 34};
  for (int i = 0; i < 5; ++i) {
    p.Rect(cx - 24 + (i % 2) * 8, cy - 22 + i * 10.0f, cx - 24 + (i % 2) * 8 + widths[i],
           cy - 18 + i * 10.0f, i % 2 ? ink::kWater : ink::kNavy);
  }
  p.Circle(cx + 26, cy - 28, 13, ink::kPurple);
  p.Text("+", 20, cx + 26, cy - 21, ink::kWhite, 0);
}

void IconDrawings(Picture& p, float cx, float cy) {
  // A Bézier curve with its two control points and their handles, and a pen.
  const float ax = cx - 38, ay = cy + 22, bx = cx - 20, by = cy - 36;
  const float c2x = cx + 22, c2y = cy + 44, dx = cx + 38, dy = cy - 16;
  p.Line(ax, ay, bx, by, 1.5f, ink::kGrey);
  p.Line(dx, dy, c2x, c2y, 1.5f, ink::kGrey);
  float px = ax, py = ay;
  for (int i = 1; i <= 24; ++i) {
    const float t = i / 24.0f, u = 1 - t;
    const float x = u * u * u * ax + 3 * u * u * t * bx + 3 * u * t * t * c2x + t * t * t * dx;
    const float y = u * u * u * ay + 3 * u * u * t * by + 3 * u * t * t * c2y + t * t * t * dy;
    p.Line(px, py, x, y, 4, ink::kWater);
    px = x, py = y;
  }
  for (const auto& [x, y] : {std::array<float, 2>{ax, ay}, {dx, dy}}) {
    p.Rect(x - 4, y - 4, x + 4, y + 4, ink::kNavy);
  }
  p.Circle(bx, by, 4, ink::kPoppy);
  p.Circle(c2x, c2y, 4, ink::kPoppy);
  // The pen, nib down towards the curve's end.
  p.Polygon({{cx + 10, cy - 40}, {cx + 18, cy - 46}, {cx + 44, cy - 20}, {cx + 36, cy - 14}},
            ink::kGold);
  p.Polygon({{cx + 36, cy - 14}, {cx + 44, cy - 20}, {cx + 46, cy - 8}}, ink::kInk);
}

// A contents card: 140 x 120 with its shadow, the panel 134 x 114.
Picture Card(const std::string& label, const std::string& greek,
             void (*icon)(Picture&, float, float), Colour accent) {
  Picture p(140, 120);
  p.Panel(0, 0, 134, 114, 12, ink::kCream, accent, 4);
  p.Rect(4, 78, 130, 81, Mix(accent, ink::kWhite, 0.5f));
  icon(p, 67, 40);
  p.Text(label, 15, 67, 97, ink::kInk, 0);
  p.Text(greek, 11, 67, 108, ink::kNavy, 0, false);
  return p;
}

// ---- The pages' pictures ----

Picture Contents() {
  Picture p(640, 480);
  p.Rect(0, 0, 640, 480, ink::kSky);
  Cloud(p, 70, 50, 34);
  Cloud(p, 20, 190, 22);
  Cloud(p, 630, 180, 26);
  Sun(p, 584, 64, 28);
  for (int x = 0; x < 640; x += 2) {
    const float h = 410 - 16 * std::sin(x * 0.012f + 0.5f) - 7 * std::sin(x * 0.047f);
    p.Rect(float(x), h, float(x + 2), 480, ink::kMoss);
    const float h2 = 440 - 8 * std::sin(x * 0.02f + 2.0f);
    p.Rect(float(x), h2, float(x + 2), 480, ink::kGrass);
  }
  for (int i = 0; i < 14; ++i) {
    const float x = 20 + i * 46.0f + (i % 3) * 7, y = 452 + (i % 2) * 10;
    Stem(p, x, y, y + 16);
    Flower(p, x, y, 10,
           i % 3 == 0   ? ink::kPoppy
           : i % 3 == 1 ? ink::kWhite
                        : ink::kBlue,
           ink::kGold, 5);
  }
  p.OutlinedText("The Meadow", 46, 320, 74, ink::kCream, ink::kDeep);
  p.Text("Το Λιβάδι  ·  a small Zendral demo title", 18, 320, 108, ink::kDeep, 0, false);
  p.Text("Click a picture to open its part of the title", 15, 320, 136, ink::kNavy, 0, false);
  return p;
}

Picture SeasonsBackground() {
  Picture p(640, 480);
  Banner(p, "The seasons", "Οι εποχές",
         "They appear one after another, then the page moves on by itself.");
  p.Bands(80, 80, 640, 480, ink::kPaper, ink::kSand, 4);
  p.Rect(0, 80, 640, 480, ink::kPaper);
  p.Bands(0, 300, 640, 480, ink::kPaper, ink::kSand, 6);
  for (int i = 0; i < 4; ++i) {
    const float x = 16 + i * 156.0f;
    p.RoundRect(x, 104, x + 140, 316, 12, ink::kSand);
    p.Text(std::to_string(i + 1), 40, x + 70, 226, ink::kPaper, 0);
  }
  return p;
}

Picture Season(int which) {
  static const char* kNames[] = {"Spring", "Summer", "Autumn", "Winter"};
  static const char* kGreek[] = {"Άνοιξη", "Καλοκαίρι", "Φθινόπωρο", "Χειμώνας"};
  const Colour skies[] = {ink::kPaleSky, ink::kSky, Hex(0xFFBB77), Hex(0xBBBBDD)};
  const Colour grounds[] = {ink::kGrass, ink::kMoss, Hex(0xBB7722), ink::kSnow};
  Picture p(140, 212);
  p.RoundRect(0, 0, 140, 212, 12, ink::kDeep);
  p.Shape(3, 3, 137, 160, skies[which], [](float, float) { return true; });
  p.Rect(3, 120, 137, 160, grounds[which]);
  switch (which) {
    case 0:
      Tree(p, 70, 130, 60, ink::kGrass, ink::kPink);
      Flower(p, 24, 140, 9, ink::kWhite, ink::kGold);
      Flower(p, 116, 146, 9, ink::kSun, ink::kOrange);
      break;
    case 1:
      Sun(p, 104, 36, 16);
      Tree(p, 56, 132, 58, ink::kLeaf);
      break;
    case 2:
      Tree(p, 70, 130, 60, ink::kOrange, ink::kPoppy);
      for (int i = 0; i < 6; ++i) p.Ellipse(18 + i * 20.0f, 144 + (i % 2) * 6, 6, 3, ink::kGold);
      break;
    default:
      p.Rect(64, 70, 76, 130, ink::kBark);
      p.Line(70, 90, 44, 64, 5, ink::kBark);
      p.Line(70, 84, 98, 58, 5, ink::kBark);
      for (int i = 0; i < 18; ++i)
        p.Circle(10 + (i * 37) % 120, 12 + (i * 23) % 100, 2.5f, ink::kWhite);
      p.Circle(112, 132, 12, ink::kWhite);
      p.Circle(112, 112, 8, ink::kWhite);
      p.Circle(110, 110, 1.5f, ink::kInk);
      p.Circle(115, 110, 1.5f, ink::kInk);
      break;
  }
  p.Rect(3, 160, 137, 209, ink::kCream);
  p.Text(kNames[which], 17, 70, 182, ink::kInk, 0);
  p.Text(kGreek[which], 13, 70, 201, ink::kNavy, 0, false);
  return p;
}

Picture MovingOn() {
  Picture p(400, 52);
  p.Panel(0, 0, 394, 46, 20, ink::kGold, ink::kBrown, 3);
  p.Text("Time is up: on to the flowers  ▶", 17, 197, 29, ink::kInk, 0);
  return p;
}

Picture Swallow() {
  Picture p(96, 48);
  p.Polygon({{4, 10}, {40, 26}, {56, 22}, {92, 4}, {60, 30}, {46, 44}, {38, 32}}, ink::kNavy);
  p.Ellipse(48, 28, 12, 7, ink::kNavy);
  p.Ellipse(50, 31, 7, 4, ink::kWhite);
  p.Circle(58, 24, 2, ink::kWhite);
  return p;
}

Picture FlowersBackground() {
  Picture p(640, 480);
  Banner(p, "Flowers", "Λουλούδια",
         "Click a flower bed once to show what lives there, again to hide it.");
  Meadow(p, 190);
  const auto bed = [&](float x0, Colour petals, Colour centre, int count, float r) {
    p.Ellipse(x0 + 90, 330, 92, 54, Hex(0x885511));
    p.Ellipse(x0 + 90, 326, 86, 48, Hex(0x663311));
    // Three staggered rows, the back row first so that nearer flowers overlap it.
    for (int row = 0; row < 3; ++row) {
      const int n = row == 1 ? 5 : 4;
      for (int i = 0; i < n; ++i) {
        const float x = x0 + 90 + (i - (n - 1) / 2.0f) * 34 + ((i + row) % 2) * 4;
        const float y = 300 + row * 20.0f + ((i * 7 + row * 3) % 5);
        Stem(p, x, y, y + 18);
        Flower(p, x, y, r, petals, centre, count);
      }
    }
  };
  bed(20, ink::kPoppy, ink::kInk, 5, 15);
  bed(230, ink::kWhite, ink::kGold, 10, 13);
  bed(440, ink::kBlue, ink::kNavy, 7, 13);
  p.Text("Poppies", 15, 110, 406, ink::kDeep, 0);
  p.Text("Daisies", 15, 320, 406, ink::kDeep, 0);
  p.Text("Cornflowers", 15, 530, 406, ink::kDeep, 0);
  return p;
}

Picture Bee() {
  Picture p(64, 52);
  p.Ellipse(24, 14, 12, 10, ink::kPaleSky, 0.9f);
  p.Ellipse(40, 12, 12, 10, ink::kPaleSky, 0.9f);
  p.Ellipse(32, 32, 20, 13, ink::kGold);
  for (int i = 0; i < 3; ++i) p.Rect(20 + i * 10.0f, 20, 25 + i * 10.0f, 45, ink::kInk);
  p.Circle(52, 30, 8, ink::kInk);
  p.Circle(55, 27, 2, ink::kWhite);
  p.Polygon({{10, 30}, {2, 33}, {10, 36}}, ink::kInk);
  return p;
}

Picture Butterfly() {
  Picture p(72, 60);
  p.Ellipse(20, 20, 18, 16, ink::kPurple);
  p.Ellipse(52, 20, 18, 16, ink::kPurple);
  p.Ellipse(22, 42, 13, 12, ink::kOrange);
  p.Ellipse(50, 42, 13, 12, ink::kOrange);
  p.Circle(20, 20, 6, ink::kGold);
  p.Circle(52, 20, 6, ink::kGold);
  p.Ellipse(36, 32, 4, 20, ink::kInk);
  p.Line(34, 12, 28, 2, 2, ink::kInk);
  p.Line(38, 12, 44, 2, 2, ink::kInk);
  return p;
}

Picture Ladybird() {
  Picture p(48, 40);
  p.Circle(24, 9, 8, ink::kInk);
  p.Ellipse(24, 24, 18, 15, ink::kPoppy);
  p.Line(24, 10, 24, 39, 2, ink::kInk);
  for (auto [x, y] : std::vector<std::array<float, 2>>{{16, 20}, {32, 20}, {14, 30}, {34, 30}}) {
    p.Circle(x, y, 3.5f, ink::kInk);
  }
  return p;
}

Picture MapBackground() {
  Picture p(640, 480);
  Banner(p, "The map", "Ο χάρτης",
         "Legend opens over the map and keeps its red marks; Photo hides them.");
  p.Rect(0, 80, 640, 480, ink::kGrass);
  p.Panel(16, 92, 622, 404, 6, ink::kSand, ink::kBrown, 4, false);
  p.Rect(22, 98, 616, 398, ink::kPaper);
  // Fields, a wood, a hill, the pond, the river and the path.
  p.Rect(40, 110, 220, 220, Hex(0xDDDD99));
  p.Rect(60, 240, 230, 380, Hex(0xCCEE88));
  for (int i = 0; i < 16; ++i) {
    const float x = 290 + (i % 6) * 24.0f + (i / 6) * 10, y = 130 + (i / 6) * 26.0f;
    p.Circle(x, y, 13, ink::kForest);
    p.Circle(x - 3, y - 3, 7, ink::kLeaf);
  }
  p.Ellipse(500, 170, 80, 46, Hex(0xBBAA77));
  p.Ellipse(500, 164, 50, 28, Hex(0xCCBB88));
  p.Ellipse(470, 320, 84, 44, ink::kWater);
  p.Ellipse(470, 318, 74, 36, ink::kPond);
  for (int i = 0; i < 30; ++i) {
    const float t = i / 29.0f;
    const float x = 250 + 40 * std::sin(t * 5.0f), y = 98 + t * 300;
    p.Circle(x, y, 9, ink::kWater);
  }
  for (int i = 0; i < 40; ++i) {
    const float t = i / 39.0f;
    p.Circle(40 + t * 560, 236 + 20 * std::sin(t * 7.0f), 3, ink::kBrown);
  }
  // The places' names; their markers are rectangles of the page, over the picture.
  const auto label = [&](float x, float y, const std::string& name, const std::string& greek) {
    p.Panel(x, y, x + 104, y + 44, 8, ink::kCream, ink::kPoppy, 3, false);
    p.Text(name, 14, x + 52, y + 19, ink::kInk, 0);
    p.Text(greek, 12, x + 52, y + 36, ink::kNavy, 0, false);
  };
  label(346, 96, "The wood", "το δάσος");
  label(440, 188, "The hill", "ο λόφος");
  label(506, 344, "The pond", "η λίμνη");
  // A compass rose.
  p.Polygon({{590, 112}, {598, 140}, {590, 134}, {582, 140}}, ink::kInk);
  p.Text("N", 13, 590, 156, ink::kInk, 0);
  return p;
}

Picture Legend() {
  Picture p(250, 300);
  p.Panel(0, 0, 244, 294, 12, ink::kCream, ink::kNavy, 4);
  p.Rect(4, 4, 240, 44, ink::kNavy);
  p.Text("Legend · Υπόμνημα", 17, 122, 31, ink::kWhite, 0);
  float y = 70;
  const auto row = [&](const std::function<void(float)>& symbol, const std::string& text) {
    symbol(y);
    p.Text(text, 14, 64, y + 5, ink::kInk, -1, false);
    y += 36;
  };
  row([&](float cy) { p.Circle(32, cy, 10, ink::kForest); }, "wood");
  row([&](float cy) { p.Ellipse(32, cy, 16, 9, ink::kPond); }, "pond");
  row([&](float cy) { p.Line(18, cy, 46, cy, 8, ink::kWater); }, "river");
  row(
      [&](float cy) {
        for (int i = 0; i < 4; ++i) p.Circle(20 + i * 8.0f, cy, 3, ink::kBrown);
      },
      "path");
  row(
      [&](float cy) {
        p.Rect(25, cy - 7, 39, cy + 7, ink::kPoppy);
        p.Rect(29, cy - 3, 35, cy + 3, ink::kWhite);
      },
      "a place");
  p.Text("A back page: the map", 12, 122, 236, ink::kNavy, 0, false);
  p.Text("and its red marks stay.", 12, 122, 251, ink::kNavy, 0, false);
  p.RoundRect(62, 260, 182, 288, 8, ink::kNavy);
  p.Text("Close", 14, 122, 280, ink::kWhite, 0);
  return p;
}

Picture Photo() {
  Picture p(420, 320);
  p.RoundRect(6, 8, 420, 320, 4, ink::kShade);
  p.Rect(0, 0, 412, 312, ink::kWhite);
  p.Bands(12, 12, 400, 200, ink::kSky, ink::kPaleSky, 5);
  p.Rect(12, 200, 400, 256, ink::kGrass);
  for (int i = 0; i < 9; ++i) {
    const float x = 30 + i * 44.0f;
    Tree(p, x, 218 + (i % 2) * 10, 46 + (i % 3) * 10, i % 2 ? ink::kForest : ink::kLeaf);
  }
  p.Text("The old wood · Το παλιό δάσος", 16, 206, 280, ink::kInk, 0);
  p.Text("A plain overlay: the map's red marks are hidden. Click to close.", 11, 206, 300,
         ink::kShade, 0, false);
  return p;
}

Picture KeysBackground() {
  Picture p(640, 480);
  Banner(p, "Keys", "Πλήκτρα", "This page waits for a key. Each one leads somewhere else.");
  p.Bands(0, 80, 640, 480, ink::kPaper, ink::kSand, 6);
  const auto key = [&](float x, float y, float w, const std::string& label) {
    p.RoundRect(x + 2, y + 6, x + w + 2, y + 62, 10, ink::kShade);
    p.RoundRect(x, y, x + w, y + 56, 10, ink::kGrey);
    p.RoundRect(x + 5, y + 3, x + w - 5, y + 44, 8, ink::kSnow);
    p.Text(label, 20, x + w / 2, y + 31, ink::kInk, 0);
  };
  const auto say = [&](float y, const std::string& what, const std::string& greek) {
    p.Text(what, 19, 300, y + 24, ink::kDeep, -1);
    p.Text(greek, 14, 300, y + 46, ink::kNavy, -1, false);
  };
  key(40, 110, 230, "Space");
  say(110, "▶  the night sky", "ο νυχτερινός ουρανός");
  key(150, 200, 120, "Return ↵");
  say(200, "▶  back to the contents", "πίσω στα περιεχόμενα");
  key(40, 290, 60, "A");
  key(110, 290, 60, "7");
  key(180, 290, 90, "…");
  say(290, "▶  a special page picks", "μια ειδική σελίδα διαλέγει");
  return p;
}

Picture StarsBackground() {
  Picture p(640, 480);
  p.Bands(0, 0, 640, 480, ink::kNight, Hex(0x224477), 8);
  uint32_t seed = 2024;
  for (int i = 0; i < 90; ++i) {
    seed = seed * 1103515245u + 12345u;
    const float x = float((seed >> 8) % 640);
    seed = seed * 1103515245u + 12345u;
    const float y = float((seed >> 8) % 360);
    p.Circle(x, y, 0.8f + (i % 3) * 0.5f, i % 5 ? ink::kWhite : ink::kSun);
  }
  p.Circle(500, 110, 44, ink::kCream);
  p.Circle(522, 96, 40, ink::kNight);
  for (int x = 0; x < 640; x += 2) {
    const float h = 400 - 12 * std::sin(x * 0.015f + 0.3f) - 6 * std::sin(x * 0.05f);
    p.Rect(float(x), h, float(x + 2), 480, Hex(0x002200));
  }
  p.OutlinedText("Night · Νύχτα", 40, 240, 120, ink::kCream, ink::kDeep);
  p.Text("This page has a time of two and a half seconds;", 15, 240, 160, ink::kPaleSky, 0, false);
  p.Text("then its INSTANT event leads on at once.", 15, 240, 182, ink::kPaleSky, 0, false);
  return p;
}

Picture ShootingStar() {
  Picture p(160, 60);
  for (int i = 0; i < 12; ++i) {
    p.Line(10 + i * 10.0f, 50 - i * 3.5f, 20 + i * 10.0f, 46.5f - i * 3.5f, 1 + i * 0.3f,
           Mix(ink::kNavy, ink::kCream, i / 11.0f));
  }
  p.Circle(136, 10, 6, ink::kSun);
  return p;
}

Picture ColoursBanner() {
  Picture p(640, 80);
  Banner(p, "Colours", "Χρώματα",
         "Four rectangles plotted four ways, and pictures of 8, 1, 2 and 4 bits.");
  return p;
}

Picture PlotLabel(const std::string& name, const std::string& what) {
  Picture p(200, 44);
  p.Panel(0, 0, 194, 38, 8, ink::kCream, ink::kInk, 2);
  p.Text(name, 15, 12, 24, ink::kInk, -1);
  p.Text(what, 12, 186, 24, ink::kShade, 1, false);
  return p;
}

Picture CompanionBackground() {
  Picture p(640, 480);
  Banner(p, "Notes on colours", "Σημειώσεις",
         "The companion page of the colours: the page after the section's own.");
  p.Bands(0, 80, 640, 480, ink::kPaper, ink::kSand, 6);
  p.Panel(60, 120, 580, 380, 14, ink::kCream, ink::kNavy, 4);
  const char* lines[] = {
      "copy   puts the colour in place of what was there", "or      keeps the bits of both colours",
      "and    keeps the bits they share", "xor    flips bits: drawn twice, it undoes itself"};
  for (int i = 0; i < 4; ++i) p.Text(lines[i], 17, 96, 180 + i * 44.0f, ink::kInk, -1, false);
  return p;
}

Picture PondBackground() {
  Picture p(640, 480);
  Banner(p, "The pond", "Η λίμνη", "A second title beside the first. Click the frog.");
  Meadow(p, 170);
  p.Ellipse(320, 300, 290, 110, ink::kWater);
  p.Ellipse(320, 304, 270, 96, ink::kPond);
  for (int i = 0; i < 5; ++i) {
    const float x = 130 + i * 95.0f, y = 290 + (i % 2) * 40;
    p.Ellipse(x, y, 34, 14, ink::kGrass);
    p.Polygon({{x, y}, {x + 30, y - 8}, {x + 30, y + 4}}, ink::kPond);
    if (i % 2 == 0) Flower(p, x - 10, y - 6, 10, ink::kPink, ink::kGold, 6);
  }
  for (int i = 0; i < 9; ++i) {
    const float x = 40 + i * 70.0f;
    p.Line(x, 200, x - 4, 160, 3, ink::kLeaf);
    p.Ellipse(x - 4, 164, 4, 12, ink::kBrown);
  }
  // The frog on the big pad in the middle.
  p.Ellipse(320, 336, 60, 22, ink::kGrass);
  p.Ellipse(320, 318, 34, 24, ink::kLeaf);
  p.Circle(302, 296, 11, ink::kLeaf);
  p.Circle(338, 296, 11, ink::kLeaf);
  p.Circle(302, 295, 6, ink::kWhite);
  p.Circle(338, 295, 6, ink::kWhite);
  p.Circle(303, 296, 3, ink::kInk);
  p.Circle(337, 296, 3, ink::kInk);
  p.Line(306, 322, 334, 322, 3, ink::kForest);
  p.Ellipse(296, 340, 14, 6, ink::kLeaf);
  p.Ellipse(344, 340, 14, 6, ink::kLeaf);
  return p;
}

Picture Ribbit() {
  Picture p(150, 80);
  p.Ellipse(75, 32, 72, 30, ink::kInk);
  p.Ellipse(75, 32, 69, 27, ink::kWhite);
  p.Polygon({{52, 54}, {70, 60}, {44, 78}}, ink::kInk);
  p.Polygon({{55, 54}, {68, 57}, {48, 72}}, ink::kWhite);
  p.Text("Ribbit!", 20, 75, 36, ink::kLeaf, 0);
  p.Text("κουάξ", 12, 75, 52, ink::kNavy, 0, false);
  return p;
}

Picture Goodbye() {
  Picture p(640, 480);
  p.Bands(0, 0, 640, 340, Hex(0x442266), ink::kOrange, 8);
  p.Circle(320, 300, 70, ink::kGold);
  p.Circle(320, 300, 60, ink::kSun);
  for (int x = 0; x < 640; x += 2) {
    const float h = 300 - 10 * std::sin(x * 0.02f) - 6 * std::sin(x * 0.07f + 1);
    p.Rect(float(x), h, float(x + 2), 480, ink::kLeaf);
  }
  p.Bands(0, 360, 640, 480, ink::kLeaf, ink::kForest, 4);
  p.OutlinedText("Goodbye · Αντίο", 44, 320, 140, ink::kCream, ink::kDeep);
  p.Text("Thank you for visiting the meadow and the pond.", 17, 320, 190, ink::kWhite, 0, false);
  p.Text("The player ends by itself in two seconds.", 15, 320, 420, ink::kCream, 0, false);
  return p;
}


// ---- The scripts section ----

// A paper page under a banner, the ground of most pages of the section.
Picture PaperPage(const std::string& title, const std::string& greek, const std::string& hint) {
  Picture p(640, 480);
  Banner(p, title, greek, hint);
  p.Bands(0, 80, 640, 480, ink::kPaper, ink::kSand, 6);
  return p;
}

Picture ScriptsBackground() {
  Picture p = PaperPage("Scripts", "Σενάρια",
                        "Small programs inside the pages. Pick one to see what it does.");
  struct Choice {
    float x, y;
    const char* title;
    const char* greek;
    const char* line1;
    const char* line2;
    Colour accent;
  };
  const Choice choices[] = {
      {40, 104, "Quiz", "Κουίζ", "Three questions: scripts check", "each answer and keep the score.",
       ink::kPoppy},
      {330, 104, "Lights", "Φώτα", "Handlers light a lantern when", "the pointer comes over it.",
       ink::kGold},
      {40, 260, "The boat", "Η βάρκα", "A timer runs a script again and", "again: it moves the boat.",
       ink::kWater},
      {330, 260, "Paths", "Μονοπάτια", "The next page reads which way", "you left (ExitCondition$).",
       ink::kLeaf},
  };
  for (const Choice& c : choices) {
    p.Panel(c.x, c.y, c.x + 270, c.y + 140, 14, ink::kCream, c.accent, 4);
    p.Rect(c.x + 4, c.y + 56, c.x + 266, c.y + 59, Mix(c.accent, ink::kWhite, 0.5f));
    p.Text(c.title, 22, c.x + 20, c.y + 36, ink::kInk);
    p.Text(c.greek, 15, c.x + 250, c.y + 36, ink::kNavy, 1, false);
    p.Text(c.line1, 14, c.x + 20, c.y + 86, ink::kDeep, -1, false);
    p.Text(c.line2, 14, c.x + 20, c.y + 108, ink::kDeep, -1, false);
    p.Text("▶", 16, c.x + 250, c.y + 126, c.accent, 1);
  }
  return p;
}

Picture QuizBackground() {
  return PaperPage("Quiz", "Κουίζ", "Three questions about the meadow. A script keeps the score.");
}

// A question and its three answers, each on a card under an area of the page.
Picture Question(int number, const std::string& question,
                 const std::vector<std::function<void(Picture&, float, float)>>& icons,
                 const std::vector<std::string>& labels) {
  Picture p(608, 250);
  p.Text("Question " + std::to_string(number) + " of 3", 14, 16, 20, ink::kShade, -1, false);
  p.Text(question, 21, 16, 46, ink::kDeep);
  for (int i = 0; i < 3; ++i) {
    const float x = 16 + i * 198.0f;
    p.Panel(x, 60, x + 180, 236, 12, ink::kCream, ink::kNavy, 3);
    p.Circle(x + 22, 82, 13, ink::kNavy);
    p.Text(std::string(1, char('A' + i)), 15, x + 22, 88, ink::kWhite, 0);
    icons[i](p, x + 90, 136);
    p.Text(labels[i], 17, x + 90, 222, ink::kInk, 0);
  }
  return p;
}

void AnswerFlower(Picture& p, float cx, float cy, Colour petals, Colour centre, int count) {
  Stem(p, cx, cy, cy + 44);
  p.Ellipse(cx + 10, cy + 30, 10, 4, ink::kLeaf);
  Flower(p, cx, cy, 34, petals, centre, count);
}

void AnswerNumber(Picture& p, float cx, float cy, const std::string& number) {
  p.Circle(cx, cy, 40, ink::kSand);
  p.Text(number, 40, cx, cy + 15, ink::kNavy, 0);
}

void AnswerKey(Picture& p, float cx, float cy, float width, const std::string& label) {
  p.RoundRect(cx - width / 2, cy - 22, cx + width / 2, cy + 30, 9, ink::kShade);
  p.RoundRect(cx - width / 2, cy - 26, cx + width / 2, cy + 24, 9, ink::kGrey);
  p.RoundRect(cx - width / 2 + 5, cy - 23, cx + width / 2 - 5, cy + 14, 7, ink::kSnow);
  p.Text(label, 17, cx, cy + 2, ink::kInk, 0);
}

Picture Verdict(const std::string& text, const std::string& greek, Colour fill) {
  Picture p(260, 52);
  p.Panel(0, 0, 254, 46, 16, fill, ink::kDeep, 3);
  p.Text(text, 18, 127, 24, ink::kWhite, 0);
  p.Text(greek, 12, 127, 40, ink::kCream, 0, false);
  return p;
}

void Star(Picture& p, float cx, float cy, float r, Colour c) {
  std::vector<std::array<float, 2>> points;
  for (int i = 0; i < 10; ++i) {
    const float a = -kPi / 2 + i * kPi / 5, radius = i % 2 ? r * 0.45f : r;
    points.push_back({cx + std::cos(a) * radius, cy + std::sin(a) * radius});
  }
  p.Polygon(points, c);
}

// The end of the quiz: stars for the score and a word about it.
Picture Result(int score) {
  static const char* const words[] = {"No answer right this time", "One answer right",
                                      "Two answers right", "All three right!"};
  static const char* const greek[] = {"Δοκίμασε ξανά", "Μία σωστή απάντηση",
                                      "Δύο σωστές απαντήσεις", "Και οι τρεις σωστές!"};
  Picture p(440, 200);
  p.Panel(0, 0, 434, 194, 18, ink::kCream, score == 3 ? ink::kGold : ink::kNavy, 5);
  for (int i = 0; i < 3; ++i) {
    Star(p, 137 + i * 80.0f, 66, 34, i < score ? ink::kGold : ink::kSand);
  }
  p.Text(words[score], 22, 217, 138, ink::kDeep, 0);
  p.Text(greek[score], 15, 217, 166, ink::kNavy, 0, false);
  return p;
}

// A lantern on a dark pane; lit, the pane glows and says which handler lit it.
Picture Lantern(bool lit, const std::string& how) {
  Picture p(160, 220);
  p.RoundRect(0, 0, 160, 220, 14, lit ? Hex(0x664411) : Hex(0x112244));
  if (lit) {
    p.Circle(80, 104, 74, Mix(Hex(0x664411), ink::kGold, 0.3f));
    p.Circle(80, 104, 56, Mix(Hex(0x664411), ink::kGold, 0.6f));
  }
  p.Line(80, 8, 80, 40, 3, ink::kGrey);
  p.Polygon({{52, 44}, {108, 44}, {96, 32}, {64, 32}}, ink::kShade);
  p.RoundRect(56, 44, 104, 150, 8, ink::kShade);
  p.RoundRect(62, 50, 98, 144, 6, lit ? ink::kSun : Hex(0x334455));
  if (lit) p.Ellipse(80, 104, 9, 18, ink::kOrange);
  p.Rect(52, 150, 108, 160, ink::kShade);
  if (lit) {
    p.Text("lit by", 12, 80, 188, ink::kCream, 0, false);
    p.Text(how, 13, 80, 206, ink::kWhite, 0);
  }
  return p;
}

Picture LightsBackground() {
  Picture p(640, 480);
  Banner(p, "Lights", "Φώτα", "Move the pointer over a lantern: a handler of the page lights it.");
  p.Bands(0, 80, 640, 480, Hex(0x223366), ink::kNight, 6);
  const char* kinds[] = {"MouseEnter and", "MouseEnterLeave", "MouseEnter"};
  const char* more[] = {"MouseLeave: on, then off", "on while the pointer is over", "flips it on or off"};
  for (int i = 0; i < 3; ++i) {
    const float x = 40 + i * 200.0f;
    p.RoundRect(x, 110, x + 160, 330, 14, Hex(0x112244));
    p.Line(x + 80, 118, x + 80, 150, 3, ink::kGrey);
    p.Polygon({{x + 52, 154}, {x + 108, 154}, {x + 96, 142}, {x + 64, 142}}, ink::kShade);
    p.RoundRect(x + 56, 154, x + 104, 260, 8, ink::kShade);
    p.RoundRect(x + 62, 160, x + 98, 254, 6, Hex(0x334455));
    p.Rect(x + 52, 260, x + 108, 270, ink::kShade);
    p.Text(kinds[i], 15, x + 80, 362, ink::kCream, 0);
    p.Text(more[i], 12, x + 80, 382, ink::kPaleSky, 0, false);
  }
  return p;
}

Picture BoatBackground() {
  Picture p(640, 480);
  Banner(p, "The boat", "Η βάρκα",
         "A timed script moves the boat a little, then sets its own timer again.");
  p.Rect(0, 80, 640, 270, ink::kSky);
  Cloud(p, 110, 130, 34);
  Cloud(p, 470, 120, 26);
  Sun(p, 580, 140, 22);
  for (int x = 0; x < 640; x += 2) {
    const float h = 250 - 10 * std::sin(x * 0.017f + 0.7f);
    p.Rect(float(x), h, float(x + 2), 270, ink::kMoss);
  }
  // Plain water where the boat sails: the boat's picture has the same water round it.
  p.Rect(0, 270, 640, 364, ink::kWater);
  p.Rect(0, 364, 640, 480, ink::kGrass);
  for (int x = 0; x < 640; x += 2) {
    const float h = 366 + 4 * std::sin(x * 0.05f);
    p.Rect(float(x), 362, float(x + 2), h, ink::kSand);
  }
  // Ripples above and below the boat's way, never under it.
  for (int i = 0; i < 8; ++i) {
    const float x = 30 + i * 80.0f, y = i % 2 ? 278.0f : 357.0f;
    p.Line(x, y, x + 20, y, 2, ink::kPaleSky);
  }
  // The landing stage on the far side.
  p.Rect(600, 300, 640, 312, ink::kBrown);
  p.Rect(606, 312, 612, 350, ink::kBark);
  p.Rect(630, 312, 636, 350, ink::kBark);
  p.Text("◀ start", 14, 24, 392, ink::kDeep, -1, false);
  p.Text("landing stage ▶", 14, 616, 392, ink::kDeep, 1, false);
  return p;
}

Picture Boat() {
  Picture p(96, 64);
  p.Rect(0, 0, 96, 64, ink::kWater);  // solid: it is moved over the plain water
  p.Line(46, 6, 46, 44, 3, ink::kBark);
  p.Polygon({{49, 8}, {84, 40}, {49, 40}}, ink::kWhite);
  p.Polygon({{43, 14}, {43, 40}, {16, 40}}, ink::kCream);
  p.Polygon({{6, 44}, {90, 44}, {78, 58}, {16, 58}}, ink::kPoppy);
  p.Rect(12, 44, 84, 48, ink::kWhite);
  return p;
}

Picture Ashore() {
  Picture p(260, 52);
  p.Panel(0, 0, 254, 46, 16, ink::kGold, ink::kBrown, 3);
  p.Text("Ashore! The timer stops.", 15, 127, 23, ink::kInk, 0);
  p.Text("Στην όχθη!", 12, 127, 39, ink::kNavy, 0, false);
  return p;
}

Picture PathsBackground() {
  Picture p(640, 480);
  Banner(p, "Paths", "Μονοπάτια", "Leave by one of three paths: the next page knows which one.");
  Meadow(p, 160);
  struct Way {
    float x;
    const char* name;
    const char* greek;
  };
  const Way ways[] = {{30, "By the river", "Από το ποτάμι"},
                      {230, "Through the wood", "Μέσα από το δάσος"},
                      {430, "Over the hill", "Πάνω από το λόφο"}};
  for (int i = 0; i < 3; ++i) {
    const float x = ways[i].x;
    p.Line(x + 90, 330, 320, 420, 14, ink::kSand);
    p.Rect(x + 84, 290, x + 96, 340, ink::kBark);
    p.Panel(x, 170, x + 180, 300, 10, ink::kCream, ink::kBrown, 4);
    if (i == 0) {
      for (int k = 0; k < 3; ++k) {
        for (int j = 0; j < 6; ++j)
          p.Line(x + 30 + j * 20.0f, 200 + k * 16 + (j % 2) * 6.0f, x + 50 + j * 20.0f,
                 200 + k * 16 + ((j + 1) % 2) * 6.0f, 3, ink::kWater);
      }
    } else if (i == 1) {
      for (int k = 0; k < 4; ++k)
        Tree(p, x + 36 + k * 36.0f, 250, 36, k % 2 ? ink::kForest : ink::kLeaf);
    } else {
      p.Shape(x + 14, 200, x + 166, 252, ink::kGrass, [=](float px, float py) {
        const float dx = (px - x - 90) / 74, dy = (py - 252) / 50;
        return dx * dx + dy * dy <= 1;
      });
      Tree(p, x + 90, 206, 22, ink::kLeaf);
    }
    p.Text(ways[i].name, 15, x + 90, 276, ink::kInk, 0);
    p.Text(ways[i].greek, 11, x + 90, 292, ink::kNavy, 0, false);
  }
  return p;
}

Picture ArrivalBackground() {
  Picture p(640, 480);
  Banner(p, "Arrival", "Άφιξη",
         "The +Start script read ExitCondition$: the hotspot you left by.");
  Meadow(p, 200);
  p.Rect(260, 300, 380, 318, ink::kBrown);
  p.Polygon({{250, 300}, {320, 250}, {390, 300}}, ink::kPoppy);
  p.Rect(270, 318, 370, 380, ink::kCream);
  p.Rect(308, 340, 332, 380, ink::kBark);
  p.Rect(280, 328, 300, 346, ink::kPaleSky);
  p.Rect(340, 328, 360, 346, ink::kPaleSky);
  return p;
}

Picture CameBy(const std::string& text, const std::string& greek, Colour accent) {
  Picture p(400, 72);
  p.Panel(0, 0, 394, 66, 14, ink::kCream, accent, 4);
  p.Text(text, 19, 197, 32, ink::kInk, 0);
  p.Text(greek, 13, 197, 54, ink::kNavy, 0, false);
  return p;
}


// ---- The drawings section ----

// The dashed frame of a box a drawing is fitted into, with its name above it.
void BoxFrame(Picture& p, float x0, float y0, float x1, float y1, const std::string& label) {
  p.Rect(x0, y0, x1, y1, ink::kSnow);
  const auto dashes = [&](float ax, float ay, float bx, float by) {
    const float length = std::hypot(bx - ax, by - ay);
    for (float t = 0; t < length; t += 12) {
      const float e = std::min(t + 7, length);
      p.Line(ax + (bx - ax) * t / length, ay + (by - ay) * t / length, ax + (bx - ax) * e / length,
             ay + (by - ay) * e / length, 2, ink::kNavy);
    }
  };
  dashes(x0, y0, x1, y0);
  dashes(x1, y0, x1, y1);
  dashes(x1, y1, x0, y1);
  dashes(x0, y1, x0, y0);
  p.Text(label, 13, x0, y0 - 8, ink::kDeep);
}

Picture DrawnMapBackground() {
  Picture p = PaperPage("Map of the meadow", "Χάρτης του λιβαδιού",
                        "A Draw drawing: filled paths, curves, dotted footpaths, arrows and text.");
  p.Panel(10, 86, 630, 418, 8, ink::kWhite, ink::kBrown, 3);
  return p;
}

Picture DiagramBackground() {
  Picture p = PaperPage("A frog's life", "Η ζωή του βατράχου",
                        "A diagram drawn with shapes and labels; the notes are a Draw text area.");
  p.Panel(12, 88, 416, 416, 12, ink::kWhite, ink::kLeaf, 3);
  p.Panel(428, 88, 628, 416, 12, ink::kCream, ink::kGold, 3);
  return p;
}

Picture FittingBackground() {
  Picture p = PaperPage("Fitting", "Προσαρμογή",
                        "One small drawing in three boxes: kept in proportion, centred.");
  BoxFrame(p, 24, 116, 404, 226, "A wide box · φαρδύ");
  BoxFrame(p, 24, 262, 174, 412, "A square box · τετράγωνο");
  BoxFrame(p, 468, 116, 604, 412, "A tall box · ψηλό");
  const char* lines[] = {"The drawing is 3 : 2.", "In the wide box it is as",
                         "high as the box, centred", "across; in the square and",
                         "the tall box as wide as", "the box, centred up and down."};
  for (int i = 0; i < 6; ++i) p.Text(lines[i], 14, 196, 268 + i * 20.0f, ink::kDeep, -1, false);
  p.Text("Οι αναλογίες μένουν ίδιες.", 13, 196, 398, ink::kNavy, -1, false);
  return p;
}

}  // namespace
}  // namespace demo_pictures

int main(int argc, char** argv) {
  using namespace demo_pictures;
  if (argc != 2) {
    std::cerr << "usage: make_demo_pictures DIR\n";
    return 2;
  }
  const std::string dir = argv[1];
  const zd::LogicalPalette palette = zd::BuildRulePalette();
  const std::vector<std::pair<std::string, std::function<Picture()>>> pictures = {
      {"contents", Contents},
      {"card-seasons", [] { return Card("Seasons", "Εποχές", IconSeasons, ink::kOrange); }},
      {"card-flowers", [] { return Card("Flowers", "Λουλούδια", IconFlowers, ink::kPoppy); }},
      {"card-map", [] { return Card("Map", "Χάρτης", IconMap, ink::kBrown); }},
      {"card-keys", [] { return Card("Keys", "Πλήκτρα", IconKeys, ink::kShade); }},
      {"card-colours", [] { return Card("Colours", "Χρώματα", IconColours, ink::kPurple); }},
      {"card-pond", [] { return Card("The pond", "Η λίμνη", IconPond, ink::kWater); }},
      {"card-scripts", [] { return Card("Scripts", "Σενάρια", IconScripts, ink::kPurple); }},
      {"card-drawings", [] { return Card("Drawings", "Σχέδια", IconDrawings, ink::kWater); }},
      {"seasons", SeasonsBackground},
      {"spring", [] { return Season(0); }},
      {"summer", [] { return Season(1); }},
      {"autumn", [] { return Season(2); }},
      {"winter", [] { return Season(3); }},
      {"moving-on", MovingOn},
      {"swallow", Swallow},
      {"flowers", FlowersBackground},
      {"tag-poppy", [] { return Tag("Poppy", "παπαρούνα", 150, ink::kPoppy); }},
      {"tag-daisy", [] { return Tag("Daisy", "μαργαρίτα", 150, ink::kGold); }},
      {"tag-cornflower", [] { return Tag("Cornflower", "κυανό", 150, ink::kBlue); }},
      {"bee", Bee},
      {"butterfly", Butterfly},
      {"ladybird", Ladybird},
      {"map", MapBackground},
      {"legend", Legend},
      {"photo", Photo},
      {"keys", KeysBackground},
      {"stars", StarsBackground},
      {"shooting-star", ShootingStar},
      {"colours-banner", ColoursBanner},
      {"label-copy", [] { return PlotLabel("copy", "over the grey"); }},
      {"label-or", [] { return PlotLabel("or", "with the grey"); }},
      {"label-and", [] { return PlotLabel("and", "with the grey"); }},
      {"label-xor", [] { return PlotLabel("xor", "with the grey"); }},
      {"companion", CompanionBackground},
      {"pond", PondBackground},
      {"ribbit", Ribbit},
      {"goodbye", Goodbye},
      {"button-contents", [] { return Button("Contents", 144, ink::kNavy, "◀"); }},
      {"button-next", [] { return Button("Next", 144, ink::kLeaf, "▶"); }},
      {"button-legend", [] { return Button("Legend", 144, ink::kBrown); }},
      {"button-photo", [] { return Button("Photo", 144, ink::kPurple); }},
      {"button-meadow", [] { return Button("The meadow", 184, ink::kLeaf, "◀"); }},
      {"button-quit", [] { return Button("Quit", 144, ink::kPoppy); }},
      {"button-scripts", [] { return Button("Scripts", 144, ink::kPurple, "◀"); }},
      {"button-again", [] { return Button("Again", 144, ink::kOrange, "↻"); }},
      {"scripts", ScriptsBackground},
      {"quiz", QuizBackground},
      {"question-1",
       [] {
         return Question(
             1, "Which of these flowers is red?",
             {[](Picture& p, float x, float y) { AnswerFlower(p, x, y, ink::kWhite, ink::kGold, 10); },
              [](Picture& p, float x, float y) { AnswerFlower(p, x, y, ink::kPoppy, ink::kInk, 5); },
              [](Picture& p, float x, float y) { AnswerFlower(p, x, y, ink::kBlue, ink::kNavy, 7); }},
             {"Daisy", "Poppy", "Cornflower"});
       }},
      {"question-2",
       [] {
         return Question(2, "How many seasons has a year?",
                         {[](Picture& p, float x, float y) { AnswerNumber(p, x, y, "4"); },
                          [](Picture& p, float x, float y) { AnswerNumber(p, x, y, "2"); },
                          [](Picture& p, float x, float y) { AnswerNumber(p, x, y, "12"); }},
                         {"Four", "Two", "Twelve"});
       }},
      {"question-3",
       [] {
         return Question(3, "Which key leads to the night sky?",
                         {[](Picture& p, float x, float y) { AnswerKey(p, x, y, 110, "Return ↵"); },
                          [](Picture& p, float x, float y) { AnswerKey(p, x, y, 60, "A"); },
                          [](Picture& p, float x, float y) { AnswerKey(p, x, y, 140, "Space"); }},
                         {"Return", "A", "Space"});
       }},
      {"right", [] { return Verdict("Right!", "Σωστά!", ink::kLeaf); }},
      {"wrong", [] { return Verdict("Not quite", "Όχι ακριβώς", ink::kPoppy); }},
      {"result-0", [] { return Result(0); }},
      {"result-1", [] { return Result(1); }},
      {"result-2", [] { return Result(2); }},
      {"result-3", [] { return Result(3); }},
      {"lights", LightsBackground},
      {"lantern-a", [] { return Lantern(true, "MouseEnter"); }},
      {"lantern-b", [] { return Lantern(true, "MouseEnterLeave"); }},
      {"lantern-c", [] { return Lantern(true, "MouseEnter (flip)"); }},
      {"boat-pond", BoatBackground},
      {"boat", Boat},
      {"ashore", Ashore},
      {"paths", PathsBackground},
      {"arrival", ArrivalBackground},
      {"came-river", [] { return CameBy("You came by the river", "Ήρθες από το ποτάμι", ink::kWater); }},
      {"came-wood", [] { return CameBy("You came through the wood", "Ήρθες μέσα από το δάσος", ink::kForest); }},
      {"drawn-map", DrawnMapBackground},
      {"diagram", DiagramBackground},
      {"fitting", FittingBackground},
      {"came-hill", [] { return CameBy("You came over the hill", "Ήρθες πάνω από το λόφο", ink::kGrass); }},
  };
  for (const auto& [name, draw] : pictures) {
    const Picture picture = draw();
    if (picture.failed()) return 1;
    bool transparent = false;
    zd::platform::RgbaImage image = picture.Finish(palette, transparent);
    std::string error;
    const std::string path = dir + "/" + name + ".png";
    bool ok;
    if (transparent) {
      ok = zd::platform::WritePngRgba(path, image, error);
    } else {
      // Opaque pictures are written with the 256 colours as their palette: smaller files.
      zd::platform::IndexedImage indexed;
      indexed.width = image.width;
      indexed.height = image.height;
      indexed.paletteSize = 256;
      for (int i = 0; i < 256; ++i)
        indexed.palette[i] = {palette[i].red, palette[i].green, palette[i].blue};
      for (size_t i = 0; i < image.rgba.size(); i += 4) {
        indexed.pixels.push_back(
            zd::NearestPaletteIndex(palette, image.rgba[i], image.rgba[i + 1], image.rgba[i + 2]));
      }
      ok = zd::platform::WritePngIndexed(path, indexed, error);
    }
    if (!ok) {
      std::cerr << "make_demo_pictures: " << path << ": " << error << "\n";
      return 1;
    }
  }
  std::cout << "make_demo_pictures: wrote " << pictures.size() << " pictures to " << dir << "\n";
  return 0;
}
