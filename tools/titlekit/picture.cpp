#include "titlekit/picture.h"

#include <algorithm>
#include <cctype>
#include <fstream>
#include <map>
#include <sstream>

#include "base/byte_view.h"
#include "graphics/colour_match.h"
#include "graphics/sprites/colour_tables.h"
#include "graphics/sprites/sprite_colours.h"
#include "graphics/sprites/sprite_format.h"
#include "platform/png_codec.h"
#include "titlekit/description_error.h"

namespace zd::titlekit {
namespace fs = std::filesystem;
namespace {

uint32_t WordOf(const platform::Rgb& c) {
  return uint32_t(c.b) << 24 | uint32_t(c.g) << 16 | uint32_t(c.r) << 8;
}

std::string ReadFileAt(const Members& m, std::string_view key, const fs::path& baseDir) {
  const fs::path path = baseDir / ToString(*m.Find(key), m.Path(key));
  std::ifstream in(path, std::ios::binary);
  if (!in || fs::is_directory(path)) throw DescriptionError(m.Path(key), "cannot read " + path.string());
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

// The `count` colours used most by the shown pixels (ties to the lower colour), at least one.
std::vector<uint32_t> MostUsedColours(const std::vector<uint8_t>& rgba, bool mask, size_t count) {
  std::map<uint32_t, size_t> uses;
  for (size_t i = 0; i + 3 < rgba.size(); i += 4) {
    if (mask && rgba[i + 3] < 128) continue;
    ++uses[WordOf({rgba[i], rgba[i + 1], rgba[i + 2]})];
  }
  std::vector<std::pair<uint32_t, size_t>> ranked(uses.begin(), uses.end());
  std::stable_sort(ranked.begin(), ranked.end(),
                   [](const auto& a, const auto& b) { return a.second > b.second; });
  std::vector<uint32_t> words;
  for (size_t i = 0; i < ranked.size() && i < count; ++i) words.push_back(ranked[i].first);
  if (words.empty()) words.push_back(0);
  return words;
}

}  // namespace

SpritePicture PictureFromRgba(int width, int height, const std::vector<uint8_t>& rgba,
                              uint32_t mode, const PictureColours& colours, bool mask,
                              std::string name) {
  SpritePicture p;
  p.name = std::move(name);
  p.mode = mode;
  p.bitsPerPixel = ModeInfo(mode).value_or(ScreenMode{8, 0}).bitsPerPixel;
  p.width = width;
  p.height = height;
  const size_t entries = size_t(1) << p.bitsPerPixel;
  switch (colours.palette) {
    case PictureColours::Palette::Rule: break;
    case PictureColours::Palette::Given: p.palette = colours.given; break;
    case PictureColours::Palette::Own:
      if (p.bitsPerPixel == 8) {
        // The whole 256-colour set as a palette, as paint programs wrote 8-bit sprites; the
        // player's rule gives back the same colours from its last 16 entries.
        ColourHeader rule;
        BuildColourHeader(rule, kDefault8BitBase, 8, false);
        for (int v = 0; v < 256; ++v) p.palette.push_back(WordOf(rule.colours[size_t(v)]));
      } else {
        p.palette = MostUsedColours(rgba, mask, entries);
      }
      break;
  }
  // The colours the player will show: the header it builds for this sprite's palette.
  ColourHeader header;
  BuildColourHeader(header, p.palette.empty() ? DefaultColourTable(p.bitsPerPixel)
                                              : std::span<const uint32_t>(p.palette),
                    p.bitsPerPixel, false);
  // Pixel values beyond what the palette gives would show default colours: only the palette's
  // own entries are candidates when it is shorter than the depth allows.
  size_t candidates = std::min<size_t>(entries, size_t(header.count));
  if (p.bitsPerPixel < 8 && !p.palette.empty()) candidates = std::min(candidates, p.palette.size());
  platform::PaletteRgb choices;
  for (size_t i = 0; i < 256; ++i) choices[i] = header.colours[i < candidates ? i : 0];
  const ColourMatcher matcher(choices);

  const size_t n = size_t(width) * size_t(height);
  p.pixels.resize(n);
  if (mask) p.solid.resize(n);
  for (size_t i = 0; i < n; ++i) {
    const uint8_t* c = &rgba[i * 4];
    p.pixels[i] = matcher.Nearest(c[0], c[1], c[2]);
    if (mask) p.solid[i] = c[3] >= 128;
  }
  return p;
}

PictureResource ParsePicture(const Json& json, const std::string& where, const fs::path& baseDir) {
  const Members m(json, where,
                  {"png", "sprite", "index", "mode", "bpp", "palette", "mask", "compress", "name"});
  const std::string_view source = m.OneOf({"png", "sprite"});
  if (source.empty()) throw DescriptionError(where, "give the picture as \"png\" or \"sprite\"");
  PictureResource resource;
  if (const Json* v = m.Find("compress")) resource.compress = ToBool(*v, m.Path("compress"));
  std::optional<Bytes> name;
  if (m.Has("name")) {
    name.emplace();
    m.Text("name", *name, kSpriteNameWidth);
  }

  if (source == "sprite") {
    for (const char* key : {"mode", "bpp", "palette", "mask"}) {
      if (m.Has(key)) throw DescriptionError(m.Path(key), "only pictures made from a PNG have this field");
    }
    uint32_t index = 0;
    m.Get("index", index);
    const std::string file = ReadFileAt(m, "sprite", baseDir);
    const auto sprite = SpriteOfFile(ByteView(file), int(std::min<uint32_t>(index, 0x7FFFFFFF)));
    if (!sprite) {
      throw DescriptionError(m.Path(m.Has("index") ? "index" : "sprite"),
                             "the sprite file has no sprite " + std::to_string(index) +
                                 " (sprites are counted from 0)");
    }
    resource.sprite = BareSprite({reinterpret_cast<const char*>(sprite->data()), sprite->size()});
    if (name) {
      std::fill(resource.sprite.begin() + 4, resource.sprite.begin() + 16, '\0');
      std::copy(name->begin(), name->end(), resource.sprite.begin() + 4);
    }
    return resource;
  }

  if (m.Has("index")) throw DescriptionError(m.Path("index"), "only pictures taken from a sprite file have this field");
  const std::string png = ReadFileAt(m, "png", baseDir);
  platform::RgbaImage image;
  std::string error;
  if (!platform::DecodePngRgba(reinterpret_cast<const uint8_t*>(png.data()), png.size(), image, error)) {
    throw DescriptionError(m.Path("png"), "not a picture zdbuild can read: " + error);
  }
  uint32_t mode = 28;
  if (const Json* v = m.Find("bpp")) {
    const uint32_t bpp = ToU32(*v, m.Path("bpp"));
    const std::map<uint32_t, uint32_t> squarePixels = {{1, 25}, {2, 26}, {4, 27}, {8, 28}};
    if (!squarePixels.count(bpp)) throw DescriptionError(m.Path("bpp"), "expected 1, 2, 4 or 8");
    mode = squarePixels.at(bpp);
  }
  if (const Json* v = m.Find("mode")) {
    const uint32_t given = ToU32(*v, m.Path("mode"));
    const auto info = ModeInfo(given);
    if (!info) {
      throw DescriptionError(m.Path("mode"), "mode " + std::to_string(given) +
                                                 " has no depth the player draws (modes 0 to 46 "
                                                 "but 22 and 32)");
    }
    if (m.Has("bpp") && info->bitsPerPixel != ModeInfo(mode)->bitsPerPixel) {
      throw DescriptionError(m.Path("bpp"), "mode " + std::to_string(given) + " has " +
                                                std::to_string(info->bitsPerPixel) + " bits per pixel");
    }
    mode = given;
  }
  PictureColours colours;
  if (const Json* v = m.Find("palette")) {
    if (v->is_array()) {
      colours.palette = PictureColours::Palette::Given;
      for (size_t i = 0; i < v->size(); ++i) {
        colours.given.push_back(ToColour((*v)[i], PathIndex(m.Path("palette"), i)));
      }
    } else {
      const std::string choice = ToString(*v, m.Path("palette"));
      if (choice == "own") {
        colours.palette = PictureColours::Palette::Own;
      } else if (choice != "rule") {
        throw DescriptionError(m.Path("palette"), "expected \"rule\", \"own\" or a list of colours");
      }
    }
  }
  bool mask = false;
  if (const Json* v = m.Find("mask")) {
    mask = ToBool(*v, m.Path("mask"));
  } else {
    for (size_t i = 3; i < image.rgba.size() && !mask; i += 4) mask = image.rgba[i] < 128;
  }
  if (!name) {
    std::string stem = fs::path(ToString(*m.Find("png"), m.Path("png"))).stem().string();
    std::transform(stem.begin(), stem.end(), stem.begin(), [](unsigned char c) { return std::tolower(c); });
    name = stem.substr(0, kSpriteNameWidth);
  }
  resource.sprite = WriteSprite(PictureFromRgba(image.width, image.height, image.rgba, mode, colours,
                                                mask, *name));
  return resource;
}

}  // namespace zd::titlekit
