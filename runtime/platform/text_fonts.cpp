#include "platform/text_fonts.h"

#include <fontconfig/fontconfig.h>
#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_TRUETYPE_TABLES_H

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <limits>
#include <map>
#include <tuple>
#include <unordered_map>

#include "base/cp1253.h"

namespace zd::platform {
namespace {

std::string Lower(std::string_view s) {
  std::string out(s);
  for (char& c : out) {
    if (c >= 'A' && c <= 'Z') c = char(c - 'A' + 'a');
  }
  return out;
}

// Glyph sizes stay within what a page can show; title data can ask for anything.
constexpr int kMaxPixels = 1000;
constexpr int kDefaultHeight = 16;
// A line stops here: with the largest glyphs its bitmap stays within about 20 MB.
constexpr int kMaxLineWidth = 16384;

// Faces titles name, with the installed fonts that stand in for them when they are missing.
std::vector<std::string> Candidates(const FontRequest& font) {
  const std::string face = Lower(font.face);
  if (face == "arial") return {"Arial", "Liberation Sans", "DejaVu Sans"};
  if (face == "times new roman") return {"Times New Roman", "Liberation Serif", "DejaVu Serif"};
  if (face == "courier new") return {"Courier New", "Liberation Mono", "DejaVu Sans Mono"};
  if (face == "symbol") return {"Symbol", "DejaVu Sans"};
  if (face == "arcsys") return {"ArcSys", "DejaVu Sans Mono", "Liberation Mono"};
  if (face == "primarycheynes") return {"PrimaryCheynes", "DejaVu Sans"};
  std::vector<std::string> list;
  if (!face.empty()) list.push_back(font.face);
  if (font.fixedPitch) {
    list.insert(list.end(), {"Liberation Mono", "DejaVu Sans Mono"});
  } else if (font.roman) {
    list.insert(list.end(), {"Liberation Serif", "DejaVu Serif"});
  } else {
    list.insert(list.end(), {"Liberation Sans", "DejaVu Sans"});
  }
  return list;
}

struct FaceInfo {
  int index = 0;
  std::string family;
  bool bold = false, italic = false;
  int strikeHeight = 0;  // bitmap faces: the pixel height of their one size
};

struct AddedFile {
  std::string path;
  std::vector<FaceInfo> faces;
};

// Where a request is drawn from.
struct Resolved {
  std::string path;
  std::vector<FaceInfo> faces;  // the faces of the family in that file (sizes of a bitmap font)
  bool syntheticBold = false, syntheticItalic = false;
  bool found = false;
};

// A face set to a request's size.
struct Sized {
  FT_Face face = nullptr;
  int ascent = 0, descent = 0;
  bool bold = false, italic = false;
  int underlineRow = 0, strikeRow = 0, lineThickness = 1;
};

}  // namespace

namespace {

// Adds `value` as the newest of at most `limit` kept values, forgetting the oldest.
template <typename T>
T& KeepNewest(std::vector<T>& kept, size_t limit, T value) {
  if (kept.size() >= limit) kept.erase(kept.begin());
  kept.push_back(std::move(value));
  return kept.back();
}

}  // namespace

struct FontSet::Impl {
  FT_Library library = nullptr;
  FcConfig* config = nullptr;
  bool fontconfigTried = false;
  std::vector<AddedFile> added;
  std::map<std::string, FT_Face> open;  // "path#index"
  std::map<std::string, Resolved> resolved;

  ~Impl() {
    for (auto& [key, face] : open) FT_Done_Face(face);
    if (library) FT_Done_FreeType(library);
    if (config) FcConfigDestroy(config);
  }

  bool Library() {
    if (!library && FT_Init_FreeType(&library) != 0) library = nullptr;
    return library != nullptr;
  }

