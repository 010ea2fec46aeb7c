#include "script/command_table.h"

namespace zd::script {

bool CommandTable::Register(std::string_view name, std::initializer_list<CommandVariant> variants) {
  if (count_ >= SCRIPT_NUM_OF_COMMANDS) return false;
  Command& entry = entries_[static_cast<size_t>(count_)];
  entry.name.Assign(name);
  entry.count = 0;
  for (const CommandVariant& v : variants) {
    if (entry.count == kMaxVariants) break;
    entry.variants[static_cast<size_t>(entry.count++)] = v;
  }
  if (!name.empty() && name[0] >= 'a' && name[0] <= 'z') {
    byLetter_[static_cast<size_t>(name[0] - 'a')].push_back(static_cast<uint8_t>(count_));
  }
  ++count_;
  return true;
}

const Command* CommandTable::Find(std::string_view name) const {
  const int i = IndexOf(name);
  return i < 0 ? nullptr : &entries_[static_cast<size_t>(i)];
}

int CommandTable::IndexOf(std::string_view name) const {
  if (name.empty() || name[0] < 'a' || name[0] > 'z') return -1;
  for (uint8_t i : byLetter_[static_cast<size_t>(name[0] - 'a')]) {
    if (entries_[i].name == name) return i;
  }
  return -1;
}

}  // namespace zd::script
