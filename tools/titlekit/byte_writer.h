// Little-endian output for title data: appends words at the end, or puts them at an offset
// already written (lengths and offsets that are known only after their record is complete).
#pragma once

#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>
#include <utility>

namespace zd::titlekit {

class ByteWriter {
 public:
  size_t size() const { return bytes_.size(); }
  const std::string& bytes() const { return bytes_; }
  std::string Take() { return std::move(bytes_); }

  void U8(uint8_t v) { bytes_.push_back(static_cast<char>(v)); }
  void U16(uint16_t v) {
    U8(static_cast<uint8_t>(v));
    U8(static_cast<uint8_t>(v >> 8));
  }
  void U32(uint32_t v) {
    U16(static_cast<uint16_t>(v));
    U16(static_cast<uint16_t>(v >> 16));
  }
  void I32(int32_t v) { U32(static_cast<uint32_t>(v)); }
  // Title data keeps doubles as two 32-bit halves, the high half first.
  void Double(double v) {
    uint64_t bits = 0;
    std::memcpy(&bits, &v, sizeof bits);
    U32(static_cast<uint32_t>(bits >> 32));
    U32(static_cast<uint32_t>(bits));
  }
  // A text in a fixed-width field, padded with NULs; the caller has checked that it fits.
  void FixedText(std::string_view text, size_t width) {
    const size_t n = text.size() < width ? text.size() : width;
    bytes_.append(text.data(), n);
    Zeros(width - n);
  }
  void Append(std::string_view data) { bytes_.append(data.data(), data.size()); }
  void Zeros(size_t n) { bytes_.append(n, '\0'); }

  void PutU32(size_t offset, uint32_t v) {
    for (int i = 0; i < 4; ++i) bytes_[offset + i] = static_cast<char>(v >> (8 * i));
  }

 private:
  std::string bytes_;
};

}  // namespace zd::titlekit
