// What a format writer reports, as the learner's message keys number it.
#pragma once

#include <string>

namespace zd {

enum class ExportResult : int {
  Saved = 0,
  CannotCreate = 1,  // "saverr1"
  WriteFailed = 2,   // "saverr2"; "saverr5" for a bitmap
  KindMismatch = 3,  // "saverr3"
  NoData = 4,        // "saverr4": no memory, or nothing to write
};

inline std::string ResultKey(ExportResult result, bool bitmap) {
  if (result == ExportResult::WriteFailed && bitmap) return "saverr5";
  return "saverr" + std::to_string(int(result));
}

}  // namespace zd
