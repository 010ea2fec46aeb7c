// What command handlers read a line through: the words of the line after its command word, one
// after another, as the line was prepared.
#pragma once

#include <string>
#include <string_view>

#include "script/prepared_script.h"

namespace zd::script {

// A word of a prepared line; an empty word stands for one that is not there.
class Word {
 public:
  Word() = default;
  Word(PreparedScript* script, const PreparedWord* word) : script_(script), word_(word) {}

  std::string_view view() const { return word_ ? script_->WordText(*word_) : std::string_view(); }
  std::string str() const { return std::string(view()); }
  bool empty() const { return word_ == nullptr || word_->length == 0; }
  const PreparedWord* prepared() const { return word_; }
  PreparedScript* script() const { return script_; }

 private:
  PreparedScript* script_ = nullptr;
  const PreparedWord* word_ = nullptr;
};

// The words of a line still to be read.
struct LineCursor {
  PreparedScript* script = nullptr;
  const PreparedWord* next = nullptr;
  const PreparedWord* end = nullptr;
  std::string_view line;  // the line's text, for what reports it whole

  bool AtEnd() const { return next == end; }
  // The next word, or an empty word (false) when the line holds no further word.
  bool Take(Word& word) {
    if (next == end) {
      word = Word();
      return false;
    }
    word = Word(script, next++);
    return true;
  }
};

}  // namespace zd::script
