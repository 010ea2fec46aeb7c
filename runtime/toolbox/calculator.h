// The calculator's arithmetic: a four-function calculator with operator precedence (× and ÷
// bind tighter than + and −), driven by command numbers as its keys send them. The operand of
// every operation is the number on the display, read back from the display text.
#pragma once

#include <string>

namespace zd {

namespace calc {
// Command numbers of the calculator's keys.
constexpr int POINT = 150, SIGN = 151, EQUALS = 152, DEL = 169;
constexpr int ADD = 180, SUBTRACT = 181, MULTIPLY = 182, DIVIDE = 183;
constexpr int NOTHING = 184;  // the "c" keys: no action
constexpr int CLEAR = 185;
constexpr int DIGIT_0 = 190;  // digit d is DIGIT_0 + d
constexpr size_t kMaxEntry = 21;  // characters of the display, sign included
}  // namespace calc

class Calculator {
 public:
  Calculator() { Command(calc::CLEAR); }

  // Acts on one command; numbers without an action do nothing.
  void Command(int command);
  // What the display shows: "E" after an invalid result, until cleared.
  std::string Display() const { return error_ ? "E" : entry_; }

  // Formats a value as the display shows results: up to 10 significant digits, an exponent
  // written "E+20" where needed; always with "." as the decimal point.
  static std::string Format(double value);

 private:
  void Digit(int digit);
  void Point();
  void Sign();
  void Del();
  void Additive(int op);
  void Multiplicative(int op);
  void Equals();
  void Clear();

  void Show();
  void ReadValue();
  void FinishEntry();
  void Evaluate(int level);

  // Double precision: ten significant digits on the display never need more.
  double value_ = 0;
  std::string entry_;  // the display text
  bool error_ = false;
  bool newEntry_ = true;
  int additive_ = 0;  // 0, ADD or SUBTRACT
  double a_ = 0;
  int multiplicative_ = 0;  // 0, MULTIPLY or DIVIDE
  double b_ = 0;
};

}  // namespace zd
