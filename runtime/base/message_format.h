// Formatting of a message text with its one argument, as messages and string-table texts are
// used: the text is a printf-style format with at most one value.
//
// Message files are data the runtime does not control, so the format is interpreted safely:
// the first conversion takes the argument whatever its letter (a text given to "%d" prints the
// text, a number given to "%s" prints the number), later conversions print nothing, "%n" and
// "*" widths are ignored, and the result is cut to the buffer size the runtime always used.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace zd {

class MessageArgument {
 public:
  enum class Kind { None, Number, Text };

  MessageArgument() = default;
  // Zero means "no argument", as it always has for keyed reports.
  MessageArgument(int32_t number) : kind_(number ? Kind::Number : Kind::None), number_(number) {}  // NOLINT
  MessageArgument(std::string text) : kind_(Kind::Text), text_(std::move(text)) {}  // NOLINT
  MessageArgument(const char* text) : kind_(Kind::Text), text_(text ? text : "") {}  // NOLINT

  Kind kind() const { return kind_; }
  int32_t number() const { return number_; }
  const std::string& text() const { return text_; }

 private:
  Kind kind_ = Kind::None;
  int32_t number_ = 0;
  std::string text_;
};

// Largest formatted message, in bytes: the runtime composes messages in a 256-byte buffer.
constexpr size_t kMaxMessageLength = 255;

// Formats `format` with `arg`. With no argument the format is copied as it stands.
std::string FormatMessageText(std::string_view format, const MessageArgument& arg,
                              size_t maxLength = kMaxMessageLength);

}  // namespace zd
