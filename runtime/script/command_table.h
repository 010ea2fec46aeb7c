// The command table: each command's name and up to four variants, a variant being the kind of
// the first argument and the handler that takes it.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>
#include <vector>

#include "script/line_cursor.h"

namespace zd {
class ScriptEngine;
}

namespace zd::script {

// What a command handler is given: the line after its first argument, that argument as
// written and its kind, and where the script's next line begins.
struct CommandCall {
  std::string_view command;  // the command's name
  LineCursor& cursor;
  const Word& first;
  ArgumentKind kind;
  size_t nextLine;
};

using CommandHandler = void (*)(ScriptEngine& engine, CommandCall& call);

constexpr int SCRIPT_NUM_OF_COMMANDS = 75;
constexpr int kMaxVariants = 4;
constexpr size_t kMaxCommandName = 19;

struct CommandVariant {
  ArgumentKind kind = ArgumentKind::NoArgument;
  CommandHandler handler = nullptr;
};

struct Command {
  BoundedText<kMaxCommandName> name;
  std::array<CommandVariant, kMaxVariants> variants{};
  int count = 0;
};

class CommandTable {
 public:
  // Adds a command in the first free entry; false when the table is full.
  bool Register(std::string_view name, std::initializer_list<CommandVariant> variants);
  // The command of that (lower-case) name, or nullptr; IndexOf gives its entry, or -1.
  const Command* Find(std::string_view name) const;
  int IndexOf(std::string_view name) const;
  int size() const { return count_; }
  const Command& at(int i) const { return entries_[static_cast<size_t>(i)]; }

 private:
  std::array<Command, SCRIPT_NUM_OF_COMMANDS> entries_{};
  int count_ = 0;
  // Entries by first letter, to find a command without comparing every name.
  std::array<std::vector<uint8_t>, 26> byLetter_{};
};

}  // namespace zd::script
