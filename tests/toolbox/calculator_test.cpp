// The calculator as the learner uses it: key presses in, the display out.
#include <gtest/gtest.h>

#include <clocale>
#include <string>

#include "platform/events.h"
#include "support/runtime_fixture.h"
#include "support/test_support.h"
#include "toolbox/calculator.h"
#include "toolbox/calculator_window.h"

namespace zd {
namespace {

// Presses keys given as the calculator's labels: digits, ". + - x / = C d(el) s(ign)".
std::string Press(Calculator& calculator, const std::string& keys) {
  for (const char key : keys) {
    if (key >= '0' && key <= '9') calculator.Command(calc::DIGIT_0 + (key - '0'));
    if (key == '.') calculator.Command(calc::POINT);
    if (key == '+') calculator.Command(calc::ADD);
    if (key == '-') calculator.Command(calc::SUBTRACT);
    if (key == 'x') calculator.Command(calc::MULTIPLY);
    if (key == '/') calculator.Command(calc::DIVIDE);
    if (key == '=') calculator.Command(calc::EQUALS);
    if (key == 'C') calculator.Command(calc::CLEAR);
    if (key == 'd') calculator.Command(calc::DEL);
    if (key == 's') calculator.Command(calc::SIGN);
  }
  return calculator.Display();
}

std::string Fresh(const std::string& keys) {
  Calculator calculator;
  return Press(calculator, keys);
}

TEST(Calculator, ArithmeticWithPrecedence) {
  EXPECT_EQ(Fresh(""), "0");
  EXPECT_EQ(Fresh("2+3x4="), "14");
  EXPECT_EQ(Fresh("2x3+4="), "10");
  EXPECT_EQ(Fresh("2+3x4x2-1="), "25");
  EXPECT_EQ(Fresh("1/3="), "0.3333333333");
  // A result goes on as the learner sees it, rounded to its ten digits.
  EXPECT_EQ(Fresh("1/3=x3="), "0.9999999999");
  EXPECT_EQ(Fresh("1/3+1/3="), "0.6666666666");
  EXPECT_EQ(Fresh("5-2="), "3");
  EXPECT_EQ(Fresh("5x="), "25");  // the number on the display is the second operand
  EXPECT_EQ(Fresh("8/2/2="), "2");
  EXPECT_EQ(Fresh("1.5+1.25="), "2.75");
  EXPECT_EQ(Fresh("2+3"), "3");
  EXPECT_EQ(Fresh("2+3+"), "5");  // a pending addition is worked out by the next +
  EXPECT_EQ(Fresh("99999x99999x99999="), "9.999700003E+14");
  EXPECT_EQ(Fresh("1/100000="), "1E-05");
}

TEST(Calculator, DivisionByZeroShowsEUntilCleared) {
  Calculator calculator;
  EXPECT_EQ(Press(calculator, "1/0="), "E");
  EXPECT_EQ(Press(calculator, "57.s"), "E");  // digits, point and sign are ignored
  EXPECT_EQ(Press(calculator, "d+2="), "E");
  EXPECT_EQ(Press(calculator, "C"), "0");
  EXPECT_EQ(Press(calculator, "4+1="), "5");
  EXPECT_EQ(Fresh("99999999999x99999999999x99999999999x99999999999x99999999999x"
                  "99999999999x99999999999x99999999999x99999999999x99999999999x"
                  "99999999999x99999999999x99999999999x99999999999x99999999999x"
                  "99999999999x99999999999x99999999999x99999999999x99999999999x"
                  "99999999999x99999999999x99999999999x99999999999x99999999999x"
                  "99999999999x99999999999x99999999999x99999999999x99999999999="),
            "E");  // past the largest double
}

TEST(Calculator, EntryRules) {
  EXPECT_EQ(Fresh("0000"), "0");
  EXPECT_EQ(Fresh("s"), "-0");         // the value is 0: a fresh negative entry
  EXPECT_EQ(Fresh("5+s"), "-0");       // sign on a fresh entry
  EXPECT_EQ(Fresh("5+s7"), "-7");
  EXPECT_EQ(Fresh("5+s00"), "-0");
  EXPECT_EQ(Fresh("5+s7="), "-2");
  EXPECT_EQ(Fresh("12s"), "-12");      // sign of the entry
  EXPECT_EQ(Fresh("12ss"), "12");
  EXPECT_EQ(Fresh("12=s"), "-12");     // sign of a result
  EXPECT_EQ(Fresh("99999x99999x99999x99999x99999=s"), "-9.99950001E+24");
  // Point: one per entry; a fresh entry starting with it gets a leading 0.
  EXPECT_EQ(Fresh("."), "0.");
  EXPECT_EQ(Fresh("1.2.3"), "1.23");
  EXPECT_EQ(Fresh("2+.5="), "2.5");
  // Del takes back the last character of an entry, not of a result.
  EXPECT_EQ(Fresh("123d"), "12");
  EXPECT_EQ(Fresh("12=d"), "12");
  EXPECT_EQ(Fresh("3+4dd"), "");
  // An emptied entry counts as 0, not as the number shown before it.
  EXPECT_EQ(Fresh("3+4dd="), "3");
  EXPECT_EQ(Fresh("7=5ddx2="), "0");
  // 21 characters at most, sign included.
  const std::string digits(25, '7');
  EXPECT_EQ(Fresh(digits), std::string(21, '7'));
  EXPECT_EQ(Fresh(digits + "."), std::string(21, '7'));
  EXPECT_EQ(Fresh("5+s" + digits), "-" + std::string(20, '7'));
  EXPECT_EQ(Fresh(digits + "s"), std::string(21, '7'));
}

TEST(Calculator, DecimalPointWhateverTheLocale) {
  EXPECT_EQ(Calculator::Format(0.5), "0.5");
  EXPECT_EQ(Calculator::Format(1e20), "1E+20");
  EXPECT_EQ(Calculator::Format(-1234567890123.0), "-1.23456789E+12");
  const char* commaLocales[] = {"de_DE.UTF-8", "el_GR.UTF-8", "fr_FR.UTF-8", "de_DE"};
  std::string previous = std::setlocale(LC_NUMERIC, nullptr);
  bool switched = false;
  for (const char* name : commaLocales) {
    if (std::setlocale(LC_NUMERIC, name)) {
      switched = true;
      break;
    }
  }
  if (!switched) GTEST_SKIP() << "no locale with a decimal comma is installed";
  const std::string sum = Fresh("1.5+1.25=");
  const std::string third = Fresh("1/3=");
  std::setlocale(LC_NUMERIC, previous.c_str());
  EXPECT_EQ(sum, "2.75");
  EXPECT_EQ(third, "0.3333333333");
}

// The window as drawn: the display right-aligned above the keys, all inside the page; keys
// that are not the calculator's change nothing.
TEST(CalculatorWindow, LayoutAndForeignKeys) {
  test::RuntimeFixture fixture;
  CalculatorWindow window(fixture.runtime());
  window.Character('5');  // closed: nothing
  EXPECT_FALSE(test::Has(fixture.TraceText(), "tool calculator"));
  window.Open();
  window.Character('4');
  for (const uint8_t c : {uint8_t('c'), uint8_t('a'), uint8_t('\r'), uint8_t('\b')}) {
    window.Character(c);
  }
  window.KeyDown(platform::vk::ESCAPE, 1);
  window.Clicked(120);  // the display is no key
  const platform::ToolWindowView view = window.View();
  EXPECT_EQ(view.name, "IDD_Calc");
  EXPECT_GE(view.x, 0);
  EXPECT_LE(view.x + view.w, 640);
  EXPECT_LE(view.y + view.h, 480);
  ASSERT_EQ(view.controls.size(), 20u);
  EXPECT_EQ(view.controls[0].kind, platform::ToolControlKind::LabelRight);
  EXPECT_EQ(view.controls[0].w, 114);  // 76 units
  EXPECT_EQ(view.controls[0].text, "4");
  for (const auto& control : view.controls) {
    EXPECT_GE(control.x, view.x);
    EXPECT_LE(control.x + control.w, view.x + view.w) << control.id;
    EXPECT_GE(control.y, view.y + view.captionHeight);
    EXPECT_LE(control.y + control.h, view.y + view.h) << control.id;
  }
}

}  // namespace
}  // namespace zd
