#include "script/script_line_writer.h"

#include <algorithm>

#include "script/script_source.h"

namespace zd::script {
namespace {

constexpr size_t kPieceCharacters = 100;  // a piece's escapes keep its line well under 255

// A run of a text that a literal holds, already escaped, or one character that needs its code.
struct Piece {
  std::string escaped;
  int code = -1;  // >= 0: the character made from its code
};

// Whether the quoted-text reader takes this character as it stands after a backslash (it keeps
// the backslash then).
bool KeptAfterBackslash(char c) {
  return c != 'n' && c != 'r' && c != 't' && c != '"' && c != '\n' && c != '\r' && c != '\t' &&
         c != '|';
}

std::vector<Piece> Pieces(std::string_view text) {
  std::vector<Piece> pieces;
  size_t inPiece = 0;
  auto literal = [&]() -> std::string& {
    if (pieces.empty() || pieces.back().code >= 0 || inPiece >= kPieceCharacters) {
      pieces.push_back({});
      inPiece = 0;
    }
    ++inPiece;
    return pieces.back().escaped;
  };
  for (size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    switch (c) {
      case '\n':
        literal() += "\\n";
        break;
      case '\r':
        literal() += "\\r";
        break;
      case '\t':
        literal() += "\\t";
        break;
      case '"':
        literal() += "\\\"";
        break;
      case '|':
        pieces.push_back({"", '|'});
        break;
      case '\\':
        // "\x" reads back as both characters when x is not an escape: written as it is. Two
        // backslashes read back as two.
        if (i + 1 < text.size() && KeptAfterBackslash(text[i + 1])) {
          literal() += text.substr(i, 2);
          ++i;
        } else {
          pieces.push_back({"", '\\'});
        }
        break;
      default:
        literal() += c;
        break;
    }
  }
  return pieces;
}

std::string Quoted(const std::string& escaped) { return "\"" + escaped + "\""; }

}  // namespace

std::optional<std::string> CommandLineWriter::Literal(std::string_view text) {
  std::string escaped;
  for (const Piece& piece : Pieces(text)) {
    if (piece.code >= 0) return std::nullopt;
    escaped += piece.escaped;
  }
  return Quoted(escaped);
}

void CommandLineWriter::AddText(std::string_view text) {
  arguments_.push_back({true, std::string(text)});
}

void CommandLineWriter::AddWord(std::string_view word) {
  arguments_.push_back({false, std::string(word)});
}

std::vector<std::string> CommandLineWriter::Lines() const {
  // Each argument as written in the command: a literal, or (nullopt) a carried text.
  std::vector<std::optional<std::string>> written;
  for (const Argument& argument : arguments_) {
    written.push_back(argument.isText ? Literal(argument.value) : argument.value);
  }
  auto carriedName = [&](size_t index) {
    return carrierPrefix_ + std::string(1, char('A' + index)) + "$";
  };
  const std::string characterName = carrierPrefix_ + "Char$";
  auto commandLine = [&]() {
    std::string line = command_;
    for (size_t i = 0; i < written.size(); ++i) {
      line += i == 0 ? " " : ", ";
      line += written[i] ? *written[i] : carriedName(i);
    }
    return line;
  };
  // Too long for one line: the longest literals are carried until the command fits.
  while (commandLine().size() > kMaxLineLength) {
    size_t longest = written.size();
    for (size_t i = 0; i < written.size(); ++i) {
      if (arguments_[i].isText && written[i] &&
          (longest == written.size() || written[i]->size() > written[longest]->size())) {
        longest = i;
      }
    }
    if (longest == written.size()) break;
    written[longest].reset();
  }

  std::vector<std::string> lines, deletions;
  bool madeCharacters = false;
  for (size_t i = 0; i < written.size(); ++i) {
    if (written[i]) continue;
    const std::string name = carriedName(i);
    lines.push_back("set " + name + ", \"\"");
    for (const Piece& piece : Pieces(arguments_[i].value)) {
      if (piece.code < 0) {
        lines.push_back("add " + name + ", " + name + ", " + Quoted(piece.escaped));
        continue;
      }
      lines.push_back("valtostr " + characterName + ", \"%c\", " + std::to_string(piece.code));
      lines.push_back("add " + name + ", " + name + ", " + characterName);
      madeCharacters = true;
    }
    deletions.push_back("clear " + name);
  }
  if (madeCharacters) deletions.push_back("clear " + characterName);
  lines.push_back(commandLine());
  lines.insert(lines.end(), deletions.begin(), deletions.end());
  return lines;
}

}  // namespace zd::script
