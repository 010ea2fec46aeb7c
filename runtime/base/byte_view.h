// A bounds-checked, read-only view of bytes from title data.
// Every read reports failure instead of reading past the end, so malformed files can only make
// a read fail, never make it touch memory outside the buffer.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace zd {

class ByteView {
 public:
  ByteView() = default;
  ByteView(const uint8_t* data, size_t size) : data_(data), size_(data ? size : 0) {}
  explicit ByteView(std::string_view bytes)
      : data_(reinterpret_cast<const uint8_t*>(bytes.data())), size_(bytes.size()) {}

  size_t size() const { return size_; }
  bool empty() const { return size_ == 0; }
  const uint8_t* data() const { return data_; }

  // True when [offset, offset + length) lies inside the view (overflow-safe).
  bool Contains(size_t offset, size_t length) const {
    return offset <= size_ && length <= size_ - offset;
  }

  std::optional<uint8_t> U8(size_t offset) const {
    if (!Contains(offset, 1)) return std::nullopt;
    return data_[offset];
  }
  std::optional<uint16_t> U16(size_t offset) const {
    if (!Contains(offset, 2)) return std::nullopt;
    return static_cast<uint16_t>(data_[offset] | (data_[offset + 1] << 8));
  }
  std::optional<uint32_t> U32(size_t offset) const {
    if (!Contains(offset, 4)) return std::nullopt;
    return static_cast<uint32_t>(data_[offset]) | (static_cast<uint32_t>(data_[offset + 1]) << 8) |
           (static_cast<uint32_t>(data_[offset + 2]) << 16) |
           (static_cast<uint32_t>(data_[offset + 3]) << 24);
  }
  std::optional<int32_t> I32(size_t offset) const {
    auto v = U32(offset);
    if (!v) return std::nullopt;
    return static_cast<int32_t>(*v);
  }
  std::optional<int16_t> I16(size_t offset) const {
    auto v = U16(offset);
    if (!v) return std::nullopt;
    return static_cast<int16_t>(*v);
  }

  // The sub-view [offset, offset + length), or nullopt when it would leave this view.
  std::optional<ByteView> Sub(size_t offset, size_t length) const {
    if (!Contains(offset, length)) return std::nullopt;
    return ByteView(data_ + offset, length);
  }
  // Everything from offset to the end (empty when offset is past the end).
  ByteView From(size_t offset) const {
    if (offset >= size_) return ByteView();
    return ByteView(data_ + offset, size_ - offset);
  }

  // A NUL-terminated text in a fixed-width field: stops at the first NUL or at the field's end.
  std::optional<std::string> FixedText(size_t offset, size_t width) const {
    if (!Contains(offset, width)) return std::nullopt;
    size_t n = 0;
    while (n < width && data_[offset + n] != 0) ++n;
    return std::string(reinterpret_cast<const char*>(data_ + offset), n);
  }

 private:
  const uint8_t* data_ = nullptr;
  size_t size_ = 0;
};

}  // namespace zd
