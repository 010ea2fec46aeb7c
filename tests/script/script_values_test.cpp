// Variables, the operand readers, conditions and the value commands.
#include <gtest/gtest.h>

#include "script/script_runner.h"

namespace zd {
namespace {

using test::Keys;
using test::ScriptRunner;

// The arithmetic, float and text commands, and conditions that hold, are checked by the script
// files of tests/scripts; the cases here need what scripts cannot say (reports, lengths).

TEST(ScriptValues, TextsAreCutAt255CharactersAndFailedReadsLeaveTheDestination) {
  ScriptRunner r;
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
  EXPECT_EQ(r.Run("set w$, \"w\"\nclear w$\nset v$, w$\n"), (Keys{"scerr26"}));
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

TEST(ScriptValues, ConditionsThatCannotBeEvaluatedSayWhy) {
  ScriptRunner r;
  r.Run("set s$, \"abc\"\nset x%, 8\nset one, 1.0\n");
  EXPECT_EQ(r.Run("set t%, (x% bit 32)\n"), (Keys{"scerr5"}));
  EXPECT_EQ(r.Run("set t%, (one bit 0)\n"), (Keys{"scerr72"}));
  EXPECT_EQ(r.Run("set t%, (s$ bit 0)\n"), (Keys{"scerr33"}));
  EXPECT_EQ(r.Run("set t%, (x%==3)\n"), (Keys{"scerr42", "scerr17"}));
  EXPECT_EQ(r.Run("set t%, (x% =~ 3)\n"), (Keys{"scerr17"}));
  EXPECT_EQ(r.Run("set t%, (x% == \"a\")\n"), (Keys{"scerr44"}));
  EXPECT_EQ(r.Run("set t%, (s$ == 3)\n"), (Keys{"scerr16"}));
  EXPECT_EQ(r.Run("set t%, (1x == 3)\n"), (Keys{"scerr42", "scerr35"}));
  EXPECT_FALSE(r.Number("t%")) << "no condition above could be evaluated";
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
