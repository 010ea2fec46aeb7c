// The files the save-object entry writes, read back as another program would read them:
// bitmaps (headers, colour tables, rows), sprite files, metafiles (a walk over their records),
// plain text, and the names the save dialog makes.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "base/cp1253.h"
#include "platform/png_codec.h"
#include "platform/text_fonts.h"
#include "support/test_support.h"
#include "title/export/bmp_writer.h"
#include "title/export/emf_writer.h"
#include "title/export/export_formats.h"
#include "title/export/export_writers.h"
#include "title/export/save_object_dialog.h"
#include "title/export/sprite_file_writer.h"

namespace zd {
namespace {

uint32_t U32(const std::string& b, size_t at) {
  return uint32_t(uint8_t(b[at])) | uint32_t(uint8_t(b[at + 1])) << 8 |
         uint32_t(uint8_t(b[at + 2])) << 16 | uint32_t(uint8_t(b[at + 3])) << 24;
}
uint16_t U16(const std::string& b, size_t at) {
  return uint16_t(uint8_t(b[at]) | uint8_t(b[at + 1]) << 8);
}
void Put(std::vector<uint8_t>& v, uint32_t w) {
  for (int i = 0; i < 4; ++i) v.push_back(uint8_t(w >> (8 * i)));
}

// A sprite of `width` x `height` pixels in `mode`, pixel (x, y) = value(x, y), rows top-down,
// the leftmost pixel in the low bits, with `palette` words when given.
template <typename Value>
std::vector<uint8_t> MakeSprite(uint32_t mode, int bpp, int width, int height, Value value,
                                const std::vector<uint32_t>& palette = {}) {
  const int bits = width * bpp;
  const int words = (bits + 31) / 32;
  const uint32_t image = 44 + uint32_t(palette.size()) * 8;
  const uint32_t size = image + uint32_t(words * 4 * height);
  std::vector<uint8_t> s;
  Put(s, size);
  for (const char c : std::string("picture\0\0\0\0\0", 12)) s.push_back(uint8_t(c));
  Put(s, uint32_t(words - 1));
  Put(s, uint32_t(height - 1));
  Put(s, 0);
  Put(s, uint32_t((bits - 1) % 32));
  Put(s, image);
  Put(s, image);
  Put(s, mode);
  for (const uint32_t p : palette) {
    Put(s, p);
    Put(s, p);
  }
  for (int y = 0; y < height; ++y) {
    std::vector<uint8_t> row(size_t(words) * 4, 0);
    for (int x = 0; x < width; ++x) {
      const int bit = x * bpp;
      row[size_t(bit / 8)] |= uint8_t(value(x, y) << (bit % 8));
    }
    s.insert(s.end(), row.begin(), row.end());
  }
  return s;
}

ByteView View(const std::vector<uint8_t>& v) { return ByteView(v.data(), v.size()); }

// Pixel (x, y) of an uncompressed bitmap, counted from its top row.
int BitmapPixel(const std::string& bmp, int x, int y) {
  const int width = int(U32(bmp, 18)), height = int(U32(bmp, 22)), bpp = U16(bmp, 28);
  const size_t stride = (size_t(width) * size_t(bpp) + 31) / 32 * 4;
  const size_t row = U32(bmp, 10) + stride * size_t(height - 1 - y);
  const size_t bit = size_t(x) * size_t(bpp);
  return (uint8_t(bmp[row + bit / 8]) >> (8 - bpp - bit % 8)) & ((1 << bpp) - 1);
}

TEST(ExportBitmap, HeadersColoursAndRowsAtEachDepth) {
  struct Case {
    uint32_t mode;
    int bpp;
    int colours;
  };
  for (const Case c : {Case{25, 1, 2}, Case{27, 4, 16}, Case{28, 8, 256}}) {
    SCOPED_TRACE(c.bpp);
    const int mask = (1 << c.bpp) - 1;
    const auto value = [&](int x, int y) { return (x * 3 + y * 5) & mask; };
    const auto sprite = MakeSprite(c.mode, c.bpp, 13, 7, value);
    std::string bmp;
    ASSERT_EQ(EncodeBitmap(View(sprite), bmp), ExportResult::Saved);
    const uint32_t offset = 14 + 40 + 4 * (1u << c.bpp);
    const size_t stride = (size_t(13) * size_t(c.bpp) + 31) / 32 * 4;
    EXPECT_EQ(bmp.substr(0, 2), "BM");
    EXPECT_EQ(U32(bmp, 2), bmp.size());
    EXPECT_EQ(U32(bmp, 6), 0u);
    EXPECT_EQ(U32(bmp, 10), offset);
    EXPECT_EQ(U32(bmp, 14), 40u);
    EXPECT_EQ(U32(bmp, 18), 13u);
    EXPECT_EQ(U32(bmp, 22), 7u);
    EXPECT_EQ(U16(bmp, 28), c.bpp);
    EXPECT_EQ(U32(bmp, 46), uint32_t(c.colours));
    EXPECT_EQ(bmp.size(), offset + stride * 7);
    for (int y = 0; y < 7; ++y) {
      for (int x = 0; x < 13; ++x) ASSERT_EQ(BitmapPixel(bmp, x, y), value(x, y)) << x << "," << y;
    }
  }
  {
    SCOPED_TRACE("the default 1-bit table: white, then black");
    std::string bmp;
    const auto sprite = MakeSprite(25, 1, 8, 1, [](int, int) { return 0; });
    ASSERT_EQ(EncodeBitmap(View(sprite), bmp), ExportResult::Saved);
    EXPECT_EQ(U32(bmp, 54), 0x00FFFFFFu);
    EXPECT_EQ(U32(bmp, 58), 0x00000000u);
  }
  {
    SCOPED_TRACE("a 4-bit sprite's own palette");
    std::vector<uint32_t> palette(16, 0);
    palette[3] = 0x3366CC00;  // blue 0x33, green 0x66, red 0xCC
    std::string bmp;
    const auto sprite = MakeSprite(27, 4, 2, 2, [](int, int) { return 3; }, palette);
    ASSERT_EQ(EncodeBitmap(View(sprite), bmp), ExportResult::Saved);
    EXPECT_EQ(U32(bmp, 54 + 3 * 4), 0x00CC6633u);  // blue, green, red, 0 in the file
  }
}

TEST(ExportBitmap, TwoBitPixelsAreWidenedAndUnsavableSpritesRefused) {
  const auto sprite = MakeSprite(26, 2, 5, 3, [](int x, int y) { return (x + y) & 3; });
  std::string bmp;
  ASSERT_EQ(EncodeBitmap(View(sprite), bmp), ExportResult::Saved);
  EXPECT_EQ(U16(bmp, 28), 4);
  EXPECT_EQ(BitmapPixel(bmp, 3, 2), (3 + 2) & 3);
  EXPECT_EQ(U32(bmp, 54 + 1 * 4), U32(bmp, 54 + 5 * 4)) << "the four colours repeated";

  // A 32-bit sprite (a mode word with a sprite type) is not a kind the bitmap takes.
  const uint32_t trueColour = (6u << 27) | (90u << 14) | (90u << 1) | 1u;
  auto deep = MakeSprite(28, 8, 4, 4, [](int, int) { return 1; });
  deep[40] = uint8_t(trueColour), deep[41] = uint8_t(trueColour >> 8);
  deep[42] = uint8_t(trueColour >> 16), deep[43] = uint8_t(trueColour >> 24);
  bmp.clear();
  EXPECT_EQ(EncodeBitmap(View(deep), bmp), ExportResult::KindMismatch);
  EXPECT_EQ(ResultKey(ExportResult::KindMismatch, true), "saverr3");
  EXPECT_TRUE(bmp.empty());

  // A header claiming far more rows than its data holds, and one with a huge width.
  auto lying = MakeSprite(28, 8, 4, 4, [](int, int) { return 1; });
  lying[20] = lying[21] = lying[22] = 0xFF;
  EXPECT_EQ(EncodeBitmap(View(lying), bmp), ExportResult::NoData);
  auto wide = MakeSprite(28, 8, 4, 4, [](int, int) { return 1; });
  wide[16] = wide[17] = wide[18] = wide[19] = 0xFF;
  EXPECT_NE(EncodeBitmap(View(wide), bmp), ExportResult::Saved);
  EXPECT_EQ(EncodeBitmap(ByteView(), bmp), ExportResult::NoData);
}

TEST(ExportSpriteFile, ThreeWordsThenTheSprite) {
  const auto sprite = MakeSprite(28, 8, 4, 2, [](int x, int) { return x; });
  std::string file;
  ASSERT_EQ(EncodeSpriteFile(View(sprite), file), ExportResult::Saved);
  ASSERT_EQ(file.size(), sprite.size() + 12);
  EXPECT_EQ(U32(file, 0), 1u);
  EXPECT_EQ(U32(file, 4), 16u);
  EXPECT_EQ(U32(file, 8), sprite.size() + 16);
  EXPECT_EQ(file.substr(12), std::string(sprite.begin(), sprite.end()));
  auto cut = sprite;
  cut.resize(30);
  EXPECT_EQ(EncodeSpriteFile(View(cut), file), ExportResult::NoData);
}

// A Draw file of one filled and outlined triangle and a line of text, as a title's drawing.
std::string SmallDrawing() {
  std::vector<uint8_t> d;
  for (const char c : std::string("Draw")) d.push_back(uint8_t(c));
  Put(d, 201);
  Put(d, 0);
  for (const char c : std::string("Zendral test")) d.push_back(uint8_t(c));
  Put(d, 0);
  Put(d, 0);
  Put(d, 40000);
  Put(d, 40000);
  // Path object: fill red, outline black, width 0, style 0, move, line, line, close, end.
  std::vector<uint8_t> path;
  Put(path, 2);
  Put(path, 0);
  Put(path, 0), Put(path, 0), Put(path, 40000), Put(path, 40000);
  Put(path, 0x0000FF00), Put(path, 0x00000000), Put(path, 0), Put(path, 0);
  Put(path, 2), Put(path, 0), Put(path, 0);
  Put(path, 8), Put(path, 40000), Put(path, 0);
  Put(path, 8), Put(path, 20000), Put(path, 40000);
  Put(path, 5);
  Put(path, 0);
  const uint32_t size = uint32_t(path.size());
  for (int i = 0; i < 4; ++i) path[4 + i] = uint8_t(size >> (8 * i));
  d.insert(d.end(), path.begin(), path.end());
  return std::string(d.begin(), d.end());
}

// The record types of a metafile, after checking that its records add up to its header's
// byte and record counts and that the end record comes last.
std::vector<uint32_t> WalkRecords(const std::string& emf) {
  std::vector<uint32_t> types;
  size_t offset = 0;
  while (offset + 8 <= emf.size()) {
    const uint32_t type = U32(emf, offset), size = U32(emf, offset + 4);
    if (size < 8 || size % 4 != 0 || offset + size > emf.size()) break;
    types.push_back(type);
    offset += size;
  }
  EXPECT_EQ(offset, emf.size());
  EXPECT_EQ(U32(emf, 48), emf.size());
  EXPECT_EQ(U32(emf, 52), types.size());
  EXPECT_FALSE(types.empty());
  if (!types.empty()) {
    EXPECT_EQ(types.back(), 14u);
  }
  return types;
}

bool Holds(const std::vector<uint32_t>& types, uint32_t type) {
  return std::find(types.begin(), types.end(), type) != types.end();
}

TEST(ExportMetafile, RecordsAddUpToTheHeaderAndEndWithEof) {
  platform::FontSet fonts;
  std::string emf;
  ASSERT_EQ(EncodeMetafile(ByteView(SmallDrawing()), 200, 150, Utf8ToCp1253("Τίτλος"), fonts, emf),
            ExportResult::Saved);
  ASSERT_GE(emf.size(), 108u);
  EXPECT_EQ(U32(emf, 0), 1u);
  EXPECT_EQ(U32(emf, 40), 0x464D4520u);
  EXPECT_EQ(U32(emf, 44), 0x10000u);
  EXPECT_EQ(U32(emf, 16), 199u);  // bounds: right and bottom inclusive
  EXPECT_EQ(U32(emf, 20), 149u);
  // The description: "Zendral", NUL, the title, NUL, NUL in UTF-16LE.
  const uint32_t chars = U32(emf, 60), at = U32(emf, 64);
  ASSERT_EQ(chars, 7u + 1 + 6 + 2);
  std::u16string description;
  for (uint32_t i = 0; i < chars; ++i) description += char16_t(U16(emf, at + 2 * i));
  EXPECT_EQ(description, std::u16string(u"Zendral\0Τίτλος\0\0", chars));
  const auto types = WalkRecords(emf);
  EXPECT_TRUE(Holds(types, 59) && Holds(types, 27) && Holds(types, 61) && Holds(types, 62));

  for (const char* name : {"rool-draw-test-allin.aff", "rool-draw-pictures-news.aff",
                           "rool-draw-test-trfmsprite.aff"}) {
    const std::string real = test::SourceDir() + "/../shared/testdata/riscos/draw/" + name;
    if (!std::filesystem::exists(real)) continue;
    SCOPED_TRACE(name);
    ASSERT_EQ(EncodeMetafile(ByteView(test::ReadFile(real)), 640, 480, "", fonts, emf),
              ExportResult::Saved);
    const auto types = WalkRecords(emf);
    EXPECT_TRUE(Holds(types, 82) && Holds(types, 84)) << "its text, in a font of its own";
  }

  EXPECT_EQ(EncodeMetafile(ByteView(std::string("not a drawing")), 10, 10, "", fonts, emf),
            ExportResult::KindMismatch);
}

TEST(ExportMetafile, TheLargestBoxIsWrittenExactlyAndLargerOnesRefused) {
  platform::FontSet fonts;
  std::string emf;
  ASSERT_EQ(EncodeMetafile(ByteView(SmallDrawing()), 32767, 20000, "", fonts, emf),
            ExportResult::Saved);
  EXPECT_EQ(U32(emf, 16), 32766u);
  // The frame in hundredths of a millimetre at 96 pixels an inch.
  EXPECT_EQ(U32(emf, 32), uint32_t(int64_t(32767) * 2540 / 96 - 1));
  EXPECT_EQ(U32(emf, 36), uint32_t(int64_t(20000) * 2540 / 96 - 1));
  WalkRecords(emf);

  emf = "untouched";
  EXPECT_EQ(EncodeMetafile(ByteView(SmallDrawing()), 32768, 100, "", fonts, emf),
            ExportResult::NoData);
  EXPECT_EQ(EncodeMetafile(ByteView(SmallDrawing()), 100, 30000000, "", fonts, emf),
            ExportResult::NoData);
  EXPECT_EQ(emf, "untouched") << "nothing is written for a refused box";
}

TEST(ExportPng, PicturesAreEncodedInMemoryAndReadBack) {
  platform::RgbaImage rgba{3, 2, {}};
  for (int i = 0; i < 6; ++i) rgba.rgba.insert(rgba.rgba.end(), {uint8_t(i * 40), 7, 9, 255});
  rgba.rgba[3] = 0;  // the first pixel transparent
  std::string png, error;
  ASSERT_TRUE(platform::EncodePngRgba(rgba, png, error)) << error;
  platform::RgbaImage back;
  ASSERT_TRUE(platform::DecodePngRgba(reinterpret_cast<const uint8_t*>(png.data()), png.size(),
                                      back, error)) << error;
  EXPECT_EQ(back.width, 3);
  EXPECT_EQ(back.height, 2);
  EXPECT_EQ(back.rgba, rgba.rgba);

  // An indexed picture read from rows with room to spare after each.
  const std::vector<uint8_t> rows{1, 2, 99, 3, 4, 99};
  platform::PaletteRgb palette{};
  palette[4] = {10, 20, 30};
  ASSERT_TRUE(platform::EncodePngIndexed({rows.data(), 2, 2, 3}, palette, 256, png, error));
  platform::IndexedImage indexed;
  ASSERT_TRUE(platform::DecodePngIndexed(reinterpret_cast<const uint8_t*>(png.data()), png.size(),
                                         indexed, error)) << error;
  EXPECT_EQ(indexed.pixels, (std::vector<uint8_t>{1, 2, 3, 4}));
  EXPECT_EQ(indexed.palette[4].b, 30);
  EXPECT_FALSE(platform::EncodePngRgba(platform::RgbaImage{}, png, error));
}

TEST(ExportText, MarkupGoesAndGreekBecomesUtf8) {
  const std::string marked = Utf8ToCp1253("<B>Καλημέρα</B> κόσμε<BR>δεύτερη");
  EXPECT_EQ(PlainTextUtf8(marked), "Καλημέρα κόσμε\r\nδεύτερη");
}

TEST(ExportDialogNames, ExtensionsAndNamesTheSystemCannotWrite) {
  EXPECT_EQ(WithExtension("out", "BMP"), "out.BMP");
  EXPECT_EQ(WithExtension("C:\\pics\\out", "BMP"), "C:\\pics\\out.BMP");
  EXPECT_EQ(WithExtension("/tmp/a.b/out", "DRW"), "/tmp/a.b/out.DRW");
  EXPECT_EQ(WithExtension("out.", "TXT"), "out.TXT");
  EXPECT_EQ(WithExtension("out.png", "BMP"), "out.png") << "a typed extension is kept";
  EXPECT_TRUE(UnwritableName("a?b.bmp"));
  EXPECT_TRUE(UnwritableName(std::string("a\xAA") + "b"));  // a byte the code page leaves unused
  EXPECT_FALSE(UnwritableName(Utf8ToCp1253("εικόνα.bmp")));
  EXPECT_EQ(NamePart("C:\\pics\\out.bmp"), "out.bmp");
  EXPECT_EQ(NamePart("/tmp/out/"), "") << "a folder has no name part";
  EXPECT_EQ(NamePart("C:\\pics\\"), "");
}

TEST(ExportFormatsOffered, EachKindGetsItsFormatsInTableOrder) {
  using enum ExportFormat;
  EXPECT_EQ(OfferedFormats(OfferMask(ExportKind::Sprite)), (std::vector{Bitmap, Png}));
  EXPECT_EQ(OfferedFormats(OfferMask(ExportKind::Drawing)),
            (std::vector{Metafile, DrawFile, Png, Svg}));
  EXPECT_EQ(OfferedFormats(OfferMask(ExportKind::Text)), (std::vector{Text}));
  EXPECT_EQ(OfferedFormats(OfferMask(ExportKind::Map)), (std::vector{Map}))
      << "a metafile cannot hold a map, so it is not offered";
  EXPECT_EQ(OfferedFormats(FormatBit(SpriteFile) | FormatBit(Bitmap)), (std::vector{Bitmap}));
}

}  // namespace
}  // namespace zd
