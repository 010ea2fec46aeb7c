#include "script/prepared_script.h"

#include <algorithm>
#include <cstring>
#include <string>
#include <unordered_map>

#include "script/command_table.h"
#include "script/comparisons.h"
#include "script/status/status_files.h"
#include "script/system_variables.h"

namespace zd::script {

// Places in a text are kept in 32 bits: a run ends before a line that would begin past them.
constexpr size_t kMaxPosition = UINT32_MAX - 1;
// A text whose lines would take more than this (tens of megabytes of script, or a text of
// nothing but line ends) is kept without them and read line by line as it runs.
constexpr size_t kMaxLinesBytes = size_t{64} << 20;

// Reads lines of a text into a prepared script. The text is read where the caller has it; the
// script's store receives what the words point at.
class LinePreparer {
 public:
  LinePreparer(PreparedScript& script, const PreparationTables& tables)
      : script_(script), tables_(tables) {}

  // Adds the line whose text is `lineText`, standing at `lineOffset` in the store.
  void AddLine(std::string_view lineText, uint32_t lineOffset, bool cut, size_t next) {
    PreparedLine line;
    line.text = lineOffset;
    line.length = static_cast<uint8_t>(std::min<size_t>(lineText.size(), kMaxLineLength));
    line.next = static_cast<uint32_t>(next);
    line.firstWord = static_cast<uint32_t>(script_.words_.size());
    uint8_t flags = 0;
    if (cut) flags |= PreparedLine::kCut;
    if (lineText == "endhandler") flags |= PreparedLine::kExactEndhandler;
    LineKind kind = LineKind::Empty;
    TextCursor cursor{lineText, 0};
    ScriptText keyword;
    if (!lineText.empty() && ReadCommandWord(cursor, keyword)) {
      if (StatusFiles::StatusCommandAllowed(keyword.view())) flags |= PreparedLine::kStatusAllowed;
      const std::string_view k = keyword.view();
      if (k == "if") {
        kind = LineKind::If;
        line.wordCount = AddWords(lineText, lineOffset, cursor, 1);
      } else if (k == "else") {
        kind = LineKind::Else;
      } else if (k == "endif") {
        kind = LineKind::Endif;
      } else if (k == "endhandler") {
        kind = LineKind::Endhandler;
      } else {
        const int command = tables_.commands->IndexOf(k);
        kind = command >= 0 ? LineKind::Command : LineKind::UnknownCommand;
        line.command = static_cast<uint8_t>(command >= 0 ? command : 0);
        line.wordCount = AddWords(lineText, lineOffset, cursor, SIZE_MAX);
      }
    }
    line.flags = static_cast<uint8_t>(flags | static_cast<uint8_t>(kind));
    script_.lines_.push_back(line);
  }

 private:
  // Reads up to `most` words from the cursor on; then the words inside each condition among
  // them, after them. Returns how many words the line itself has.
  uint8_t AddWords(std::string_view lineText, uint32_t lineOffset, TextCursor& cursor,
                   size_t most) {
    const size_t first = script_.words_.size();
    size_t count = 0;
    ScriptText word;
    while (count < most && count < 255) {
      SkipSeparators(cursor);
      const size_t start = cursor.position;
      if (!ReadToken(cursor, word)) break;
      const std::string_view raw = lineText.substr(start, cursor.position - start);
      script_.words_.push_back(Classified(word.view(), raw, lineOffset + start));
      ++count;
    }
    for (size_t i = first; i < first + count; ++i) {
      if (!script_.words_[i].IsCondition()) continue;
      const uint32_t offset = script_.words_[i].text;
      const std::string_view conditionText = lineText.substr(offset - lineOffset,
                                                             script_.words_[i].length);
      const uint32_t inner = static_cast<uint32_t>(script_.words_.size());
      const int innerCount = AddConditionWords(conditionText, offset);
      script_.words_[i].value = inner;
      script_.words_[i].detail = static_cast<uint8_t>(PreparedWord::kCondition | innerCount);
    }
    return static_cast<uint8_t>(count);
  }

