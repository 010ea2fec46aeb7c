#include "installer/icon_file.h"

#include <algorithm>
#include <iterator>
#include <cstdint>
#include <vector>

#include "base/byte_view.h"

namespace zd::install {
namespace {

constexpr size_t kDirectoryHeader = 6;
constexpr size_t kDirectoryEntry = 16;
constexpr std::string_view kPngSignature = "\x89PNG\r\n\x1a\n";

struct Candidate {
  ByteView data;
  int area = 0;
  int depth = 0;
};

// One bitmap picture: an info header (height counts the colour rows and the mask rows), the
// colour table, the colour rows bottom-up and then the 1-bit mask rows, every row padded to four
// bytes.
std::optional<platform::RgbaImage> DecodeBitmap(ByteView data, std::string& error) {
  const auto headerSize = data.U32(0);
  const auto width = data.I32(4);
  const auto doubledHeight = data.I32(8);
  const auto bitCount = data.U16(14);
  const auto compression = data.U32(16);
  const auto coloursUsed = data.U32(32);
  if (!headerSize || *headerSize < 40 || !coloursUsed) {
    error = "the picture's header is cut short";
    return std::nullopt;
  }
  const int bits = *bitCount;
  if (bits != 1 && bits != 4 && bits != 8 && bits != 24 && bits != 32) {
    error = "a picture of " + std::to_string(bits) + " bits a pixel";
    return std::nullopt;
  }
  if (*compression != 0 && !(*compression == 3 && bits == 32)) {
    error = "a compressed picture";
    return std::nullopt;
  }
  const int w = *width;
  const int h = *doubledHeight / 2;
  if (w <= 0 || h <= 0 || w > kMaxIconSide || h > kMaxIconSide) {
    error = "a picture of an impossible size";
    return std::nullopt;
  }
  size_t paletteEntries = 0;
  if (bits <= 8) {
    paletteEntries = *coloursUsed != 0 ? *coloursUsed : (size_t(1) << bits);
    if (paletteEntries > (size_t(1) << bits)) paletteEntries = size_t(1) << bits;
  }
  size_t paletteOffset = *headerSize;
  // The three colour masks follow a plain 40-byte header; longer headers hold them.
  if (*compression == 3 && *headerSize == 40) paletteOffset += 12;
  const size_t colourStride = ((size_t(w) * bits + 31) / 32) * 4;
  const size_t maskStride = ((size_t(w) + 31) / 32) * 4;
  const size_t colourOffset = paletteOffset + paletteEntries * 4;
  const size_t maskOffset = colourOffset + colourStride * h;
  if (!data.Contains(paletteOffset, paletteEntries * 4) ||
      !data.Contains(colourOffset, colourStride * h)) {
    error = "the picture's pixels are cut short";
    return std::nullopt;
  }
  // A 32-bit picture may carry its transparency in its alpha bytes alone; the others need the
  // mask.
  const bool hasMask = data.Contains(maskOffset, maskStride * h);
  if (!hasMask && bits != 32) {
    error = "the picture's mask is cut short";
    return std::nullopt;
  }
  platform::RgbaImage image;
  image.width = w;
  image.height = h;
  image.rgba.assign(size_t(w) * h * 4, 0);
  const uint8_t* base = data.data();
  bool anyAlpha = false;
  for (int row = 0; row < h; ++row) {
    const uint8_t* colours = base + colourOffset + colourStride * (h - 1 - row);
    uint8_t* out = &image.rgba[size_t(row) * w * 4];
    for (int x = 0; x < w; ++x, out += 4) {
      uint8_t r = 0, g = 0, b = 0, a = 255;
      if (bits <= 8) {
        const size_t bitOffset = size_t(x) * bits;
        const uint8_t byte = colours[bitOffset / 8];
        const int shift = 8 - bits - int(bitOffset % 8);
        const size_t index = (byte >> shift) & ((1u << bits) - 1);
        if (index < paletteEntries) {
          const uint8_t* entry = base + paletteOffset + index * 4;
          b = entry[0];
          g = entry[1];
          r = entry[2];
        }
      } else {
        const uint8_t* pixel = colours + size_t(x) * (bits / 8);
        b = pixel[0];
        g = pixel[1];
        r = pixel[2];
        if (bits == 32) {
          a = pixel[3];
          anyAlpha = anyAlpha || a != 0;
        }
      }
      out[0] = r;
      out[1] = g;
      out[2] = b;
      out[3] = a;
    }
  }
  // Pictures whose alpha bytes are all zero (older 32-bit icons) use the mask, as the rest do.
  const bool useMask = bits != 32 || !anyAlpha;
  for (int row = 0; row < h; ++row) {
    const uint8_t* mask = hasMask ? base + maskOffset + maskStride * (h - 1 - row) : nullptr;
    uint8_t* out = &image.rgba[size_t(row) * w * 4];
    for (int x = 0; x < w; ++x, out += 4) {
      if (!useMask) continue;
      const bool transparent = mask && ((mask[x / 8] >> (7 - x % 8)) & 1) != 0;
      out[3] = transparent ? 0 : 255;
    }
  }
  return image;
}

}  // namespace

std::optional<IconPicture> ReadLargestIcon(std::string_view bytes, std::string& error) {
  const ByteView file(bytes);
  const auto reserved = file.U16(0);
  const auto type = file.U16(2);
  const auto count = file.U16(4);
  if (!reserved || !type || !count || *reserved != 0 || *type != 1 || *count == 0) {
    error = "not an icon file";
    return std::nullopt;
  }
  std::vector<Candidate> candidates;
  std::vector<uint32_t> offsetsSeen;
  // A directory claiming thousands of entries, or many pointing at the same bytes, would have
  // the same picture decoded over and over: the count is capped and each offset read once.
  const size_t entries = std::min<size_t>(*count, kMaxIconEntries);
  for (size_t i = 0; i < entries; ++i) {
    const size_t entry = kDirectoryHeader + i * kDirectoryEntry;
    const auto width = file.U8(entry);
    const auto height = file.U8(entry + 1);
    const auto depth = file.U16(entry + 6);
    const auto size = file.U32(entry + 8);
    const auto offset = file.U32(entry + 12);
    if (!width || !height || !depth || !size || !offset) {
      error = "the icon's directory is cut short";
      return std::nullopt;
    }
    if (std::find(offsetsSeen.begin(), offsetsSeen.end(), *offset) != offsetsSeen.end()) continue;
    offsetsSeen.push_back(*offset);
    const auto data = file.Sub(*offset, *size);
    if (!data) continue;  // an entry pointing outside the file is left out
    const int w = *width == 0 ? 256 : *width;
    const int h = *height == 0 ? 256 : *height;
    candidates.push_back({*data, w * h, *depth});
  }
  // Largest first; a picture that cannot be read gives way to the next.
  std::stable_sort(candidates.begin(), candidates.end(), [](const Candidate& a, const Candidate& b) {
    return a.area != b.area ? a.area > b.area : a.depth > b.depth;
  });
  error = "the icon holds no picture inside the file";
  for (const Candidate& candidate : candidates) {
    const std::string_view data(reinterpret_cast<const char*>(candidate.data.data()),
                                candidate.data.size());
    IconPicture picture;
    if (data.substr(0, kPngSignature.size()) == kPngSignature) {
      // The size from the PNG's header before anything is decoded: a huge picture is not
      // an icon and is not unpacked.
      const auto be32 = [&](size_t at) -> uint32_t {
        const ByteView view = candidate.data;
        const auto b0 = view.U8(at), b1 = view.U8(at + 1), b2 = view.U8(at + 2), b3 = view.U8(at + 3);
        if (!b0 || !b1 || !b2 || !b3) return 0;
        return (uint32_t(*b0) << 24) | (uint32_t(*b1) << 16) | (uint32_t(*b2) << 8) | *b3;
      };
      const uint32_t pngWidth = be32(16), pngHeight = be32(20);
      if (pngWidth == 0 || pngHeight == 0 || pngWidth > kMaxIconSide || pngHeight > kMaxIconSide) {
        error = "a PNG picture of an impossible size";
        continue;
      }
      if (!platform::DecodePngRgba(candidate.data.data(), candidate.data.size(), picture.image,
                                   error)) {
        continue;
      }
      if (picture.image.width > kMaxIconSide || picture.image.height > kMaxIconSide) {
        error = "a picture larger than an icon";
        continue;
      }
      picture.png = std::string(data);
      return picture;
    }
    auto image = DecodeBitmap(candidate.data, error);
    if (!image) continue;
    picture.image = std::move(*image);
    return picture;
  }
  return std::nullopt;
}

std::optional<std::string> IconAsPng(const IconPicture& picture, std::string& error) {
  if (!picture.png.empty()) return picture.png;
  std::string png;
  if (!platform::EncodePngRgba(picture.image, png, error)) return std::nullopt;
  return png;
}

std::optional<std::string> IconForTheme(const IconPicture& picture, int& side, std::string& error) {
  static constexpr int kThemeSides[] = {16, 22, 24, 32, 48, 64, 128, 256};
  const platform::RgbaImage& image = picture.image;
  if (image.width == image.height &&
      std::find(std::begin(kThemeSides), std::end(kThemeSides), image.width) != std::end(kThemeSides)) {
    side = image.width;
    return IconAsPng(picture, error);
  }
  if (image.width <= 0 || image.height <= 0 ||
      image.rgba.size() < size_t(image.width) * size_t(image.height) * 4) {
    error = "a picture without pixels";
    return std::nullopt;
  }
  constexpr int kFallbackSide = 48;
  IconPicture scaled;
  scaled.image.width = kFallbackSide;
  scaled.image.height = kFallbackSide;
  scaled.image.rgba.resize(size_t(kFallbackSide) * kFallbackSide * 4);
  for (int y = 0; y < kFallbackSide; ++y) {
    const int fromY = y * image.height / kFallbackSide;
    for (int x = 0; x < kFallbackSide; ++x) {
      const int fromX = x * image.width / kFallbackSide;
      const size_t from = (size_t(fromY) * image.width + fromX) * 4;
      const size_t to = (size_t(y) * kFallbackSide + x) * 4;
      std::copy_n(image.rgba.begin() + from, 4, scaled.image.rgba.begin() + to);
    }
  }
  side = kFallbackSide;
  return IconAsPng(scaled, error);
}

}  // namespace zd::install
