// Script text cut into lines and words, the kinds of words, and how lines are counted.
#include "script/script_source.h"

#include <gtest/gtest.h>

#include "script/script_runner.h"

namespace zd {
namespace {

using script::ArgumentKind;
using test::Keys;
using test::ScriptRunner;

std::vector<std::string> Words(std::string_view line) {
  script::TextCursor cursor{line, 0};
  script::ScriptText word;
  std::vector<std::string> words;
  while (script::ReadNextWord(cursor, word)) words.push_back(word.str());
  return words;
}

std::vector<std::string> Lines(std::string_view text) {
  std::vector<std::string> lines;
  size_t position = 0;
  script::ScriptLine line;
  while (position + 1 < text.size() && script::ReadScriptLine(text, position, line)) {
    lines.push_back(std::string(line.text));
    position = line.next;
  }
  return lines;
}

TEST(ScriptSource, LinesEndAtLineBreaksAndCommentsAndCarriageReturnLineFeedMakesTwo) {
  EXPECT_EQ(Lines("a\nb|comment\n  c  |x\n"), (std::vector<std::string>{"a", "b", "c  "}));
  EXPECT_EQ(Lines("a\r\nb\r\n"), (std::vector<std::string>{"a", "", "b"}));
  // The last line runs to the last byte when no line end follows it; a single character
  // standing last is no line at all.
  EXPECT_EQ(Lines("one\ntwo"), (std::vector<std::string>{"one", "two"}));
  EXPECT_EQ(Lines("one\nx"), (std::vector<std::string>{"one"}));
  EXPECT_EQ(Lines("\t\tx%\n"), (std::vector<std::string>{"x%"}));
  script::ScriptLine line;
  const std::string longLine(300, 'a');
  ASSERT_TRUE(script::ReadScriptLine(longLine + "\nb\n", 0, line));
  EXPECT_TRUE(line.cut);
  EXPECT_EQ(line.text.size(), 255u);
  EXPECT_EQ(line.next, 301u);
}

TEST(ScriptSource, WordsAreSeparatedByBlanksTabsAndAnyRunOfCommas) {
  EXPECT_EQ(Words("set x%,,5"), (std::vector<std::string>{"set", "x%", "5"}));
  EXPECT_EQ(Words(" \t,set ,\t x% , 5 ,"), (std::vector<std::string>{"set", "x%", "5"}));
  // A condition keeps its blanks and commas up to the first ")".
  EXPECT_EQ(Words("if (a% == 1, 2) x"), (std::vector<std::string>{"if", "(a% == 1, 2)", "x"}));
  EXPECT_EQ(Words("(open ended"), (std::vector<std::string>{"(open ended"}));
}

TEST(ScriptSource, QuotedTextEndsAtAQuoteBeforeASeparatorAndResolvesItsEscapes) {
  EXPECT_EQ(Words(R"("a b, c" next)"), (std::vector<std::string>{"\"a b, c\"", "next"}));
  // An inner quote not followed by a separator belongs to the text.
  EXPECT_EQ(Words(R"("x"y" z)"), (std::vector<std::string>{"\"x\"y\"", "z"}));
  EXPECT_EQ(Words(R"("say \"hi\"\tnow\n")"),
            (std::vector<std::string>{"\"say \"hi\"\tnow\n\""}));
  // Any other backslash stays with its character, which starts no escape of its own.
  EXPECT_EQ(Words(R"("C:\DATA\\n")"), (std::vector<std::string>{"\"C:\\DATA\\\\n\""}));
  // Without a closing quote the word runs to the line end.
  EXPECT_EQ(Words(R"("unterminated text)"), (std::vector<std::string>{"\"unterminated text"}));
}

TEST(ScriptSource, WordKindsFollowTheLastCharacterThenTheOthers) {
  struct Case {
    const char* word;
    ArgumentKind kind;
    const char* error;
  };
  const Case cases[] = {
      {"x%", ArgumentKind::IntegerVariable, nullptr},
      {"Name$", ArgumentKind::StringVariable, nullptr},
      {"speed", ArgumentKind::FloatVariable, nullptr},
      {"-12", ArgumentKind::IntegerConstant, nullptr},
      {"5-3", ArgumentKind::IntegerConstant, nullptr},
      {"(a% > 1)", ArgumentKind::IntegerConstant, nullptr},
      {"\"text\"", ArgumentKind::StringConstant, nullptr},
      {"\"", ArgumentKind::InvalidToken, "scerr40"},
      {"1.5", ArgumentKind::FloatConstant, nullptr},
      {"-2e5", ArgumentKind::FloatConstant, nullptr},
      {"1.2.3", ArgumentKind::FloatConstant, nullptr},
      {"1E5", ArgumentKind::InvalidToken, "scerr42"},
      {"text\"", ArgumentKind::InvalidToken, "scerr40"},
      {"%", ArgumentKind::InvalidToken, "scerr23"},
      {"$", ArgumentKind::InvalidToken, "scerr23"},
      {"a1%", ArgumentKind::InvalidToken, "scerr24"},
      {"x)", ArgumentKind::InvalidToken, "scerr41"},
      {"x1", ArgumentKind::InvalidToken, "scerr42"},
      {"\"a", ArgumentKind::InvalidToken, "scerr42"},
  };
  for (const Case& c : cases) {
    const auto result = script::ClassifyToken(c.word);
    EXPECT_EQ(result.kind, c.kind) << c.word;
    const char* key = script::WordErrorKey(result.error);
    EXPECT_STREQ(key ? key : "", c.error ? c.error : "") << c.word;
  }
}

