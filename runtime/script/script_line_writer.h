// Writes script lines that a script run reads back to the same values: status files record
// the player's state as commands. A text goes into the command as a quoted literal where the
// language can carry it; a text holding a character no literal can hold ("|" starts a
// comment, a backslash the reader would take as an escape) or too long for the line is first
// built into a string variable, piece by piece, with the characters made by `valtostr` from
// their codes, and the command takes that variable; the variables are deleted afterwards.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zd::script {

class CommandLineWriter {
 public:
  // Carried texts are built in variables named `carrierPrefix` + "A$", "B$"... and
  // `carrierPrefix` + "Char$"; a caller whose script may hold variables of those names picks
  // another prefix.
  explicit CommandLineWriter(std::string_view command,
                             std::string_view carrierPrefix = kDefaultCarrierPrefix)
      : command_(command), carrierPrefix_(carrierPrefix) {}
  static constexpr std::string_view kDefaultCarrierPrefix = "ZdCarry";

  // Arguments in order: a text, or a word written as it stands (a number).
  void AddText(std::string_view text);
  void AddWord(std::string_view word);

  // The lines building carried texts, the command itself, then the lines deleting the
  // variables; none longer than a script line may be.
  std::vector<std::string> Lines() const;

  // The quoted literal that reads back as `text`; nullopt when no literal can hold it.
  static std::optional<std::string> Literal(std::string_view text);

 private:
  struct Argument {
    bool isText = false;
    std::string value;
  };
  std::string command_;
  std::string carrierPrefix_;
  std::vector<Argument> arguments_;
};

}  // namespace zd::script