  FT_Face Open(const std::string& path, int index) {
    const std::string key = path + "#" + std::to_string(index);
    if (auto it = open.find(key); it != open.end()) return it->second;
    FT_Face face = nullptr;
    if (!Library() || FT_New_Face(library, path.c_str(), index, &face) != 0) return nullptr;
    // Bitmap fonts of the Greek code page may carry no Unicode map: their byte map is used.
    if (FT_Select_Charmap(face, FT_ENCODING_UNICODE) != 0 && face->num_charmaps > 0) {
      FT_Set_Charmap(face, face->charmaps[0]);
    }
    open[key] = face;
    return face;
  }

  std::vector<FaceInfo> ReadFaces(const std::string& path) {
    std::vector<FaceInfo> faces;
    FT_Face first = Open(path, 0);
    if (!first) return faces;
    const long count = std::min<long>(first->num_faces, 64);
    for (int i = 0; i < count; ++i) {
      FT_Face face = Open(path, i);
      if (!face || !face->family_name) continue;
      FaceInfo info;
      info.index = i;
      info.family = face->family_name;
      info.bold = (face->style_flags & FT_STYLE_FLAG_BOLD) != 0;
      info.italic = (face->style_flags & FT_STYLE_FLAG_ITALIC) != 0;
      if (!FT_IS_SCALABLE(face) && face->num_fixed_sizes > 0) {
        info.strikeHeight = face->available_sizes[0].height;
      }
      faces.push_back(info);
    }
    return faces;
  }

  Resolved FromAdded(const FontRequest& font) {
    Resolved r;
    const std::string wanted = Lower(font.face);
    for (const AddedFile& file : added) {
      for (const FaceInfo& face : file.faces) {
        if (Lower(face.family) != wanted) continue;
        r.path = file.path;
        r.faces.push_back(face);
      }
      if (!r.faces.empty()) break;
    }
    if (r.faces.empty()) return r;
    r.found = true;
    // A face of the right style when the file has one, else the style made up.
    const bool bold = font.weight >= 700;
    std::vector<FaceInfo> styled;
    for (const FaceInfo& f : r.faces) {
      if (f.bold == bold && f.italic == font.italic) styled.push_back(f);
    }
    if (!styled.empty()) {
      r.faces = styled;
    } else {
      r.syntheticBold = bold && !r.faces.front().bold;
      r.syntheticItalic = font.italic && !r.faces.front().italic;
    }
    return r;
  }

  Resolved FromInstalled(const FontRequest& font) {
    Resolved r;
    if (!fontconfigTried) {
      fontconfigTried = true;
      config = FcInitLoadConfigAndFonts();
    }
    if (!config) return r;
    const bool bold = font.weight >= 700;
    const std::vector<std::string> candidates = Candidates(font);
    for (size_t c = 0; c < candidates.size() && !r.found; ++c) {
      FcPattern* pattern = FcPatternCreate();
      FcPatternAddString(pattern, FC_FAMILY,
                         reinterpret_cast<const FcChar8*>(candidates[c].c_str()));
      FcPatternAddInteger(pattern, FC_WEIGHT, bold ? FC_WEIGHT_BOLD : FC_WEIGHT_REGULAR);
      FcPatternAddInteger(pattern, FC_SLANT, font.italic ? FC_SLANT_ITALIC : FC_SLANT_ROMAN);
      FcConfigSubstitute(config, pattern, FcMatchPattern);
      FcDefaultSubstitute(pattern);
      FcResult result;
      FcPattern* match = FcFontMatch(config, pattern, &result);
      FcPatternDestroy(pattern);
      if (!match) continue;
      FcChar8* family = nullptr;
      FcChar8* file = nullptr;
      int index = 0, weight = FC_WEIGHT_REGULAR, slant = FC_SLANT_ROMAN;
      const bool last = c + 1 == candidates.size();
      if (FcPatternGetString(match, FC_FAMILY, 0, &family) == FcResultMatch &&
          FcPatternGetString(match, FC_FILE, 0, &file) == FcResultMatch &&
          (last || Lower(reinterpret_cast<const char*>(family)) == Lower(candidates[c]))) {
        FcPatternGetInteger(match, FC_INDEX, 0, &index);
        FcPatternGetInteger(match, FC_WEIGHT, 0, &weight);
        FcPatternGetInteger(match, FC_SLANT, 0, &slant);
        r.path = reinterpret_cast<const char*>(file);
        FaceInfo info;
        info.index = index;
        info.family = reinterpret_cast<const char*>(family);
        r.faces.push_back(info);
        r.syntheticBold = bold && weight < FC_WEIGHT_DEMIBOLD;
        r.syntheticItalic = font.italic && slant == FC_SLANT_ROMAN;
        r.found = Open(r.path, index) != nullptr;
      }
      FcPatternDestroy(match);
    }
    return r;
  }