TEST(ScriptSource, NumbersConvertAsCReadsThemUpToTheFirstCharacterThatDoesNotFit) {
  EXPECT_EQ(script::ParseInteger("5-3"), 5);
  EXPECT_EQ(script::ParseInteger("  -42abc"), -42);
  EXPECT_EQ(script::ParseInteger("99999999999"), 2147483647);
  EXPECT_EQ(script::ParseInteger("-99999999999"), -2147483647 - 1);
  EXPECT_EQ(script::ParseInteger("abc"), 0);
  EXPECT_DOUBLE_EQ(script::ParseFloat("1.2.3"), 1.2);
  EXPECT_DOUBLE_EQ(script::ParseFloat("-2.5e2x"), -250.0);
  EXPECT_DOUBLE_EQ(script::ParseFloat("3e"), 3.0);
  EXPECT_DOUBLE_EQ(script::ParseFloat("0x1A"), 0.0);
  EXPECT_DOUBLE_EQ(script::ParseFloat("inf"), 0.0);
}

TEST(ScriptLines, CommentsAndEmptyLinesCountAndErrorsCarryTheirLine) {
  ScriptRunner r;
  EXPECT_EQ(r.Run("| a comment\n\n   \nbogus\n"), (Keys{"scerr2"}));
  EXPECT_EQ(r.reports()[0].line, 4);
  EXPECT_NE(r.reports()[0].text.find("Κώδικας  \"+Test\", Γραμμή 4:\\nUnknown command bogus."),
            std::string::npos)
      << r.reports()[0].text;
  // CR LF line ends count every line twice: the k-th line is line 2k - 1.
  EXPECT_EQ(r.Run("set a%, 1\r\nset b%, 2\r\nbogus\r\n"), (Keys{"scerr2"}));
  EXPECT_EQ(r.reports()[0].line, 5);
  // The last line runs without a line end after it.
  r.Run("set last%, 7");
  EXPECT_EQ(r.Number("last%"), 7);
  // A line over 255 characters is cut, reported, and what is left runs.
  r.Run("set cut$, \"" + std::string(300, 'z') + "\"\n");
  EXPECT_EQ(KeysOf(r.reports()), (Keys{"scerr1", "scerr42", "scerr16"}));
}

TEST(ScriptLines, DiagnosticsOffHideTheDiagnosticsButNotTheErrors) {
  ScriptRunner r({.commandLine = "-D "});
  EXPECT_EQ(r.Run("bogus\nset x%, missing%\n"), Keys{});
  // Outside a script an error is shown without the heading.
  r.engine().ReportScriptError("scerr27", "name%");
  const auto reports = test::ReportsIn(r.TraceText());
  ASSERT_EQ(test::KeysOf(reports), (Keys{"scerr27"}));
  EXPECT_EQ(reports[0].line, 0);
  EXPECT_NE(reports[0].text.find("name%"), std::string::npos);
}

TEST(ScriptLines, TheDotPrefixDropsTheFirstWordAndKeywordsIgnoreCase) {
  ScriptRunner r;
  EXPECT_EQ(r.Run(". set x%, 1\n.label set y%, 2\nSET z%, 3\nSet w% 4\nset v%,,5\n"), Keys{});
  EXPECT_EQ(r.Number("x%"), 1);
  EXPECT_EQ(r.Number("y%"), 2);
  EXPECT_EQ(r.Number("z%"), 3);
  EXPECT_EQ(r.Number("w%"), 4);
  EXPECT_EQ(r.Number("v%"), 5);
  // Variable names keep their case.
  r.Run("set X%, 9\n");
  EXPECT_EQ(r.Number("x%"), 1);
  EXPECT_EQ(r.Number("X%"), 9);
  // The command's name is reported lower-cased.
  r.Run("FROB x%\n");
  EXPECT_NE(r.reports().at(0).text.find("Unknown command frob."), std::string::npos);
}

TEST(ScriptLines, QuotedTextThroughTheReaders) {
  ScriptRunner r;
  // The bar ends the line inside the quotes: the word is a quote and a, which is no text.
  EXPECT_EQ(r.Run("set s$, \"a|b\"\n"), (Keys{"scerr42", "scerr16"}));
  EXPECT_FALSE(r.Text("s$"));
  r.Run(R"(set q$, "say \"hi\"\tthere"
set p$, "C:\DATA"
set i$, "x"y"
)");
  EXPECT_EQ(r.Text("q$"), "say \"hi\"\tthere");
  EXPECT_EQ(r.Text("p$"), "C:\\DATA");
  EXPECT_EQ(r.Text("i$"), "x\"y");
}

