#include "installer/background.h"

#include <cstdint>

#include "base/byte_view.h"
#include "platform/files.h"

namespace zd::install {
namespace {

constexpr size_t kFileHeaderBytes = 14;
constexpr uint64_t kMaxFileBytes = 64u * 1024 * 1024;

// The device-independent bitmap after the file header: its info header, colour table and the
// pixels at `pixelOffset` (counted from the start of the file, as the file header gives it).
std::optional<platform::RgbImage> DecodeDib(ByteView file, uint32_t pixelOffset) {
  const ByteView view = file.From(kFileHeaderBytes);  // empty when the file is shorter
  const auto headerSize = view.U32(0);
  const auto width = view.I32(4);
  const auto height = view.I32(8);
  const auto planes = view.U16(12);
  const auto bits = view.U16(14);
  const auto compression = view.U32(16);
  const auto coloursUsed = view.U32(32);
  if (!headerSize || *headerSize < 40 || *headerSize > view.size() || !width || !height ||
      !planes || !bits || !compression || !coloursUsed) {
    return std::nullopt;
  }
  if (*planes != 1 || (*bits != 8 && *bits != 24) || *compression != 0) return std::nullopt;
  // A negative height is a picture stored top-down.
  const bool topDown = *height < 0;
  const int64_t rows = topDown ? -int64_t(*height) : int64_t(*height);
  if (*width <= 0 || rows <= 0 || *width > kMaxBackgroundSide || rows > kMaxBackgroundSide) {
    return std::nullopt;
  }

  platform::PaletteRgb palette{};
  if (*bits == 8) {
    const uint32_t entries = *coloursUsed == 0 || *coloursUsed > 256 ? 256 : *coloursUsed;
    const auto table = view.Sub(*headerSize, size_t(entries) * 4);
    if (!table) return std::nullopt;
    for (uint32_t i = 0; i < entries; ++i) {
      palette[i] = {table->data()[i * 4 + 2], table->data()[i * 4 + 1], table->data()[i * 4]};
    }
  }

  const size_t stride = ((size_t(*width) * *bits + 31) / 32) * 4;
  const auto pixels = file.Sub(pixelOffset, stride * size_t(rows));
  if (!pixels) return std::nullopt;
  platform::RgbImage image;
  image.width = *width;
  image.height = int(rows);
  image.rgb.resize(size_t(*width) * size_t(rows) * 3);
  for (int64_t y = 0; y < rows; ++y) {
    const uint8_t* row = pixels->data() + size_t(topDown ? y : rows - 1 - y) * stride;
    uint8_t* out = image.rgb.data() + size_t(y) * size_t(*width) * 3;
    for (int32_t x = 0; x < *width; ++x) {
      if (*bits == 8) {
        const platform::Rgb& c = palette[row[x]];
        out[x * 3] = c.r;
        out[x * 3 + 1] = c.g;
        out[x * 3 + 2] = c.b;
      } else {
        out[x * 3] = row[x * 3 + 2];
        out[x * 3 + 1] = row[x * 3 + 1];
        out[x * 3 + 2] = row[x * 3];
      }
    }
  }
  return image;
}

}  // namespace

std::optional<platform::RgbImage> DecodeBackground(std::string_view bytes) {
  const ByteView file(bytes);
  const auto magic = file.U16(0);
  const auto pixelOffset = file.U32(10);
  if (!magic || *magic != 0x4D42 /* "BM" */ || !pixelOffset) return std::nullopt;
  return DecodeDib(file, *pixelOffset);
}

std::optional<platform::RgbImage> LoadBackground(const std::string& sourceDirectory) {
  const std::string path = platform::ResolveBelow(sourceDirectory, "back.bmp");
  const auto size = platform::FileSize(path);
  if (!size || *size > kMaxFileBytes) return std::nullopt;
  const auto bytes = platform::ReadWholeFile(path);
  if (!bytes) return std::nullopt;
  return DecodeBackground(*bytes);
}

}  // namespace zd::install