  const Resolved& Resolve(const FontRequest& font) {
    const std::string key = Lower(font.face) + "|" + std::to_string(font.weight >= 700) + "|" +
                            std::to_string(font.italic) + "|" + std::to_string(font.fixedPitch) +
                            std::to_string(font.roman);
    if (auto it = resolved.find(key); it != resolved.end()) return it->second;
    Resolved r = FromAdded(font);
    if (!r.found) r = FromInstalled(font);
    return resolved[key] = r;
  }

  bool Size(const FontRequest& font, Sized& out) {
    const Resolved& r = Resolve(font);
    if (!r.found || r.faces.empty()) return false;
    out.bold = r.syntheticBold;
    out.italic = r.syntheticItalic;
    const int wanted =
        font.height == 0 ? kDefaultHeight : std::min(std::abs(font.height), kMaxPixels);
    FT_Face face = Open(r.path, r.faces.front().index);
    if (!face) return false;
    if (!FT_IS_SCALABLE(face)) {
      // A bitmap font: the size nearest the height asked for, at its own width.
      const FaceInfo* best = &r.faces.front();
      for (const FaceInfo& f : r.faces) {
        if (std::abs(f.strikeHeight - wanted) < std::abs(best->strikeHeight - wanted)) best = &f;
      }
      face = Open(r.path, best->index);
      if (!face || face->num_fixed_sizes <= 0 || FT_Select_Size(face, 0) != 0) return false;
      out.face = face;
      out.ascent = int(face->size->metrics.ascender >> 6);
      out.descent = int(-(face->size->metrics.descender >> 6));
      if (out.ascent + out.descent <= 0) {
        out.ascent = face->available_sizes[0].height;
        out.descent = 0;
      }
      out.underlineRow = out.ascent + 1;
      out.strikeRow = out.ascent - std::max(1, out.ascent / 3);
      out.lineThickness = 1;
      return true;
    }
    const double units = face->units_per_EM > 0 ? face->units_per_EM : 1000;
    double ascentUnits = face->ascender, descentUnits = -face->descender, averageUnits = 0;
    if (auto* os2 = static_cast<TT_OS2*>(FT_Get_Sfnt_Table(face, FT_SFNT_OS2))) {
      if (os2->usWinAscent + os2->usWinDescent > 0) {
        ascentUnits = os2->usWinAscent;
        descentUnits = os2->usWinDescent;
      }
      averageUnits = os2->xAvgCharWidth;
    }
    if (ascentUnits + descentUnits <= 0) {
      ascentUnits = units * 0.8;
      descentUnits = units * 0.2;
    }
    if (averageUnits <= 0) averageUnits = units / 2;
    // A positive height is the whole cell, a negative one the em.
    const double em = font.height < 0 ? wanted : wanted * units / (ascentUnits + descentUnits);
    double emWidth = em;
    if (font.width != 0) {
      const double natural = averageUnits * em / units;
      emWidth = em * std::min(std::abs(font.width), kMaxPixels) / std::max(natural, 0.01);
    }
    emWidth = std::clamp(emWidth, 1.0, double(kMaxPixels) * 4);
    if (FT_Set_Char_Size(face, FT_F26Dot6(std::lround(emWidth * 64)),
                         FT_F26Dot6(std::lround(std::max(em, 1.0) * 64)), 72, 72) != 0) {
      return false;
    }
    out.face = face;
    if (font.height > 0) {
      out.ascent = int(std::lround(ascentUnits * wanted / (ascentUnits + descentUnits)));
      out.descent = wanted - out.ascent;
    } else {
      out.ascent = int(std::lround(ascentUnits * em / units));
      out.descent = int(std::lround(descentUnits * em / units));
    }
    out.lineThickness = std::max(1, int(std::lround(face->underline_thickness * em / units)));
    out.underlineRow = out.ascent - int(std::lround(face->underline_position * em / units));
    out.strikeRow = out.ascent - std::max(1, int(std::lround(em * 0.26)));
    return true;
  }

