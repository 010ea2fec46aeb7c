#include "title/export/emf_writer.h"

#include <algorithm>
#include <cstdint>
#include <limits>
#include <vector>

#include "base/cp1253.h"
#include "base/little_endian.h"
#include "graphics/draw/draw_file.h"
#include "graphics/sprites/sprite_decode.h"
#include "graphics/text/text_painter.h"
#include "title/export/picture_limits.h"

namespace zd {
namespace {

// Record types.
constexpr uint32_t EMR_HEADER = 1, EMR_EOF = 14, EMR_POLYLINETO = 6, EMR_SETBKMODE = 18, EMR_SETPOLYFILLMODE = 19,
                   EMR_SETTEXTALIGN = 22, EMR_SETTEXTCOLOR = 24, EMR_MOVETOEX = 27,
                   EMR_SELECTOBJECT = 37, EMR_CREATEPEN = 38, EMR_CREATEBRUSHINDIRECT = 39,
                   EMR_DELETEOBJECT = 40, EMR_BEGINPATH = 59, EMR_ENDPATH = 60,
                   EMR_CLOSEFIGURE = 61, EMR_FILLPATH = 62, EMR_STROKEPATH = 64,
                   EMR_STRETCHDIBITS = 81, EMR_EXTCREATEFONTINDIRECTW = 82,
                   EMR_EXTTEXTOUTW = 84, EMR_POLYLINETO16 = 89;
constexpr uint32_t kSignature = 0x464D4520, kVersion = 0x10000;
constexpr uint32_t kHeaderSize = 108;
// Object slots: 0 is the metafile's own; each kind of object reuses one.
constexpr uint32_t kBrush = 1, kPen = 2, kFont = 3, kHandles = 4;
constexpr uint32_t kNullBrush = 0x80000005, kBlackPen = 0x80000007, kNullPen = 0x80000008,
                   kSystemFont = 0x8000000D;
// The reference device: 96 pixels an inch.
constexpr int kDeviceWidth = 1024, kDeviceHeight = 768;
constexpr int64_t kHundredthsMmPerInch = 2540, kPixelsPerInch = 96;

// Record coordinates are 32-bit words; a sum that leaves their range is held at its edge.
int32_t Clamp32(int64_t v) {
  return int32_t(std::clamp<int64_t>(v, std::numeric_limits<int32_t>::min(),
                                     std::numeric_limits<int32_t>::max()));
}

bool FitsShort(const Point& p) {
  return p.x >= -32768 && p.x <= 32767 && p.y >= -32768 && p.y <= 32767;
}

uint32_t ColourRef(uint32_t drawColour) {
  return uint32_t(draw::Red(drawColour)) | uint32_t(draw::Green(drawColour)) << 8 |
         uint32_t(draw::Blue(drawColour)) << 16;
}

std::u16string Utf16(std::u32string_view text) {
  std::u16string out;
  for (char32_t c : text) {
    if (c >= 0x10000) {
      c -= 0x10000;
      out += char16_t(0xD800 + (c >> 10));
      out += char16_t(0xDC00 + (c & 0x3FF));
    } else {
      out += char16_t(c);
    }
  }
  return out;
}

std::u32string Unicode(std::string_view cp1253) {
  std::u32string out;
  for (const char c : cp1253) out += Cp1253ToUnicode(uint8_t(c));
  return out;
}

// One record being built: its type and size word first, the size filled in at the end.
class Record {
 public:
  explicit Record(uint32_t type) { U32(type).U32(0); }
  Record& U32(uint32_t v) {
    for (int i = 0; i < 4; ++i) bytes_ += char((v >> (8 * i)) & 0xFF);
    return *this;
  }
  Record& I32(int64_t v) { return U32(uint32_t(Clamp32(v))); }
  Record& U16(uint16_t v) {
    bytes_ += char(v & 0xFF);
    bytes_ += char(v >> 8);
    return *this;
  }
  Record& Text(const std::u16string& text) {
    for (const char16_t c : text) U16(uint16_t(c));
    return *this;
  }
  Record& Bytes(std::string_view b) {
    bytes_ += b;
    return *this;
  }
  Record& Pad() {
    while (bytes_.size() % 4) bytes_ += '\0';
    return *this;
  }
  size_t size() const { return bytes_.size(); }
  std::string Finish() {
    Pad();
    const auto n = uint32_t(bytes_.size());
    for (int i = 0; i < 4; ++i) bytes_[4 + i] = char((n >> (8 * i)) & 0xFF);
    return std::move(bytes_);
  }

