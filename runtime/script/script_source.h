// Script text cut into lines and words: the line reader, the word reader with its quoting and
// escapes, and the kinds of words. Pure functions over views of the text; nothing allocates.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "script/script_text.h"

namespace zd::script {

constexpr size_t kMaxLineLength = 255;

// The kinds of word an argument can be (numbered as the command table stores them).
enum class ArgumentKind : uint8_t {
  NoArgument = 1,
  IntegerVariable = 2,
  StringVariable = 3,
  FloatVariable = 4,
  IntegerConstant = 5,  // signed digits, or a parenthesised condition
  StringConstant = 6,   // text in double quotes
  FloatConstant = 7,
  InvalidToken = 8,
};

struct ScriptLine {
  std::string_view text;  // without leading blanks, comment or line end; at most 255 characters
  size_t next = 0;        // where the next line begins
  bool cut = false;       // the line was longer than 255 characters
};

// The line that begins at `position` (after blanks and tabs); false when there is none, that is
// when the position has reached the text's last byte.
bool ReadScriptLine(std::string_view text, size_t position, ScriptLine& line);

// A place in a line's text, moved on by the word reader.
struct TextCursor {
  std::string_view line;
  size_t position = 0;
  bool AtEnd() const { return position >= line.size(); }
};

void SkipSeparators(TextCursor& cursor);
// Reads the next word (after SkipSeparators); false when the line holds no further word. Quoted
// text keeps its quotes, with its escapes resolved.
bool ReadToken(TextCursor& cursor, ScriptText& word);
// SkipSeparators then ReadToken.
bool ReadNextWord(TextCursor& cursor, ScriptText& word);
// The command word a line (at the cursor's start) begins with, after the "." a line may start
// with, in lower case; false when the line holds none.
bool ReadCommandWord(TextCursor& cursor, ScriptText& word);

// What a word's classification found wrong (reported when the word is read).
enum class WordError : uint8_t {
  None,
  SuffixAlone,         // a name that is only "%" or "$"
  NotLetters,          // a character other than a letter before the "%" or "$"
  QuoteNotOpened,      // ends but does not begin with a double quote
  ConditionNotOpened,  // ends with ")" but does not begin with "("
  NoKindFits,          // no variable, number, text or condition
};

struct Classification {
  ArgumentKind kind = ArgumentKind::InvalidToken;
  WordError error = WordError::None;  // set for InvalidToken
};

Classification ClassifyToken(std::string_view word);
// The error's message key, and whether the message is given the word.
const char* WordErrorKey(WordError error);
bool WordErrorTakesWord(WordError error);

// The text inside a quoted word (its first and last characters dropped).
inline std::string_view QuotedContent(std::string_view word) {
  return word.size() >= 2 ? word.substr(1, word.size() - 2) : std::string_view();
}

// Numbers as C reads them: an optional sign and decimal digits, stopping at the first character
// that does not continue the number (out-of-range values are clamped); and decimal floating
// point with an optional fraction and exponent. No hexadecimal, infinities or NaNs: script text
// never meant those. Leading blanks are skipped.
int32_t ParseInteger(std::string_view text);
double ParseFloat(std::string_view text);

inline bool IsLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
inline bool IsDigit(char c) { return c >= '0' && c <= '9'; }
inline char LowerAscii(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 32) : c; }

}  // namespace zd::script