  // The words of a condition: the left operand, the comparison (in lower case) and the right
  // operand; what follows them is never read.
  int AddConditionWords(std::string_view condition, uint32_t conditionOffset) {
    std::string_view inside = condition.substr(1);
    if (!inside.empty() && inside.back() == ')') inside.remove_suffix(1);
    const uint32_t insideOffset = conditionOffset + 1;
    TextCursor cursor{inside, 0};
    ScriptText word;
    int count = 0;
    for (; count < 3; ++count) {
      SkipSeparators(cursor);
      const size_t start = cursor.position;
      if (!ReadToken(cursor, word)) break;
      const std::string_view raw = inside.substr(start, cursor.position - start);
      if (count == 1) {
        word.LowerAscii();
        PreparedWord comparison;
        comparison.text = StoredText(word.view(), raw, insideOffset + start);
        comparison.length = static_cast<uint8_t>(word.size());
        comparison.detail = static_cast<uint8_t>(FindComparison(word.view()) + 1);
        script_.words_.push_back(comparison);
      } else {
        script_.words_.push_back(Classified(word.view(), raw, insideOffset + start));
      }
    }
    return count;
  }

  // Where a word's text is kept: in the line, when it reads as written there; otherwise after
  // the text.
  uint32_t StoredText(std::string_view word, std::string_view raw, size_t rawOffset) {
    if (word == raw) return static_cast<uint32_t>(rawOffset);
    const uint32_t at = static_cast<uint32_t>(script_.store_.size());
    script_.store_.append(word);
    return at;
  }

  PreparedWord Classified(std::string_view text, std::string_view raw, size_t rawOffset) {
    PreparedWord word;
    word.text = StoredText(text, raw, rawOffset);
    word.length = static_cast<uint8_t>(text.size());
    const Classification c = ClassifyToken(text);
    word.kind = c.kind;
    word.error = c.error;
    switch (c.kind) {
      case ArgumentKind::IntegerConstant:
        if (text.front() == '(') {
          word.detail = PreparedWord::kCondition;  // its words are added after the line's
        } else {
          const int32_t integer = ParseInteger(text);
          const double real = ParseFloat(text), asReal = integer;
          word.value = static_cast<uint32_t>(integer);
          if (std::memcmp(&real, &asReal, sizeof real) != 0) word.detail = PreparedWord::kRealDiffers;
        }
        break;
      case ArgumentKind::FloatConstant:
        word.value = static_cast<uint32_t>(script_.reals_.size());
        script_.reals_.push_back(ParseFloat(text));
        break;
      case ArgumentKind::IntegerVariable:
      case ArgumentKind::StringVariable:
      case ArgumentKind::FloatVariable:
        word.value = PlaceFor(text, c.kind, word.text);
        break;
      default:
        break;
    }
    return word;
  }

  uint32_t PlaceFor(std::string_view name, ArgumentKind kind, uint32_t nameOffset) {
    const auto found = placeByName_.find(std::string(name));
    if (found != placeByName_.end()) return found->second;
    VariablePlace place;
    place.text = nameOffset;
    place.length = static_cast<uint8_t>(name.size());
    const SystemVariables& system = *tables_.systemVariables;
    if (kind == ArgumentKind::IntegerVariable) {
      if (const IntSystemVariable* v = system.FindInt(name)) {
        place.system = static_cast<int8_t>(v - &system.intAt(0));
      }
    } else if (kind == ArgumentKind::StringVariable) {
      if (const StringSystemVariable* v = system.FindString(name)) {
        place.system = static_cast<int8_t>(v - &system.stringAt(0));
      }
    }
    const uint32_t index = static_cast<uint32_t>(script_.places_.size());
    script_.places_.push_back(place);
    placeByName_.emplace(std::string(name), index);
    return index;
  }