 private:
  std::string bytes_;
};

class MetafileSurface final : public DrawSurface {
 public:
  explicit MetafileSurface(platform::FontSet& fonts) : fonts_(fonts) {}

  void Polygon(std::span<const Point> points, FillRule rule, uint32_t colour) override {
    if (points.size() < 3) return;
    Add(Record(EMR_SETPOLYFILLMODE).U32(rule == FillRule::EvenOdd ? 1 : 2));
    Add(Record(EMR_CREATEBRUSHINDIRECT).U32(kBrush).U32(0).U32(ColourRef(colour)).U32(0));
    Add(Record(EMR_SELECTOBJECT).U32(kBrush));
    Add(Record(EMR_SELECTOBJECT).U32(kNullPen));
    Path(points, true);
    Add(Bounded(EMR_FILLPATH, points));
    Add(Record(EMR_SELECTOBJECT).U32(kNullBrush));
    Add(Record(EMR_DELETEOBJECT).U32(kBrush));
  }

  void Polyline(std::span<const Point> points, int width, bool dotted, uint32_t colour) override {
    if (points.size() < 2) return;
    const uint32_t style = dotted && width <= 1 ? 2 : 0;  // PS_DOT, PS_SOLID
    Add(Record(EMR_CREATEPEN).U32(kPen).U32(style).I32(std::max(width, 1)).I32(0)
            .U32(ColourRef(colour)));
    Add(Record(EMR_SELECTOBJECT).U32(kPen));
    Path(points, false);
    Add(Bounded(EMR_STROKEPATH, points));
    Add(Record(EMR_SELECTOBJECT).U32(kBlackPen));
    Add(Record(EMR_DELETEOBJECT).U32(kPen));
  }

  void TextLine(int x, int y, const LogicalFont& font, std::string_view text,
                uint32_t colour) override {
    WithFont(font, colour, [&] { Text(x, y, font, Unicode(text)); });
  }

  void TextBox(const Rect& box, const LogicalFont& font, std::string_view text, uint32_t colour,
               TextAlign align) override {
    const auto lines = WrapText(fonts_, font, text, box, align);
    WithFont(font, colour, [&] {
      for (const WrappedLine& line : lines) Text(line.x, line.y, font, line.text);
    });
  }

  // The sprite's colours over white (its transparent parts), 24 bits a pixel, rows bottom-up.
  void Sprite(const Rect& destination, ByteView sprite) override {
    const auto picture = DecodeSpriteRgba(sprite, false);
    if (!picture || destination.empty() || picture->width <= 0 || picture->height <= 0) return;
    const int w = picture->width, h = picture->height;
    // Every sprite is expanded to 24 bits in memory: all of them together are held to the
    // limit of one picture, and a drawing that needs more is not written at all.
    spritePixels_ += int64_t(w) * int64_t(h);
    if (PictureTooLarge(w, h) || spritePixels_ > kLargestPicturePixels) {
      tooLarge_ = true;
      return;
    }
    const size_t stride = (size_t(w) * 3 + 3) / 4 * 4;
    std::string bits(stride * size_t(h), '\0');
    for (int y = 0; y < h; ++y) {
      char* row = bits.data() + stride * size_t(h - 1 - y);
      for (int x = 0; x < w; ++x) {
        const uint8_t* p = &picture->rgba[(size_t(y) * size_t(w) + size_t(x)) * 4];
        const auto over = [&](uint8_t c) { return char((c * p[3] + 255 * (255 - p[3])) / 255); };
        row[x * 3] = over(p[2]);
        row[x * 3 + 1] = over(p[1]);
        row[x * 3 + 2] = over(p[0]);
      }
    }
    constexpr uint32_t kRecordHead = 80, kInfoSize = 40;
    Record r(EMR_STRETCHDIBITS);
    r.I32(destination.left).I32(destination.top).I32(destination.right - 1)
        .I32(destination.bottom - 1);
    r.I32(destination.left).I32(destination.top).I32(0).I32(0).I32(w).I32(h);
    r.U32(kRecordHead).U32(kInfoSize).U32(kRecordHead + kInfoSize).U32(uint32_t(bits.size()));
    r.U32(0).U32(0x00CC0020);  // DIB_RGB_COLORS, SRCCOPY
    r.I32(destination.width()).I32(destination.height());
    r.U32(kInfoSize).I32(w).I32(h).U16(1).U16(24).U32(0).U32(uint32_t(bits.size()))
        .U32(0).U32(0).U32(0).U32(0);
    r.Bytes(bits);
    Add(std::move(r));
  }

