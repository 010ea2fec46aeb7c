#include "toolbox/calculator.h"

#include <charconv>
#include <cmath>

namespace zd {

using namespace calc;

std::string Calculator::Format(double value) {
  // std::to_chars is locale-independent and, given a precision, formats as the C library's
  // "%.10G" does in the "C" locale, only with a small "e".
  char buffer[64];
  const auto result =
      std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, 10);
  std::string text(buffer, result.ptr);
  for (char& c : text) {
    if (c == 'e') c = 'E';
  }
  return text;
}

void Calculator::Command(int command) {
  if (command >= DIGIT_0 && command <= DIGIT_0 + 9) return Digit(command - DIGIT_0);
  switch (command) {
    case POINT: return Point();
    case SIGN: return Sign();
    case DEL: return Del();
    case ADD:
    case SUBTRACT: return Additive(command);
    case MULTIPLY:
    case DIVIDE: return Multiplicative(command);
    case EQUALS: return Equals();
    case CLEAR: return Clear();
    default: return;
  }
}

void Calculator::Show() {
  if (error_) return;
  if (std::isfinite(value_)) {
    entry_ = Format(value_);
    newEntry_ = true;
  } else {
    error_ = true;
  }
}

void Calculator::ReadValue() {
  if (error_) return;
  // A display that holds no number (emptied with del, or a lone "-") counts as 0: keeping the
  // previous value there would compute with a number the learner no longer sees.
  double read = 0;
  const char* begin = entry_.data();
  const char* end = begin + entry_.size();
  const auto result = std::from_chars(begin, end, read, std::chars_format::general);
  value_ = result.ec == std::errc() ? read : 0;
}

void Calculator::FinishEntry() {
  if (newEntry_) return;
  ReadValue();
  Show();
}

void Calculator::Evaluate(int level) {
  if (multiplicative_ != 0 && level < 3) {
    ReadValue();
    value_ = multiplicative_ == MULTIPLY ? value_ * b_ : b_ / value_;
    multiplicative_ = 0;
    Show();
  }
  if (additive_ != 0 && level < 2) {
    ReadValue();
    value_ = additive_ == ADD ? value_ + a_ : a_ - value_;
    additive_ = 0;
    Show();
  }
}

void Calculator::Digit(int digit) {
  if (error_) return;
  if (newEntry_) entry_.clear();
  if (digit == 0 && (entry_ == "0" || entry_ == "-0")) return;
  if (entry_ == "-0") entry_ = "-";
  if (entry_.size() < kMaxEntry) entry_ += static_cast<char>('0' + digit);
  newEntry_ = false;
}

void Calculator::Point() {
  if (error_) return;
  if (newEntry_) entry_ = "0";
  // The display never grows past its 21 characters, the point included.
  if (entry_.find_first_of(".E") == std::string::npos && entry_.size() < kMaxEntry) entry_ += '.';
  newEntry_ = false;
}

void Calculator::Sign() {
  ReadValue();
  if (additive_ == 0 && multiplicative_ == 0 && newEntry_ && value_ != 0) {
    value_ = -value_;
    Show();
    return;
  }
  if (error_) return;
  if (newEntry_) {
    entry_ = "-0";
    newEntry_ = false;
    return;
  }
  const size_t exponent = entry_.find('E');
  if (exponent != std::string::npos) {
    const size_t at = exponent + 1;
    if (at < entry_.size() && entry_[at] == '-') {
      entry_[at] = '+';
    } else if (at < entry_.size() && entry_[at] == '+') {
      entry_[at] = '-';
    } else if (entry_.size() < kMaxEntry) {
      entry_.insert(at, 1, '-');
    }
  } else if (!entry_.empty() && entry_[0] == '-') {
    entry_.erase(0, 1);
  } else if (entry_.size() < kMaxEntry) {
    entry_.insert(0, 1, '-');
  }
}

void Calculator::Del() {
  // While the display shows "E" only C brings it back.
  if (error_ || newEntry_ || entry_.empty()) return;
  entry_.pop_back();
}

void Calculator::Additive(int op) {
  FinishEntry();
  if (additive_ != 0 || multiplicative_ != 0) Evaluate(1);
  // The operand is the number on the display, rounded as it is shown.
  ReadValue();
  a_ = value_;
  additive_ = op;
}

void Calculator::Multiplicative(int op) {
  FinishEntry();
  if (multiplicative_ != 0) Evaluate(2);
  ReadValue();
  b_ = value_;
  multiplicative_ = op;
}

void Calculator::Equals() {
  if (additive_ == 0 && multiplicative_ == 0) {
    FinishEntry();
  } else {
    Evaluate(1);
  }
  additive_ = multiplicative_ = 0;
  a_ = b_ = 0;
}

void Calculator::Clear() {
  error_ = false;
  value_ = 0;
  Show();
  additive_ = multiplicative_ = 0;
  a_ = b_ = 0;
}

}  // namespace zd