  PreparedScript& script_;
  const PreparationTables& tables_;
  std::unordered_map<std::string, uint32_t> placeByName_;
};

void PreparedScript::Clear() {
  rememberedPlaces_.fill({});
  store_.clear();
  textLength_ = 0;
  hasLines_ = false;
  lines_.clear();
  words_.clear();
  reals_.clear();
  places_.clear();
}

std::unique_ptr<PreparedScript> PreparedScript::Prepare(std::string_view text,
                                                        const PreparationTables& tables,
                                                        bool lines) {
  auto script = std::make_unique<PreparedScript>();
  script->store_.assign(text);
  script->textLength_ = text.size();
  script->hasLines_ = lines;
  script->commandsVersion_ = tables.commands->size();
  if (!lines) return script;
  LinePreparer preparer(*script, tables);
  size_t position = 0;
  ScriptLine line;
  while (!text.empty() && position < text.size() - 1 && ReadScriptLine(text, position, line) &&
         line.next <= kMaxPosition) {
    preparer.AddLine(line.text, static_cast<uint32_t>(line.text.data() - text.data()), line.cut,
                     line.next);
    position = line.next;
    if (script->MemoryBytes() > kMaxLinesBytes + text.size()) {
      auto bare = std::make_unique<PreparedScript>();
      bare->store_.assign(text);
      bare->textLength_ = text.size();
      bare->commandsVersion_ = script->commandsVersion_;
      return bare;
    }
  }
  script->store_.shrink_to_fit();
  script->lines_.shrink_to_fit();
  script->words_.shrink_to_fit();
  script->reals_.shrink_to_fit();
  script->places_.shrink_to_fit();
  return script;
}

bool PreparedScript::PrepareLineAt(std::string_view text, size_t position,
                                   const PreparationTables& tables) {
  Clear();
  ScriptLine line;
  if (!ReadScriptLine(text, position, line) || line.next > kMaxPosition) return false;
  store_.assign(line.text);
  textLength_ = store_.size();
  commandsVersion_ = tables.commands->size();
  LinePreparer(*this, tables).AddLine(line.text, 0, line.cut, line.next);
  return true;
}

void PreparedScript::PrepareWholeLine(std::string_view text, const PreparationTables& tables) {
  Clear();
  text = text.substr(0, kMaxPosition);
  store_.assign(text);
  textLength_ = text.size();
  commandsVersion_ = tables.commands->size();
  LinePreparer(*this, tables).AddLine(text, 0, false, text.size());
}

PreparedScript::Place PreparedScript::PlaceOf(size_t position) const {
  const std::string_view t = text();
  if (t.empty() || position >= t.size() - 1) return {};
  if (!hasLines_) return {Place::Kind::Elsewhere, 0};
  if (position == 0) return lines_.empty() ? Place{} : Place{Place::Kind::Line, 0};
  RememberedPlace& remembered = rememberedPlaces_[position % rememberedPlaces_.size()];
  if (remembered.position == position) return remembered.place;  // (texts are below 4 GB)
  // Line k + 1 begins where line k ends.
  const auto after = std::lower_bound(
      lines_.begin(), lines_.end(), position,
      [](const PreparedLine& line, size_t p) { return line.next < p; });
  const Place place = after == lines_.end() || after->next != position
                          ? Place{Place::Kind::Elsewhere, 0}
                          : PlaceAfter(static_cast<uint32_t>(after - lines_.begin()));
  remembered = {static_cast<uint32_t>(position), place};
  return place;
}

void PreparedScript::ResolveCommands(const CommandTable& commands) {
  commandsVersion_ = commands.size();
  for (PreparedLine& line : lines_) {
    const LineKind kind = line.kind();
    if (kind != LineKind::Command && kind != LineKind::UnknownCommand) continue;
    TextCursor cursor{LineText(line), 0};
    ScriptText keyword;
    ReadCommandWord(cursor, keyword);
    const int command = commands.IndexOf(keyword.view());
    const LineKind now = command >= 0 ? LineKind::Command : LineKind::UnknownCommand;
    line.command = static_cast<uint8_t>(command >= 0 ? command : 0);
    line.flags = static_cast<uint8_t>((line.flags & ~PreparedLine::kKindMask) |
                                      static_cast<uint8_t>(now));
  }
}

size_t PreparedScript::MemoryBytes() const {
  return sizeof(*this) + store_.capacity() + lines_.capacity() * sizeof(PreparedLine) +
         words_.capacity() * sizeof(PreparedWord) + reals_.capacity() * sizeof(double) +
         places_.capacity() * sizeof(VariablePlace);
}

}  // namespace zd::script