  std::vector<std::string>& records() { return records_; }
  bool tooLarge() const { return tooLarge_; }

 private:
  void Add(Record record) { records_.push_back(record.Finish()); }

  static Record Bounded(uint32_t type, std::span<const Point> points) {
    int l = points[0].x, t = points[0].y, r = l, b = t;
    for (const Point& p : points) {
      l = std::min(l, p.x), t = std::min(t, p.y), r = std::max(r, p.x), b = std::max(b, p.y);
    }
    Record record(type);
    record.I32(l).I32(t).I32(r).I32(b);
    return record;
  }

  void Path(std::span<const Point> points, bool closed) {
    Add(Record(EMR_BEGINPATH));
    Add(Record(EMR_MOVETOEX).I32(points[0].x).I32(points[0].y));
    const auto rest = points.subspan(1);
    // Short coordinates when every point has one; whole words otherwise, never a clamped point.
    const bool short16 = std::all_of(rest.begin(), rest.end(), FitsShort);
    Record lines = Bounded(short16 ? EMR_POLYLINETO16 : EMR_POLYLINETO, rest);
    lines.U32(uint32_t(rest.size()));
    for (const Point& p : rest) {
      if (short16) {
        lines.U16(uint16_t(int16_t(p.x))).U16(uint16_t(int16_t(p.y)));
      } else {
        lines.I32(p.x).I32(p.y);
      }
    }
    Add(std::move(lines));
    if (closed) Add(Record(EMR_CLOSEFIGURE));
    Add(Record(EMR_ENDPATH));
  }

  template <typename Draw>
  void WithFont(const LogicalFont& font, uint32_t colour, Draw draw) {
    Record f(EMR_EXTCREATEFONTINDIRECTW);
    f.U32(kFont).I32(-std::max(font.height, 1)).I32(font.width).I32(font.escapement)
        .I32(font.orientation).I32(font.weight);
    f.Bytes(std::string{char(font.italic), char(font.underline), char(font.strikeOut),
                        char(font.charSet), char(font.outPrecision), char(font.clipPrecision),
                        char(font.quality), char(font.pitchAndFamily)});
    std::u16string face = Utf16(Unicode(font.faceName)).substr(0, 31);
    face.resize(32, u'\0');
    f.Text(face);
    Add(std::move(f));
    Add(Record(EMR_SELECTOBJECT).U32(kFont));
    Add(Record(EMR_SETTEXTCOLOR).U32(ColourRef(colour)));
    draw();
    Add(Record(EMR_SELECTOBJECT).U32(kSystemFont));
    Add(Record(EMR_DELETEOBJECT).U32(kFont));
  }

