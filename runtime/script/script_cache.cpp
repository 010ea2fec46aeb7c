#include "script/script_cache.h"

#include "script/command_table.h"
#include "title/page_object.h"

namespace zd::script {
namespace {

// Titles hold a few hundred kilobytes of script at most; past this much kept, everything kept
// is dropped and prepared again as it runs.
constexpr size_t kMaxKeptBytes = size_t{64} << 20;
constexpr size_t kMaxAnchorLines = 64;

}  // namespace

void ScriptCache::Replace(std::unique_ptr<PreparedScript>& slot,
                          std::unique_ptr<PreparedScript> script) {
  if (slot) {
    bytes_ -= slot->MemoryBytes();
    replaced_.push_back(std::move(slot));  // a run may still be going through it
  }
  bytes_ += script->MemoryBytes();
  slot = std::move(script);
}

PreparedScript& ScriptCache::ForObject(const PageObject& object, uint64_t imageSerial,
                                       const PreparationTables& tables, bool lines) {
  if (imageSerial != imageSerial_ || bytes_ > kMaxKeptBytes) {
    Clear();
    imageSerial_ = imageSerial;
  }
  if (!last_ || lastOffset_ != object.ref().offset) {
    last_ = &objects_[object.ref().offset];  // entries stay where they are as the map grows
    lastOffset_ = object.ref().offset;
  }
  Entry& entry = *last_;
  if (!entry.recordWrites) {
    entry.recordWrites = object.image().WatchRecord(object.ref().offset, object.ref().length);
  }
  if (entry.script && entry.script->hasLines() == lines && *entry.recordWrites == entry.seenWrites) {
    return *entry.script;
  }
  const std::string_view text = object.textView();
  if (!entry.script || entry.script->text() != text || entry.script->hasLines() != lines) {
    Replace(entry.script, PreparedScript::Prepare(text, tables, lines));
  }
  entry.seenWrites = *entry.recordWrites;
  return *entry.script;
}

PreparedScript& ScriptCache::ForAnchorLine(std::string_view line, const PreparationTables& tables) {
  auto found = anchorLines_.find(std::string(line));
  if (found != anchorLines_.end() &&
      found->second->commandsVersion() == tables.commands->size()) {
    return *found->second;
  }
  if (anchorLines_.size() >= kMaxAnchorLines) {
    for (auto& kept : anchorLines_) replaced_.push_back(std::move(kept.second));
    anchorLines_.clear();
  }
  auto script = std::make_unique<PreparedScript>();
  script->PrepareWholeLine(line, tables);
  std::unique_ptr<PreparedScript>& slot = anchorLines_[std::string(line)];
  if (slot) replaced_.push_back(std::move(slot));
  slot = std::move(script);
  return *slot;
}

void ScriptCache::Clear() {
  for (auto& kept : objects_) {
    if (kept.second.script) replaced_.push_back(std::move(kept.second.script));
  }
  objects_.clear();
  last_ = nullptr;
  for (auto& kept : anchorLines_) replaced_.push_back(std::move(kept.second));
  anchorLines_.clear();
  bytes_ = 0;
}

}  // namespace zd::script