  FT_UInt GlyphIndex(FT_Face face, char32_t cp) {
    if (face->charmap && face->charmap->encoding == FT_ENCODING_UNICODE) {
      return FT_Get_Char_Index(face, cp);
    }
    return FT_Get_Char_Index(face, UnicodeToCp1253(cp));
  }

  // Rasterised glyphs, kept per face, size and glyph: drawings repaint the same texts again
  // and again. Emptied now and then, between lines, so that it stays small.
  struct Glyph {
    bool loaded = false;
    int left = 0, top = 0, width = 0, rows = 0, pitch = 0, advance = 0;
    bool mono = true;
    std::vector<uint8_t> bits;
  };
  struct GlyphKey {
    FT_Face face;
    FT_Fixed xScale, yScale;
    FT_UInt index;
    bool operator==(const GlyphKey&) const = default;
  };
  struct GlyphKeyHash {
    size_t operator()(const GlyphKey& k) const {
      size_t h = std::hash<const void*>()(k.face);
      for (const size_t part : {size_t(k.xScale), size_t(k.yScale), size_t(k.index)}) {
        h = h * 1000003u ^ part;
      }
      return h;
    }
  };
  // Looked up for every character of every paint, so hashed rather than ordered.
  std::unordered_map<GlyphKey, Glyph, GlyphKeyHash> glyphs;

  void TrimGlyphs() {
    if (glyphs.size() > 4096) glyphs.clear();
  }

  const Glyph& LoadGlyph(const Sized& s, FT_UInt index) {
    const GlyphKey key{s.face, s.face->size->metrics.x_scale, s.face->size->metrics.y_scale,
                       index};
    if (auto it = glyphs.find(key); it != glyphs.end()) return it->second;
    Glyph& g = glyphs[key];
    if (FT_Load_Glyph(s.face, index, FT_LOAD_RENDER | FT_LOAD_TARGET_MONO | FT_LOAD_MONOCHROME) !=
        0) {
      return g;
    }
    const FT_GlyphSlot slot = s.face->glyph;
    const FT_Bitmap& bm = slot->bitmap;
    g.loaded = true;
    g.left = slot->bitmap_left;
    g.top = slot->bitmap_top;
    g.width = int(bm.width);
    g.rows = int(bm.rows);
    g.pitch = std::abs(bm.pitch);
    g.mono = bm.pixel_mode == FT_PIXEL_MODE_MONO;
    g.advance = int((slot->advance.x + 32) >> 6);
    if (bm.buffer && g.pitch > 0) g.bits.assign(bm.buffer, bm.buffer + size_t(g.pitch) * bm.rows);
    return g;
  }

  // Advance in whole pixels.
  int Advance(const Sized& s, FT_UInt glyph) {
    const Glyph& g = LoadGlyph(s, glyph);
    return g.loaded ? g.advance + (s.bold ? 1 : 0) : 0;
  }

  // Advances of the characters up to the end of Greek, kept per face, size and boldness: every
  // paint of a page with text measures its fonts again, and looking each character's glyph up
  // cost more than the rest of the text. Faces stay open while the set lives, so a face's
  // address names it.
  static constexpr char32_t kTabledCharacters = 0x400;
  static constexpr int kUnknownAdvance = std::numeric_limits<int>::min();
  struct AdvanceTable {
    FT_Face face = nullptr;
    FT_Fixed xScale = 0, yScale = 0;
    bool bold = false;
    std::vector<int> advances;
  };
  std::vector<AdvanceTable> advanceTables;

