// The word matcher of the text filters: how often a word occurs in a text, optionally without
// regard to letter case, as a whole word only, or with wildcards ("#" one character, "*" any
// run of characters).
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace zd {

struct WordMatchOptions {
  bool ignoreCase = false;  // letters compared upper-cased (ASCII and Greek)
  bool wholeWords = false;  // an occurrence must stand between delimiters
  bool wildcards = false;   // "#" and "*" in the word are wildcards
  bool firstOnly = false;   // stop at the first occurrence (1 or 0)
};

// Blank, carriage return, line feed and ". , & : ; -" end words.
bool IsWordDelimiter(char c);

// The number of occurrences of `word` in `text`, counted left to right without overlapping.
// Every start position is tried, so "tee" is found in "committee" and "aab" in "aaab". With
// wildcards, leading and trailing "*" of the word are dropped. An empty word is found once per
// character of the text; with whole words, once per character followed by a delimiter or the
// end (the empty word's start counts as a word start).
int CountWordMatches(std::string_view text, std::string_view word, const WordMatchOptions& options);

}  // namespace zd