TEST(ScriptLines, DispatchReportsMissingAndUnsuitableFirstArguments) {
  ScriptRunner r;
  EXPECT_EQ(r.Run("set\n"), (Keys{"scerr3"}));
  EXPECT_EQ(r.Run("mod f, 1, 2\n"), (Keys{"scerr4"}));
  EXPECT_NE(r.reports()[0].text.find("The argument f does not suit"), std::string::npos);
  // An invalid word reports its own error and then scerr4.
  EXPECT_EQ(r.Run("set 1x, 2\n"), (Keys{"scerr42", "scerr4"}));
  // Words after the last argument a command reads are ignored.
  EXPECT_EQ(r.Run("set a%, 1, 2, 3 and more\n"), Keys{});
  EXPECT_EQ(r.Number("a%"), 1);
}

TEST(ScriptLines, ConditionsNestTenDeepAndSkippedLinesKeepTheBalance) {
  ScriptRunner r;
  std::string ten, eleven;
  for (int i = 0; i < 10; ++i) ten += "if 1\n";
  ten += "set deep%, 1\n";
  for (int i = 0; i < 10; ++i) ten += "endif\n";
  EXPECT_EQ(r.Run(ten), Keys{});
  EXPECT_EQ(r.Number("deep%"), 1);
  for (int i = 0; i < 11; ++i) eleven += "if 1\n";
  EXPECT_EQ(r.Run(eleven + "set e%, 1\n"), (Keys{"scerr30"}));
  EXPECT_EQ(r.reports()[0].line, 11);
  // A condition that cannot be read opens no level: its endif closes the enclosing one.
  EXPECT_EQ(r.Run("if 1\nif nothing\nset a%, 5\nendif\nset c%, 1\n"), (Keys{"scerr26"}));
  EXPECT_EQ(r.Number("a%"), 5);
  EXPECT_EQ(r.Number("c%"), 1);
  EXPECT_EQ(r.Run("if nothing\nendif\n"), (Keys{"scerr26", "scerr29"}));
  // Skipped lines evaluate nothing, yet their ifs open levels.
  EXPECT_EQ(r.Run("if 0\nif nothing\nbogus\nelse\nbogus\nendif\nbogus\nelse\nset b%, 2\nendif\n"),
            Keys{});
  EXPECT_EQ(r.Number("b%"), 2);
  EXPECT_EQ(r.Run("else\nendif\n"), (Keys{"scerr28", "scerr29"}));
  // Float conditions are truncated toward zero.
  r.Run("set half, 0.5\nset one, 1.5\nset h%, 0\nset o%, 0\nif half\nset h%, 1\nendif\n"
        "if one\nset o%, 1\nendif\n");
  EXPECT_EQ(r.Number("h%"), 0);
  EXPECT_EQ(r.Number("o%"), 1);
}

TEST(ScriptLines, HostileTextIsRefusedCleanly) {
  ScriptRunner r;
  // Ten thousand nested ifs: the first ten open, the rest report, the endifs balance out.
  std::string nested;
  for (int i = 0; i < 10000; ++i) nested += "if 1\n";
  for (int i = 0; i < 10000; ++i) nested += "endif\n";
  const Keys keys = r.Run(nested);
  EXPECT_EQ(std::count(keys.begin(), keys.end(), "scerr30"), 9990);
  EXPECT_EQ(std::count(keys.begin(), keys.end(), "scerr29"), 9990);
  // A line of 10,000 characters, names of 1,000, unterminated quotes, control bytes.
  const std::string huge(10000, 'q');
  // (Cut at 255 characters, the name loses its suffix and becomes a float with no value.)
  EXPECT_EQ(r.Run("set " + huge + "%, 1\n"), (Keys{"scerr1", "scerr45"}));
  EXPECT_EQ(r.Run("set " + std::string(1000, 'n') + "%, 1\n"), (Keys{"scerr1", "scerr45"}));
  EXPECT_EQ(r.Run("set " + std::string(200, 'n') + "%, 1\n"), (Keys{"scerr25"}));
  EXPECT_EQ(r.Run("set s$, \"no end\nset t$, \"\n"), (Keys{"scerr42", "scerr16", "scerr40", "scerr16"}));
  EXPECT_EQ(r.Run(std::string("set \x01\xff%, 1\n") + std::string(3, '\0') + "set z%, 2\n"),
            (Keys{"scerr24", "scerr4", "scerr2"}));
  EXPECT_EQ(r.Run("set f%, (x% == 1\n"), (Keys{"scerr42", "scerr44"}));
  EXPECT_EQ(r.Run(R"(set v$, "%s%s%n%n%d")"
                  "\nvaltostr w$, \"%s%n\", \"x\"\n"),
            (Keys{"scerr71"}));
  EXPECT_EQ(r.Text("v$"), "%s%s%n%n%d");
}

}  // namespace
}  // namespace zd