  // What MeasureCodePage measured and the lines Render drew last, newest last; both go when
  // the font files change, since a request may then name another face.
  std::vector<std::pair<FontRequest, CodePageMeasures>> codePageMeasures;
  struct RenderedLine {
    FontRequest font;
    std::u32string text;
    bool drawn = false;
    TextBitmap bitmap;
  };
  std::vector<RenderedLine> renderedLines;
  static constexpr size_t kKeptMeasures = 32, kKeptLines = 64;
  static constexpr size_t kLargestKeptLine = 64 * 1024;  // bytes of coverage: 4 MB at most

  void ForgetMeasures() {
    resolved.clear();
    codePageMeasures.clear();
    renderedLines.clear();
  }

  AdvanceTable& AdvancesOf(const Sized& s) {
    const FT_Fixed xScale = s.face->size->metrics.x_scale, yScale = s.face->size->metrics.y_scale;
    for (AdvanceTable& t : advanceTables) {
      if (t.face == s.face && t.xScale == xScale && t.yScale == yScale && t.bold == s.bold) return t;
    }
    return KeepNewest(advanceTables, 32,
                      AdvanceTable{s.face, xScale, yScale, s.bold,
                                   std::vector<int>(kTabledCharacters, kUnknownAdvance)});
  }

  int CharacterAdvance(const Sized& s, AdvanceTable& table, char32_t cp) {
    if (cp >= kTabledCharacters) return Advance(s, GlyphIndex(s.face, cp));
    int& advance = table.advances[cp];
    if (advance == kUnknownAdvance) advance = Advance(s, GlyphIndex(s.face, cp));
    return advance;
  }
};

FontSet::FontSet() : impl_(std::make_unique<Impl>()) {}
FontSet::~FontSet() = default;

bool FontSet::AddFontFile(const std::string& given) {
  // Kept by its absolute path: the current directory may change during the run.
  std::error_code ec;
  const std::filesystem::path absolute = std::filesystem::absolute(given, ec);
  const std::string path = ec ? given : absolute.lexically_normal().string();
  for (const AddedFile& f : impl_->added) {
    if (f.path == path) return true;
  }
  std::vector<FaceInfo> faces = impl_->ReadFaces(path);
  if (faces.empty()) return false;
  impl_->added.push_back({path, std::move(faces)});
  impl_->ForgetMeasures();
  return true;
}

bool FontSet::RemoveFontFile(const std::string& given) {
  std::error_code ec;
  const std::filesystem::path absolute = std::filesystem::absolute(given, ec);
  const std::string path = ec ? given : absolute.lexically_normal().string();
  const auto it = std::find_if(impl_->added.begin(), impl_->added.end(),
                               [&](const AddedFile& f) { return f.path == path; });
  if (it == impl_->added.end()) return false;
  impl_->added.erase(it);
  impl_->ForgetMeasures();
  return true;
}

std::vector<std::string> FontSet::AddedFaces() const {
  std::vector<std::string> names;
  for (const AddedFile& file : impl_->added) {
    for (const FaceInfo& face : file.faces) {
      if (std::find(names.begin(), names.end(), face.family) == names.end()) {
        names.push_back(face.family);
      }
    }
  }
  return names;
}

std::string FontSet::FileFor(const FontRequest& font) { return impl_->Resolve(font).path; }

FontMetrics FontSet::Metrics(const FontRequest& font) {
  Sized s;
  if (!impl_->Size(font, s)) return {};
  return {s.ascent, s.descent};
}

std::vector<int> FontSet::Advances(const FontRequest& font, std::u32string_view text) {
  std::vector<int> advances(text.size(), 0);
  Sized s;
  if (!impl_->Size(font, s)) return advances;
  Impl::AdvanceTable& table = impl_->AdvancesOf(s);
  for (size_t i = 0; i < text.size(); ++i) advances[i] = impl_->CharacterAdvance(s, table, text[i]);
  return advances;
}

CodePageMeasures FontSet::MeasureCodePage(const FontRequest& font) {
  auto& kept = impl_->codePageMeasures;
  for (auto it = kept.rbegin(); it != kept.rend(); ++it) {
    if (it->first == font) return it->second;
  }
  CodePageMeasures m;
  m.metrics = Metrics(font);
  std::u32string all(256, U' ');
  for (int c = 0; c < 256; ++c) all[size_t(c)] = Cp1253ToUnicode(uint8_t(c));
  const std::vector<int> advances = Advances(font, all);
  std::copy(advances.begin(), advances.end(), m.advances.begin());
  KeepNewest(kept, Impl::kKeptMeasures, {font, m});
  return m;
}

bool FontSet::Render(const FontRequest& font, std::u32string_view text, TextBitmap& out) {
  // Pages paint the same lines again and again.
  auto& lines = impl_->renderedLines;
  for (auto it = lines.rbegin(); it != lines.rend(); ++it) {
    if (it->text == text && it->font == font) {
      out = it->bitmap;
      return it->drawn;
    }
  }
  const bool drawn = RenderLine(font, text, out);
  if (out.coverage.size() > Impl::kLargestKeptLine) return drawn;
  KeepNewest(lines, Impl::kKeptLines, {font, std::u32string(text), drawn, out});
  return drawn;
}

bool FontSet::RenderLine(const FontRequest& font, std::u32string_view text, TextBitmap& out) {
  out = {};
  Sized s;
  if (!impl_->Size(font, s)) return false;
  const int height = std::max(s.ascent + s.descent, 1);
  // Slanted text leans right by a fifth of the height above the baseline.
  const auto lean = [&](int row) { return s.italic ? (s.ascent - row) / 5 : 0; };
  struct Placed {
    int x = 0, top = 0;
    const Impl::Glyph* glyph = nullptr;
  };
  std::vector<Placed> glyphs;
  int pen = 0, right = 0;
  impl_->TrimGlyphs();
  for (const char32_t cp : text) {
    const Impl::Glyph& g = impl_->LoadGlyph(s, impl_->GlyphIndex(s.face, cp));
    if (!g.loaded) continue;
    const Placed placed{pen + g.left, s.ascent - g.top, &g};
    right = std::max(right, placed.x + g.width + (s.bold ? 1 : 0) + lean(0));
    pen += g.advance + (s.bold ? 1 : 0);
    glyphs.push_back(placed);
    if (pen > kMaxLineWidth) break;  // far wider than any page
  }
  right = std::max(right, pen);
  out.width = std::clamp(right, 0, kMaxLineWidth + 2 * kMaxPixels);
  out.height = height;
  out.baseline = s.ascent;
  out.coverage.assign(size_t(out.width) * size_t(out.height), 0);
  const auto set = [&](int x, int y) {
    if (x >= 0 && x < out.width && y >= 0 && y < out.height) {
      out.coverage[size_t(y) * size_t(out.width) + size_t(x)] = 255;
    }
  };
  for (const Placed& p : glyphs) {
    const Impl::Glyph& g = *p.glyph;
    if (g.bits.size() < size_t(g.pitch) * size_t(g.rows)) continue;
    for (int r = 0; r < g.rows; ++r) {
      const int y = p.top + r;
      if (y < 0 || y >= out.height) continue;
      for (int c = 0; c < g.width; ++c) {
        const bool on = g.mono
                            ? (g.bits[size_t(r) * g.pitch + size_t(c / 8)] & (0x80 >> (c % 8))) != 0
                            : g.bits[size_t(r) * g.pitch + size_t(c)] >= 128;
        if (!on) continue;
        const int x = p.x + c + lean(y);
        set(x, y);
        if (s.bold) set(x + 1, y);
      }
    }
  }
  const auto line = [&](int row) {
    for (int t = 0; t < s.lineThickness; ++t) {
      const int y = std::clamp(row + t, 0, out.height - 1);
      for (int x = 0; x < pen && x < out.width; ++x) set(x, y);
    }
  };
  if (font.underline) line(s.underlineRow);
  if (font.strikeOut) line(s.strikeRow);
  return true;
}

}  // namespace zd::platform
