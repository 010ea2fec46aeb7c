#include "installer/background.h"

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <system_error>

#include "base/byte_view.h"

namespace zd::install {
namespace {

constexpr size_t kFileHeaderBytes = 14;
constexpr uintmax_t kMaxFileBytes = 64u * 1024 * 1024;

bool SameNameIgnoringCase(const std::string& a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; };
    if (lower(a[i]) != lower(b[i])) return false;
  }
  return true;
}

}  // namespace

std::optional<platform::RgbImage> DecodeBackground(std::string_view bytes) {
  const ByteView view(bytes);
  const auto magic = view.U16(0);
  const auto pixelOffset = view.U32(10);
  const auto headerSize = view.U32(14);
  const auto width = view.I32(18);
  const auto height = view.I32(22);
  const auto planes = view.U16(26);
  const auto bits = view.U16(28);
  const auto compression = view.U32(30);
  const auto coloursUsed = view.U32(46);
  if (!magic || *magic != 0x4D42 /* "BM" */ || !pixelOffset || !headerSize ||
      *headerSize < 40 || *headerSize > bytes.size() || !width || !height || !planes || !bits ||
      !compression || !coloursUsed) {
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
    const size_t tableAt = kFileHeaderBytes + *headerSize;
    const auto table = view.Sub(tableAt, size_t(entries) * 4);
    if (!table) return std::nullopt;
    for (uint32_t i = 0; i < entries; ++i) {
      palette[i] = {table->data()[i * 4 + 2], table->data()[i * 4 + 1], table->data()[i * 4]};
    }
  }

  const size_t stride = ((size_t(*width) * *bits + 31) / 32) * 4;
  const auto pixels = view.Sub(*pixelOffset, stride * size_t(rows));
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

std::optional<platform::RgbImage> LoadBackground(const std::string& sourceDirectory) {
  namespace fs = std::filesystem;
  std::error_code ec;
  fs::directory_iterator it(fs::path(sourceDirectory), ec);  // paths on disk are bytes
  for (; !ec && it != fs::directory_iterator(); it.increment(ec)) {
    if (!SameNameIgnoringCase(it->path().filename().string(), "back.bmp")) continue;
    if (!it->is_regular_file(ec)) return std::nullopt;
    const uintmax_t size = it->file_size(ec);
    if (ec || size > kMaxFileBytes) return std::nullopt;
    std::ifstream in(it->path(), std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (!in && !in.eof()) return std::nullopt;
    return DecodeBackground(bytes);
  }
  return std::nullopt;
}

}  // namespace zd::install
