// Fixed-capacity texts for the script engine: names and values live in place, so running a
// line allocates nothing. Longer input is cut at the capacity, as the engine's buffers did.
#pragma once

#include <cstddef>
#include <cstring>
#include <string>
#include <string_view>

namespace zd::script {

template <size_t N>
class BoundedText {
 public:
  static constexpr size_t kCapacity = N;

  BoundedText() { data_[0] = '\0'; }
  explicit BoundedText(std::string_view text) { Assign(text); }

  // Copies `text`, cut to the capacity; returns false when it had to cut.
  bool Assign(std::string_view text) {
    const size_t n = text.size() < N ? text.size() : N;
    if (n) std::memcpy(data_, text.data(), n);
    size_ = n;
    data_[n] = '\0';
    return n == text.size();
  }
  bool Append(std::string_view text) {
    const size_t room = N - size_;
    const size_t n = text.size() < room ? text.size() : room;
    if (n) std::memcpy(data_ + size_, text.data(), n);
    size_ += n;
    data_[size_] = '\0';
    return n == text.size();
  }
  void Clear() {
    size_ = 0;
    data_[0] = '\0';
  }
  // Turns A to Z into a to z in place (keywords and command names).
  void LowerAscii() {
    for (size_t i = 0; i < size_; ++i) {
      if (data_[i] >= 'A' && data_[i] <= 'Z') data_[i] = static_cast<char>(data_[i] + 32);
    }
  }

  std::string_view view() const { return {data_, size_}; }
  std::string str() const { return std::string(view()); }
  const char* c_str() const { return data_; }
  size_t size() const { return size_; }
  bool empty() const { return size_ == 0; }
  bool operator==(std::string_view other) const { return view() == other; }

 private:
  char data_[N + 1];
  size_t size_ = 0;
};

// Script texts hold at most 255 characters; variable names at most 16; script names 11.
constexpr size_t kMaxTextLength = 255;
constexpr size_t kMaxVariableName = 16;
constexpr size_t kMaxScriptName = 11;

using ScriptText = BoundedText<kMaxTextLength>;
using VariableName = BoundedText<kMaxVariableName>;
using ScriptName = BoundedText<kMaxScriptName>;

}  // namespace zd::script