  // One line with its cell's top-left at (x, y); every character is given an even share of
  // the line's width, as the metafile needs one.
  void Text(int x, int y, const LogicalFont& font, std::u32string_view text) {
    const std::u16string units = Utf16(text);
    if (units.empty()) return;
    const int height = std::max(font.height, 1);
    const int advance = font.width > 0 ? font.width : std::max(height / 2, 1);
    const uint32_t count = uint32_t(units.size());
    constexpr uint32_t kHead = 76;
    const uint32_t textBytes = (count * 2 + 3) / 4 * 4;
    Record r(EMR_EXTTEXTOUTW);
    const int64_t right = int64_t(x) + int64_t(advance) * int64_t(count);
    const int64_t bottom = int64_t(y) + height;
    r.I32(x).I32(y).I32(right).I32(bottom);
    r.U32(1).U32(0).U32(0);  // GM_COMPATIBLE, no scaling
    r.I32(x).I32(y).U32(count).U32(kHead).U32(0).I32(x).I32(y).I32(right).I32(bottom)
        .U32(kHead + textBytes);
    r.Text(units).Pad();
    for (uint32_t i = 0; i < count; ++i) r.I32(advance);
    Add(std::move(r));
  }

  platform::FontSet& fonts_;
  std::vector<std::string> records_;
  int64_t spritePixels_ = 0;
  bool tooLarge_ = false;
};

}  // namespace

ExportResult EncodeMetafile(ByteView drawing, int width, int height,
                            const std::string& description, platform::FontSet& fonts,
                            std::string& emf) {
  if (!DrawFileBox(drawing)) return ExportResult::KindMismatch;
  if (width <= 0 || height <= 0) return ExportResult::NoData;
  // Logical coordinates and the frame in hundredths of a millimetre must stay well inside the
  // words that hold them; larger boxes are refused.
  if (width > kLargestMetafileSide || height > kLargestMetafileSide) return ExportResult::NoData;
  // The drawing ends where its objects end; the all-ones word stops a file that has no end.
  std::vector<uint8_t> data(drawing.data(), drawing.data() + drawing.size());
  data.insert(data.end(), 4, uint8_t{0xFF});

  MetafileSurface surface(fonts);
  surface.records().emplace_back();  // the header, made once the rest is known
  surface.records().push_back(Record(EMR_SETBKMODE).U32(1).Finish());       // TRANSPARENT
  surface.records().push_back(Record(EMR_SETTEXTALIGN).U32(0).Finish());    // TA_TOP | TA_LEFT
  DrawFontTable table;
  RenderDrawFile(surface, table, {0, 0, width, height}, ByteView(data.data(), data.size()));
  if (surface.tooLarge()) return ExportResult::NoData;
  surface.records().push_back(Record(EMR_EOF).U32(0).U32(16).U32(20).Finish());

  std::u16string text = u"Zendral";
  text += u'\0';
  text += Utf16(Unicode(description));
  text += u'\0';
  text += u'\0';
  const auto mm = [](int64_t pixels) {
    return pixels * kHundredthsMmPerInch / kPixelsPerInch;
  };
  Record header(EMR_HEADER);
  header.I32(0).I32(0).I32(width - 1).I32(height - 1);
  header.I32(0).I32(0).I32(mm(width) - 1).I32(mm(height) - 1);
  header.U32(kSignature).U32(kVersion).U32(0).U32(0);  // bytes and records, filled in below
  header.U16(uint16_t(kHandles)).U16(0);
  header.U32(uint32_t(text.size())).U32(kHeaderSize).U32(0);
  header.I32(kDeviceWidth).I32(kDeviceHeight);
  header.I32(mm(kDeviceWidth) / 100).I32(mm(kDeviceHeight) / 100);
  header.U32(0).U32(0).U32(0);  // no pixel format, no OpenGL
  header.I32(mm(kDeviceWidth) * 10).I32(mm(kDeviceHeight) * 10);
  header.Text(text);
  surface.records()[0] = header.Finish();

  uint64_t total = 0;
  for (const std::string& r : surface.records()) total += r.size();
  if (total > UINT32_MAX) return ExportResult::NoData;
  std::string& head = surface.records()[0];
  std::string word;
  Put32(word, uint32_t(total));
  Put32(word, uint32_t(surface.records().size()));
  head.replace(48, 8, word);
  emf.clear();
  emf.reserve(size_t(total));
  for (const std::string& r : surface.records()) emf += r;
  return ExportResult::Saved;
}

}  // namespace zd
