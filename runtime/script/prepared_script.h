// A script text prepared for running: cut into its lines once, each line's words read and
// classified, its command looked up, its constants converted and its variables given a place
// that remembers where the variable was last found. Runs then go from line to line without
// reading the text again. Nothing here reports anything: what a word or a line has wrong is kept
// with it and reported by the engine when the line runs, exactly as a line read afresh reports.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "script/script_source.h"

namespace zd::script {

class CommandTable;
class SystemVariables;

// One word of a line. Quoted words keep their quotes, with their escapes resolved; the
// comparison inside a condition is kept in lower case.
struct PreparedWord {
  uint32_t text = 0;  // where its text begins in the script's store
  uint8_t length = 0;
  ArgumentKind kind = ArgumentKind::NoArgument;
  WordError error = WordError::None;
  // Conditions: kCondition and how many words stand inside (at most three are kept). The
  // comparison word of a condition: the comparison's index plus one (0: no such comparison).
  // Integer constants: kRealDiffers when the text read as a real is not the integer's value
  // (as "-0", or a number past the 32-bit range).
  uint8_t detail = 0;
  // Integer constants: the value. Float constants: the index of the value among the reals.
  // Variables: the index of their place. Conditions: the index of the first word inside them.
  uint32_t value = 0;

  static constexpr uint8_t kCondition = 0x80, kRealDiffers = 0x40;
  bool IsCondition() const {
    return kind == ArgumentKind::IntegerConstant && (detail & kCondition) != 0;
  }
  int InnerCount() const { return detail & 3; }
};
static_assert(sizeof(PreparedWord) == 12);

// Where a variable of the script was found last, one per name in the script: a variable named
// on a thousand lines is looked up once, as long as the variable tables keep their records where
// they are (their version says when they no longer do).
struct VariablePlace {
  uint32_t text = 0;  // the name, in the script's store
  uint8_t length = 0;
  int8_t system = -1;          // the system variable of that name (its index), or -1
  void* value = nullptr;       // the value of the variable's record, when found
  uint64_t tablesVersion = 0;  // the tables' version when `value` was found (0: never)
};

enum class LineKind : uint8_t { Empty, If, Else, Endif, Endhandler, Command, UnknownCommand };

struct PreparedLine {
  uint32_t text = 0;       // where the line's text begins in the script's store
  uint32_t next = 0;       // where the line after it begins in the script text
  uint32_t firstWord = 0;  // its first word after the command word
  uint8_t length = 0;      // at most 255
  uint8_t wordCount = 0;   // the words after the command word that a run reads
  uint8_t command = 0;     // Command lines: the command's entry in the command table
  uint8_t flags = 0;       // the kind (low three bits) and the flags below

  static constexpr uint8_t kKindMask = 7, kCut = 8, kExactEndhandler = 16, kStatusAllowed = 32;
  LineKind kind() const { return static_cast<LineKind>(flags & kKindMask); }
  // The line was longer than 255 characters and was cut.
  bool cut() const { return (flags & kCut) != 0; }
  // The line's text is exactly "endhandler", which ends a handler's body.
  bool exactEndhandler() const { return (flags & kExactEndhandler) != 0; }
  // Its command word is one a status file may hold.
  bool statusAllowed() const { return (flags & kStatusAllowed) != 0; }
};
static_assert(sizeof(PreparedLine) == 16);

// What lines are read against: the command table and the system variables' names.
struct PreparationTables {
  const CommandTable* commands = nullptr;
  const SystemVariables* systemVariables = nullptr;
};

class PreparedScript {
 public:
  PreparedScript() = default;

  // Every line of `text` from its beginning, prepared. Without `lines` only the text is kept,
  // and every line is read afresh when a run reaches it.
  static std::unique_ptr<PreparedScript> Prepare(std::string_view text,
                                                 const PreparationTables& tables,
                                                 bool lines = true);

  // Makes this script hold only the line of `text` that begins at `position` (its line 0);
  // false when there is none. A run reads a line this way when it stands where no prepared
  // line begins.
  bool PrepareLineAt(std::string_view text, size_t position, const PreparationTables& tables);
  // Makes this script hold `text` as one line, whatever it holds: the line of a QSL anchor.
  void PrepareWholeLine(std::string_view text, const PreparationTables& tables);

  std::string_view text() const { return std::string_view(store_).substr(0, textLength_); }
  bool hasLines() const { return hasLines_; }
  uint32_t lineCount() const { return static_cast<uint32_t>(lines_.size()); }
  const PreparedLine& line(uint32_t index) const { return lines_[index]; }

  // Where a run that has reached `position` of the text goes on.
  struct Place {
    enum class Kind : uint8_t { Line, End, Elsewhere };
    Kind kind = Kind::End;
    uint32_t line = 0;  // Line: the prepared line's index
  };
  // A prepared line, the end of the text, or a place where no prepared line begins (the body
  // of a handler in a text that has changed since the handler was defined, or any place of a
  // script kept without its lines), whose line must be read on its own.
  Place PlaceOf(size_t position) const;
  // The place after line `index`.
  Place PlaceAfter(uint32_t index) const {
    return index + 1 < lines_.size() ? Place{Place::Kind::Line, index + 1} : Place{};
  }

  const PreparedWord* words() const { return words_.data(); }
  std::string_view WordText(const PreparedWord& word) const {
    return std::string_view(store_).substr(word.text, word.length);
  }
  std::string_view LineText(const PreparedLine& line) const {
    return std::string_view(store_).substr(line.text, line.length);
  }
  double Real(uint32_t index) const { return reals_[index]; }
  VariablePlace& PlaceOfVariable(uint32_t index) { return places_[index]; }
  std::string_view VariableName(const VariablePlace& place) const {
    return std::string_view(store_).substr(place.text, place.length);
  }

  // Looks every command line's command up again: the table has grown since (`version` is the
  // table's number of entries).
  void ResolveCommands(const CommandTable& commands);
  int commandsVersion() const { return commandsVersion_; }

  // The memory this prepared form holds, its text included.
  size_t MemoryBytes() const;

 private:
  friend class LinePreparer;
  void Clear();

  std::string store_;  // the text, then the words whose text is not the line's own
  size_t textLength_ = 0;
  bool hasLines_ = false;
  std::vector<PreparedLine> lines_;
  std::vector<PreparedWord> words_;
  std::vector<double> reals_;
  std::vector<VariablePlace> places_;
  int commandsVersion_ = 0;
  // The places asked for lately (handlers' bodies begin at the same few places again and
  // again), by position.
  struct RememberedPlace {
    uint32_t position = UINT32_MAX;
    Place place;
  };
  mutable std::array<RememberedPlace, 16> rememberedPlaces_{};
};

}  // namespace zd::script
