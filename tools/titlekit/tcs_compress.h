// The "3TCS" run-length form of resource files: a 12-byte header, a literal section copied as
// it is, then (value, count) byte pairs each standing for count + 1 copies of value.
//
//   0..3   "3TCS"
//   4..6   offset L of the run section (low three bytes of the little-endian word at 4)
//   7      method, 0 = run-length
//   8..11  offset E of the end of the run section (the compressed file's length)
//   12..L-1  literal section;  L..E-1  run pairs
#pragma once

#include <optional>
#include <string_view>
#include <vector>

#include "titlekit/title_model.h"

namespace zd::titlekit {

struct TcsOptions {
  std::optional<uint32_t> literal;           // literal section length; chosen when empty
  std::optional<std::vector<RunPair>> runs;  // the run section as given (data is then literal)
  std::optional<uint32_t> runOffset, endOffset;  // header words as given
  uint8_t method = 0;
};

// The literal length that makes the smallest file: a prefix whose bytes do not repeat is
// cheaper copied than run-coded, the rest is cheaper as runs.
size_t ChooseLiteralLength(std::string_view data);

// Runs of up to 256 equal bytes, greedily from the start.
std::vector<RunPair> EncodeRuns(std::string_view data);

// Throws DescriptionError (without a place; the caller adds it) when the literal length is
// larger than the data or L does not fit in three bytes.
Bytes TcsCompress(std::string_view data, const TcsOptions& options);

}  // namespace zd::titlekit
