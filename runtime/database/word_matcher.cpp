#include "database/word_matcher.h"

#include <algorithm>
#include <vector>

#include "base/text.h"

namespace zd {
namespace {

bool CharMatches(char pattern, char c, bool wildcards) {
  return pattern == c || (wildcards && pattern == '#');
}

// One left-to-right pass over the text with every partial match kept at once: place k of the
// live set means "the first k characters of the word end here". A new match may begin at every
// character (with whole words, only where a word begins), so no start position is skipped when
// a partial match fails. A star takes any run of characters, the empty one included.
class MatchStates {
 public:
  MatchStates(std::string_view word, bool wildcards)
      : word_(word), wildcards_(wildcards), live_(word.size() + 1), next_(word.size() + 1) {}

  void Reset() { std::fill(live_.begin(), live_.end(), uint8_t(0)); }
  void Begin() {
    live_[0] = 1;
    PassStars(live_);
  }
  // Takes one character; true when the whole word now ends here.
  bool Take(char c) {
    const size_t m = word_.size();
    std::fill(next_.begin(), next_.end(), uint8_t(0));
    for (size_t k = 0; k < m; ++k) {
      if (!live_[k]) continue;
      if (wildcards_ && word_[k] == '*')
        next_[k] = 1;  // the star takes c as well
      else if (CharMatches(word_[k], c, wildcards_))
        next_[k + 1] = 1;
    }
    PassStars(next_);
    live_.swap(next_);
    return live_[m] != 0;
  }

 private:
  void PassStars(std::vector<uint8_t>& states) const {
    if (!wildcards_) return;
    for (size_t k = 0; k < word_.size(); ++k) {
      if (states[k] && word_[k] == '*') states[k + 1] = 1;
    }
  }

  std::string_view word_;
  bool wildcards_;
  std::vector<uint8_t> live_, next_;
};

}  // namespace

bool IsWordDelimiter(char c) {
  switch (c) {
    case '\r':
    case '\n':
    case ' ':
    case '.':
    case ',':
    case '&':
    case ':':
    case ';':
    case '-':
      return true;
    default:
      return false;
  }
}

int CountWordMatches(std::string_view text, std::string_view word,
                     const WordMatchOptions& options) {
  // Folding works on copies: the caller's word (a filter's value) stays as it was given.
  std::string foldedText, foldedWord;
  if (options.ignoreCase) {
    foldedText = ToUpper1253(text);
    foldedWord = ToUpper1253(word);
    text = foldedText;
    word = foldedWord;
  }
  if (options.wildcards) {
    while (!word.empty() && word.front() == '*') word.remove_prefix(1);
    while (!word.empty() && word.back() == '*') word.remove_suffix(1);
  }
  int count = 0;
  if (word.empty()) {
    for (size_t i = 0; i < text.size(); ++i) {
      if (!options.wholeWords || i + 1 == text.size() || IsWordDelimiter(text[i + 1])) ++count;
    }
    return count;
  }
  const bool stars = options.wildcards && word.find('*') != std::string_view::npos;
  if (!stars) {
    // A word of fixed length: tried at every start, an occurrence skipped past once counted.
    const size_t m = word.size();
    for (size_t i = 0; i + m <= text.size();) {
      const bool starts = !options.wholeWords || i == 0 || IsWordDelimiter(text[i - 1]);
      bool found = starts;
      for (size_t k = 0; found && k < m; ++k)
        found = CharMatches(word[k], text[i + k], options.wildcards);
      if (found && options.wholeWords && i + m < text.size()) found = IsWordDelimiter(text[i + m]);
      if (!found) {
        ++i;
        continue;
      }
      ++count;
      if (options.firstOnly) return count;
      i += m;
    }
    return count;
  }
  MatchStates states(word, options.wildcards);
  for (size_t i = 0; i < text.size(); ++i) {
    if (!options.wholeWords || i == 0 || IsWordDelimiter(text[i - 1])) states.Begin();
    if (!states.Take(text[i])) continue;
    if (options.wholeWords && i + 1 < text.size() && !IsWordDelimiter(text[i + 1])) continue;
    // Counted; the next occurrence starts after this one.
    ++count;
    if (options.firstOnly) return count;
    states.Reset();
  }
  return count;
}

}  // namespace zd
