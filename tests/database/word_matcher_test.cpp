// The word matcher of text filters: occurrences found wherever they start, whole words,
// wildcards and letter case (Greek too).
#include "database/word_matcher.h"

#include <gtest/gtest.h>

#include "base/cp1253.h"

namespace zd {
namespace {

int Count(std::string_view text, std::string_view word, bool ignoreCase = false,
          bool wholeWords = false, bool wildcards = false) {
  return CountWordMatches(text, word, WordMatchOptions{ignoreCase, wholeWords, wildcards});
}

TEST(WordMatcher, FindsEveryOccurrenceWhereverAFailedMatchLeftOff) {
  EXPECT_EQ(Count("committee", "tee"), 1);
  EXPECT_EQ(Count("aaab", "aab"), 1);
  EXPECT_EQ(Count("abababc", "ababc"), 1);
  EXPECT_EQ(Count("banana", "ana"), 1) << "occurrences do not overlap";
  EXPECT_EQ(Count("the cat sat on the cat", "cat"), 2);
  EXPECT_EQ(Count("cat", "cats"), 0);
  EXPECT_EQ(Count("", "a"), 0);
  EXPECT_EQ(Count("abc", ""), 3) << "an empty word, once per character";
  EXPECT_EQ(Count("ab cd", "", false, true), 2)
      << "whole words: characters before a delimiter or the end";
}

TEST(WordMatcher, WholeWordsStandBetweenDelimiters) {
  EXPECT_EQ(Count("the cat sat", "cat", false, true), 1);
  EXPECT_EQ(Count("concatenate", "cat", false, true), 0);
  EXPECT_EQ(Count("cat,cat;cat-cat&cat:cat.cat\ncat\rcat", "cat", false, true), 9);
  EXPECT_EQ(Count("cats cat", "cat", false, true), 1) << "a failed end does not hide the next word";
  EXPECT_EQ(Count("bobcat cat", "cat", false, true), 1);
}

TEST(WordMatcher, WildcardsTakeOneCharacterOrAnyRun) {
  EXPECT_EQ(Count("cat cut cot", "c#t", false, false, true), 3);
  EXPECT_EQ(Count("c#t", "c#t"), 1) << "without the flag # is a character";
  EXPECT_EQ(Count("the cat sat", "**cat**", false, false, true), 1);
  EXPECT_EQ(Count("concatenate", "*cat*", false, true, true), 0);
  EXPECT_EQ(Count("red and blue, red or blue", "red*blue", false, false, true), 2);
  EXPECT_EQ(Count("cat dogs cat dog", "cat*dog", false, true, true), 1)
      << "a star runs on until the word can end";
  EXPECT_EQ(Count("abc", "***", false, false, true), 3) << "only stars: the empty word";
}

TEST(WordMatcher, CaseFoldsAsciiAndGreekOnCopies) {
  const std::string word = Utf8ToCp1253("αθήνα");
  EXPECT_EQ(Count(Utf8ToCp1253("ΑΘΉΝΑ και Αθήνα"), word, true), 2);
  EXPECT_EQ(Count(Utf8ToCp1253("ΑΘΉΝΑ και Αθήνα"), word), 0);
  EXPECT_EQ(word, Utf8ToCp1253("αθήνα")) << "the word is not changed";
  EXPECT_EQ(Count("Paris PARIS paris", "pArIs", true, true), 3);
  EXPECT_EQ(Count(Utf8ToCp1253("ΟΔΟΣ οδος"), Utf8ToCp1253("οδος"), true), 2)
      << "a final sigma matches a capital one";
}

}  // namespace
}  // namespace zd
