// Variables, the operand readers, conditions and the value commands.
#include <gtest/gtest.h>

#include <cmath>

#include "script/script_runner.h"

namespace zd {
namespace {

using test::Keys;
using test::ScriptRunner;

TEST(ScriptValues, IntegerArithmeticWrapsAndFloatOperandsTruncate) {
  ScriptRunner r;
  struct Case {
    const char* line;
    double expected;
  };
  const Case cases[] = {
      {"set x%, 2.9", 2},
      {"set x%, -2.9", -2},
      {"set x%, 1e12", 2147483647},
      {"set x%, -1e12", -2147483648.0},
      {"set x%, 5-3", 5},
      {"add x%, 1, 2.5", 3},
      {"add x%, 2147483647, 1", -2147483648.0},
      {"sub x%, -2147483647, 2", 2147483647},
      {"mult x%, 65536, 65536", 0},
      {"mult x%, 1e6, 1e6", -2147483648.0},
      {"divide x%, -7, 2", -3},
      {"divide x%, 7, 0.5", 14},
      {"mod x%, -7, 3", -1},
      {"mod x%, 7, -3", 1},
      {"or x%, 12, 3", 15},
      {"and x%, 12, 6", 4},
      {"exor x%, 12, 6", 10},
      {"abs x%, -4.5", 4},
      {"sgn x%, -0.5", 0},
      {"sgn x%, -3", -1},
      {"not x%, 5", 0},
      {"not x%, 0", 1},
      {"strtoval x%, \"42abc\"", 42},
      {"strtoval x%, \"abc\"", 0},
      {"set x%, (3 > 2)", 1},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(r.Run(std::string(c.line) + "\n"), Keys{}) << c.line;
    EXPECT_EQ(r.Number("x%"), c.expected) << c.line;
  }
}

TEST(ScriptValues, FloatAndTextCommands) {
  ScriptRunner r;
  EXPECT_EQ(r.Run("set f, 1.5\nadd g, f, 2\ndivide d, 1, 0\nsin s, 0\ncos c, 0\nsqrt q, 16\n"
                  "cubert k, 27\ncubert n, -8\nabs a, -2.5\nsgn z, 0\nsgn m, -0.1\n"
                  "strtoval v, \"2.5e1xyz\"\nset i, 3\n"),
            Keys{});
  EXPECT_EQ(r.Number("g"), 3.5);
  EXPECT_TRUE(std::isinf(*r.Number("d")));
  EXPECT_EQ(r.Number("s"), 0.0);
  EXPECT_EQ(r.Number("c"), 1.0);
  EXPECT_EQ(r.Number("q"), 4.0);
  EXPECT_NEAR(*r.Number("k"), 3.0, 1e-12);
  EXPECT_TRUE(std::isnan(*r.Number("n"))) << "the power function's domain error";
  EXPECT_EQ(r.Number("a"), 2.5);
  EXPECT_EQ(r.Number("z"), 0.0);
  EXPECT_EQ(r.Number("m"), -1.0);
  EXPECT_EQ(r.Number("v"), 25.0);
  EXPECT_EQ(r.Number("i"), 3.0);
  // Texts: concatenation is cut at 255 characters.
  const std::string a(200, 'a'), b(200, 'b');
  r.Run("set a$, \"" + a + "\"\nset b$, \"" + b + "\"\nadd c$, a$, b$\n");
  EXPECT_EQ(r.Text("c$"), a + std::string(55, 'b'));
  EXPECT_EQ(r.Run("add t$, \"x\", 5\n"), (Keys{"scerr16"}));
  EXPECT_FALSE(r.Text("t$")) << "a failed read leaves the destination alone";
}

TEST(ScriptValues, UndefinedArithmeticIsRefusedAndLeavesTheDestination) {
  ScriptRunner r;
  r.Run("set x%, 9\n");
  EXPECT_EQ(r.Run("divide x%, 1, 0\nmod x%, 1, 0\nset m%, -2147483647\nsub m%, m%, 1\n"
                  "divide x%, m%, -1\nmod x%, m%, -1\nrandom x%, 3, 2\n"),
            Keys(5, "scerr70"));
  EXPECT_EQ(r.Number("x%"), 9);
  EXPECT_EQ(r.Number("m%"), -2147483648.0);
}

TEST(ScriptValues, VariablesAreFoundByExactNameAndDeletedByClear) {
  ScriptRunner r;
  EXPECT_EQ(r.Run("set y%, missing%\n"), (Keys{"scerr26"}));
  EXPECT_EQ(r.Run("set y, 1\nclear y\nset z, y\n"), (Keys{"scerr26"}));
  EXPECT_EQ(r.Run("set abcdefghijklmnop%, 1\n"), (Keys{"scerr25"}));
  EXPECT_EQ(r.Run("set abcdefghijklmno%, 1\n"), Keys{});
  // System names match only with their exact case.
  EXPECT_EQ(r.Run("set pagetime%, 5\n"), Keys{});
  EXPECT_EQ(r.Number("pagetime%"), 5);
  EXPECT_EQ(r.Run("set PageTime%, 5\n"), (Keys{"scerr22"}));
  EXPECT_EQ(r.Run("clear PageTime%\n"), (Keys{"scerr26"}));
  EXPECT_EQ(r.Run("bitset new%, 3, 1\n"), (Keys{"scerr26"}));
  r.Run("set b%, 1\nbitset b%, 3, 1\nbitset b%, 0, 0\n");
  EXPECT_EQ(r.Number("b%"), 8);
  EXPECT_EQ(r.Run("bitset b%, 32, 1\n"), (Keys{"scerr5"}));
  // Tables keep the order of creation when one variable goes.
  r.Run("clear\nset a%, 1\nset b%, 2\nset c%, 3\nclear b%\n");
  const auto& ints = r.engine().variables().integers;
  ASSERT_EQ(ints.size(), 2u);
  EXPECT_EQ(ints[0].name.view(), "a%");
  EXPECT_EQ(ints[1].name.view(), "c%");
  r.Run("clear\n");
  EXPECT_TRUE(r.engine().variables().integers.empty());
}

TEST(ScriptValues, ConditionsCompareNumbersTextsAndBits) {
  ScriptRunner r;
  auto truth = [&](const std::string& condition) {
    r.Run("set t%, " + condition + "\n");
    return r.Number("t%").value_or(-1);
  };
  r.Run("set s$, \"abc\"\nset u$, \"abd\"\nset x%, 8\nset one, 1.0\nset hi$, \"\xe1\"\n");
  EXPECT_EQ(truth("(s$ < u$)"), 1);
  EXPECT_EQ(truth("(s$ == \"abc\")"), 1);
  EXPECT_EQ(truth("(s$ >= \"abcd\")"), 0);
  EXPECT_EQ(truth("(hi$ > \"z\")"), 1) << "bytes compare as unsigned";
  EXPECT_EQ(truth("(x% == 8.0)"), 1);
  EXPECT_EQ(truth("(x% != one)"), 1);
  EXPECT_EQ(truth("(x% bit 3)"), 1);
  EXPECT_EQ(truth("(x% !bit 3)"), 0);
  EXPECT_EQ(truth("(x% BIT 2)"), 0) << "operators ignore case";
  EXPECT_EQ(r.Run("set t%, (x% bit 32)\n"), (Keys{"scerr5"}));
  EXPECT_EQ(r.Run("set t%, (one bit 0)\n"), (Keys{"scerr72"}));
  EXPECT_EQ(r.Run("set t%, (s$ bit 0)\n"), (Keys{"scerr33"}));
  EXPECT_EQ(r.Run("set t%, (x%==3)\n"), (Keys{"scerr42", "scerr17"}));
  EXPECT_EQ(r.Run("set t%, (x% =~ 3)\n"), (Keys{"scerr17"}));
  EXPECT_EQ(r.Run("set t%, (x% == \"a\")\n"), (Keys{"scerr44"}));
  EXPECT_EQ(r.Run("set t%, (s$ == 3)\n"), (Keys{"scerr16"}));
  EXPECT_EQ(r.Run("set t%, (1x == 3)\n"), (Keys{"scerr42", "scerr35"}));
}

TEST(ScriptValues, TheRandomGeneratorFollowsItsLinearCongruence) {
  ScriptRunner r;
  r.engine().random().Seed(12345);
  uint32_t state = 12345;
  auto next = [&]() {
    state = state * 214013u + 2531011u;
    return static_cast<int32_t>((state >> 16) & 0x7FFF);
  };
  for (int i = 0; i < 20; ++i) {
    const int32_t rnd = next();
    r.Run("random x%, 1, 6\n");
    EXPECT_EQ(r.Number("x%"), rnd % 6 + 1);
  }
  // A reversed range gives low plus the remainder's range: 5 to 7.
  for (int i = 0; i < 20; ++i) {
    const int32_t rnd = next();
    r.Run("random x%, 5, 1\n");
    EXPECT_EQ(r.Number("x%"), rnd % -3 + 5);
  }
  const int32_t rnd = next();
  r.Run("random f, 0, 1\n");
  EXPECT_DOUBLE_EQ(*r.Number("f"), rnd / 32767.0);
}

TEST(ScriptValues, FormattingFillsOneValueOfTheRightType) {
  ScriptRunner r;
  EXPECT_EQ(r.Run("valtostr a$, \"No %d\", 7\nvaltostr b$, \"plain 100%% %d\"\n"
                  "valtostr c$, \"[%5.2f]\", 3.14159\nvaltostr d$, \"<%-4s>\", \"ab\"\n"
                  "set n%, 255\nvaltostr e$, \"%04X\", n%\nvaltostr f$, \"%ld\", 12\n"),
            Keys{});
  EXPECT_EQ(r.Text("a$"), "No 7");
  EXPECT_EQ(r.Text("b$"), "plain 100%% %d") << "without a value the format is the text";
  EXPECT_EQ(r.Text("c$"), "[ 3.14]");
  EXPECT_EQ(r.Text("d$"), "<ab  >");
  EXPECT_EQ(r.Text("e$"), "00FF");
  EXPECT_EQ(r.Text("f$"), "12");
  // Conversions that do not suit the value, and formats that would read what is not there.
  EXPECT_EQ(r.Run("valtostr g$, \"%s\", 5\nvaltostr g$, \"%d\", \"x\"\nvaltostr g$, \"%f\", 5\n"
                  "valtostr g$, \"%d %d\", 5\nvaltostr g$, \"%*d\", 5\nvaltostr g$, \"%n\", 5\n"
                  "valtostr g$, \"%\", 5\nvaltostr g$, \"%p\", 5\n"),
            Keys(8, "scerr71"));
  EXPECT_FALSE(r.Text("g$"));
  EXPECT_EQ(r.Run("valtostr g$, \"%d\", (1x)\n"), (Keys{"scerr42", "scerr17"}));
  EXPECT_EQ(r.Run("valtostr g$, \"%d\", 1x\n"), (Keys{"scerr42", "scerr38"}));
  // Results are cut at 255 characters; widths stop at 255.
  r.Run("valtostr h$, \"%300d]\", 1\nvaltostr k$, \"%.300f\", 1.5\n");
  EXPECT_EQ(r.Text("h$")->size(), 255u);
  EXPECT_EQ(r.Text("k$")->size(), 255u);
}

}  // namespace
}  // namespace zd
