#include "script/script_source.h"

#include <cmath>
#include <cstdlib>
#include <limits>

namespace zd::script {
namespace {

bool IsLineEnd(char c) { return c == '\n' || c == '\r'; }
bool IsSeparator(char c) { return c == ' ' || c == '\t' || c == ','; }

}  // namespace

bool ReadScriptLine(std::string_view text, size_t position, ScriptLine& line) {
  const size_t length = text.size();
  while (position < length && (text[position] == ' ' || text[position] == '\t')) ++position;
  if (length == 0 || position >= length - 1) return false;
  size_t end = position;
  while (end < length && !IsLineEnd(text[end]) && text[end] != '|') ++end;
  line.text = text.substr(position, end - position);
  line.cut = line.text.size() > kMaxLineLength;
  if (line.cut) line.text = line.text.substr(0, kMaxLineLength);
  // A comment runs to the line end; then exactly one line-end character is passed over, so CR LF
  // leaves an empty line behind it.
  size_t next = end;
  while (next < length && !IsLineEnd(text[next])) ++next;
  if (next < length) ++next;
  line.next = next;
  return true;
}

void SkipSeparators(TextCursor& cursor) {
  while (!cursor.AtEnd() && IsSeparator(cursor.line[cursor.position])) ++cursor.position;
}

bool ReadToken(TextCursor& cursor, ScriptText& word) {
  word.Clear();
  const std::string_view line = cursor.line;
  size_t i = cursor.position;
  if (i >= line.size()) return false;
  char buffer[kMaxLineLength + 1];
  size_t n = 0;
  auto put = [&](char c) {
    if (n < kMaxLineLength) buffer[n++] = c;
  };
  if (line[i] == '"') {
    put('"');
    ++i;
    while (i < line.size()) {
      const char c = line[i];
      if (c == '\\' && i + 1 < line.size()) {
        const char e = line[i + 1];
        if (e == 'n') put('\n');
        else if (e == 'r') put('\r');
        else if (e == 't') put('\t');
        else if (e == '"') put('"');
        else {
          put('\\');
          put(e);
        }
        i += 2;
        continue;
      }
      ++i;
      put(c);
      if (c == '"' && (i >= line.size() || line[i] == ' ' || line[i] == ',')) break;
    }
  } else if (line[i] == '(') {
    while (i < line.size()) {
      const char c = line[i++];
      put(c);
      if (c == ')') break;
    }
  } else {
    while (i < line.size() && !IsSeparator(line[i])) put(line[i++]);
  }
  cursor.position = i;
  word.Assign(std::string_view(buffer, n));
  return true;
}

bool ReadNextWord(TextCursor& cursor, ScriptText& word) {
  SkipSeparators(cursor);
  return ReadToken(cursor, word);
}

bool ReadCommandWord(TextCursor& cursor, ScriptText& word) {
  const bool dotted = !cursor.line.empty() && cursor.line[0] == '.';
  if (!ReadNextWord(cursor, word)) return false;
  if (dotted && !ReadNextWord(cursor, word)) return false;
  word.LowerAscii();
  return true;
}

Classification ClassifyToken(std::string_view word) {
  Classification result;
  if (word.empty()) {
    result.kind = ArgumentKind::NoArgument;
    return result;
  }
  const char last = word.back();
  if (last == '"') {
    if (word.size() >= 2 && word.front() == '"') {
      result.kind = ArgumentKind::StringConstant;
    } else {
      result.error = WordError::QuoteNotOpened;
    }
    return result;
  }
  if (last == '$' || last == '%') {
    if (word.size() == 1) {
      result.error = WordError::SuffixAlone;
      return result;
    }
    for (size_t i = 0; i + 1 < word.size(); ++i) {
      if (!IsLetter(word[i])) {
        result.error = WordError::NotLetters;
        return result;
      }
    }
    result.kind = last == '$' ? ArgumentKind::StringVariable : ArgumentKind::IntegerVariable;
    return result;
  }
  if (last == ')') {
    if (word.front() == '(') {
      result.kind = ArgumentKind::IntegerConstant;
    } else {
      result.error = WordError::ConditionNotOpened;
    }
    return result;
  }
  bool letters = true, integer = true;
  for (char c : word) {
    if (!IsLetter(c)) letters = false;
    if (!IsDigit(c) && c != '+' && c != '-') integer = false;
  }
  if (letters) {
    result.kind = ArgumentKind::FloatVariable;
    return result;
  }
  if (integer) {
    result.kind = ArgumentKind::IntegerConstant;
    return result;
  }
  // A run of digits and signs, then a run that may also hold "." and "e".
  size_t i = 0;
  while (i < word.size() && (IsDigit(word[i]) || word[i] == '+' || word[i] == '-')) ++i;
  bool fractional = true;
  for (size_t j = i; j < word.size(); ++j) {
    const char c = word[j];
    if (!IsDigit(c) && c != '+' && c != '-' && c != '.' && c != 'e') fractional = false;
  }
  if (fractional) {
    result.kind = ArgumentKind::FloatConstant;
    return result;
  }
  result.error = WordError::NoKindFits;
  return result;
}

const char* WordErrorKey(WordError error) {
  switch (error) {
    case WordError::None: return nullptr;
    case WordError::SuffixAlone: return "scerr23";
    case WordError::NotLetters: return "scerr24";
    case WordError::QuoteNotOpened: return "scerr40";
    case WordError::ConditionNotOpened: return "scerr41";
    case WordError::NoKindFits: return "scerr42";
  }
  return nullptr;
}

bool WordErrorTakesWord(WordError error) {
  return error != WordError::None && error != WordError::SuffixAlone;
}

int32_t ParseInteger(std::string_view text) {
  size_t i = 0;
  while (i < text.size() && (text[i] == ' ' || text[i] == '\t' || text[i] == '\n' ||
                             text[i] == '\r' || text[i] == '\v' || text[i] == '\f')) {
    ++i;
  }
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
  int64_t value = 0;
  for (; i < text.size() && IsDigit(text[i]); ++i) {
    value = value * 10 + (text[i] - '0');
    if (value > int64_t{1} << 32) value = int64_t{1} << 32;  // clamped below
  }
  if (negative) value = -value;
  if (value > std::numeric_limits<int32_t>::max()) return std::numeric_limits<int32_t>::max();
  if (value < std::numeric_limits<int32_t>::min()) return std::numeric_limits<int32_t>::min();
  return static_cast<int32_t>(value);
}

double ParseFloat(std::string_view text) {
  // Copy the longest prefix that is a decimal number, then let the C library convert it.
  char buffer[kMaxLineLength + 1];
  size_t n = 0, i = 0;
  while (i < text.size() && (text[i] == ' ' || text[i] == '\t' || text[i] == '\n' ||
                             text[i] == '\r' || text[i] == '\v' || text[i] == '\f')) {
    ++i;
  }
  auto take = [&]() {
    if (n < kMaxLineLength) buffer[n++] = text[i];
    ++i;
  };
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) take();
  size_t digits = 0;
  while (i < text.size() && IsDigit(text[i])) take(), ++digits;
  if (i < text.size() && text[i] == '.') {
    take();
    while (i < text.size() && IsDigit(text[i])) take(), ++digits;
  }
  if (digits == 0) return 0.0;
  if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
    size_t j = i + 1;
    if (j < text.size() && (text[j] == '+' || text[j] == '-')) ++j;
    if (j < text.size() && IsDigit(text[j])) {
      while (i < j) take();
      while (i < text.size() && IsDigit(text[i])) take();
    }
  }
  buffer[n] = '\0';
  return std::strtod(buffer, nullptr);
}

}  // namespace zd::script
