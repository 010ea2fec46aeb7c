#include "graphics/palette.h"

#include <algorithm>

#include "graphics/sprites/colour_tables.h"

namespace zd {

LogicalPalette BuildRulePalette() {
  LogicalPalette palette;
  for (int v = 0; v < 256; ++v) {
    const platform::Rgb c = EightBitColour(v, kDefault8BitBase.data());
    palette[v] = {c.r, c.g, c.b, PC_NOCOLLAPSE};
  }
  return palette;
}

void KeepStaticColours(LogicalPalette& palette, const platform::PaletteRgb& systemPalette,
                       int reservedColours) {
  if (reservedColours <= 0) return;
  const int half = std::min(reservedColours, 256) / 2;
  // Entries that already hold a static colour are not candidates: swapping one of them away
  // would undo its placement (the cream of entry 246 is nearest to the white of entry 255).
  std::array<bool, 256> placed{};
  const auto place = [&](int i) {
    const platform::Rgb sys = systemPalette[i];
    int best = 0;
    float bestDistance = 0;
    bool first = true;
    for (int j = 0; j < 256; ++j) {
      if (placed[j]) continue;
      const int dr = palette[j].red - sys.r;
      const int dg = palette[j].green - sys.g;
      const int db = palette[j].blue - sys.b;
      const float distance = static_cast<float>(dr * dr + (db * db) / 3 + (dg * dg) / 2);
      if (first || distance < bestDistance) {
        best = j;
        bestDistance = distance;
        first = false;
      }
    }
    std::swap(palette[i], palette[best]);
    palette[i] = {sys.r, sys.g, sys.b, 0};
    placed[i] = true;
  };
  for (int i = 0; i < half; ++i) place(i);
  for (int i = 256 - half; i < 256; ++i) place(i);
}

platform::PaletteRgb StandardSystemPalette() {
  platform::PaletteRgb system{};
  const platform::Rgb low[10] = {{0, 0, 0},       {128, 0, 0},   {0, 128, 0},     {128, 128, 0},
                                 {0, 0, 128},     {128, 0, 128}, {0, 128, 128},   {192, 192, 192},
                                 {192, 220, 192}, {166, 202, 240}};
  const platform::Rgb high[10] = {{255, 251, 240}, {160, 160, 164}, {128, 128, 128},
                                  {255, 0, 0},     {0, 255, 0},     {255, 255, 0},
                                  {0, 0, 255},     {255, 0, 255},   {0, 255, 255},
                                  {255, 255, 255}};
  for (int i = 0; i < 10; ++i) {
    system[i] = low[i];
    system[246 + i] = high[i];
  }
  return system;
}

uint8_t NearestColour(const platform::PaletteRgb& palette, platform::Rgb colour) {
  int best = 0;
  int bestDistance = 0x7FFFFFFF;
  for (int i = 0; i < 256; ++i) {
    const int dr = palette[i].r - colour.r, dg = palette[i].g - colour.g,
              db = palette[i].b - colour.b;
    const int distance = dr * dr + dg * dg + db * db;
    if (distance < bestDistance) {
      best = i;
      bestDistance = distance;
      if (distance == 0) break;
    }
  }
  return static_cast<uint8_t>(best);
}

uint8_t NearestPaletteIndex(const LogicalPalette& palette, int red, int green, int blue) {
  return NearestColour(PaletteColours(palette), {static_cast<uint8_t>(red),
                                                 static_cast<uint8_t>(green),
                                                 static_cast<uint8_t>(blue)});
}

platform::PaletteRgb PaletteColours(const LogicalPalette& palette) {
  platform::PaletteRgb out;
  for (int i = 0; i < 256; ++i) out[i] = {palette[i].red, palette[i].green, palette[i].blue};
  return out;
}

void BuildScreenColourHeader(const LogicalPalette& palette, ScreenColourHeader* header) {
  if (!header) return;
  *header = ScreenColourHeader{};
  for (int i = 0; i < 256; ++i) {
    header->colours[i] = {palette[i].blue, palette[i].green, palette[i].red, 0};
  }
}

}  // namespace zd
