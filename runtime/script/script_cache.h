// The prepared scripts the engine keeps: one for each script object's text, made the first time
// the object's script runs and made again when its text has changed (a `write`, a `renderdata`,
// a status file carrying texts) or another authorfile has been read; and the lines of the QSL
// anchors clicked lately. All are dropped when they grow past a bound, or when the engine's way
// of reading changes. A form replaced while a run still goes through it stays until no run is
// going.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "script/prepared_script.h"

namespace zd {
class PageObject;
}

namespace zd::script {

class ScriptCache {
 public:
  // The prepared form of the object's text as it stands now. `imageSerial` names the
  // authorfile image the object lies in; `lines` false keeps texts without their lines.
  PreparedScript& ForObject(const PageObject& object, uint64_t imageSerial,
                            const PreparationTables& tables, bool lines);
  // The prepared form of a QSL anchor's line.
  PreparedScript& ForAnchorLine(std::string_view line, const PreparationTables& tables);
  // Frees the forms replaced while runs went through them; called when no run is going.
  void FreeReplaced() { replaced_.clear(); }
  void Clear();

  size_t MemoryBytes() const { return bytes_; }

 private:
  struct Entry {
    std::unique_ptr<PreparedScript> script;
    const uint64_t* recordWrites = nullptr;  // the image's count of writes to the record
    uint64_t seenWrites = 0;                 // that count when the text was last seen
  };
  void Replace(std::unique_ptr<PreparedScript>& slot, std::unique_ptr<PreparedScript> script);

  std::unordered_map<size_t, Entry> objects_;  // by the object record's offset in the image
  // The entry found last (handlers run one script object's body after another).
  size_t lastOffset_ = 0;
  Entry* last_ = nullptr;
  uint64_t imageSerial_ = 0;
  std::unordered_map<std::string, std::unique_ptr<PreparedScript>> anchorLines_;
  std::vector<std::unique_ptr<PreparedScript>> replaced_;
  size_t bytes_ = 0;
};

}  // namespace zd::script
