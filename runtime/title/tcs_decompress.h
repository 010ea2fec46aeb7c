// "3TCS" resources: sprite files packed by run-length coding. A literal section is copied as it
// stands, then byte pairs (value, count) each stand for count + 1 copies of the value.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "base/byte_view.h"

namespace zd {

bool IsTcsCompressed(ByteView block);  // "3TCS" with method 0

// Unpacks a "3TCS" block. The run section's bounds are taken from the header and kept inside
// the block (an odd last byte is no pair and is ignored); nullopt when the header itself is cut
// short or the method is not run-length.
std::optional<std::vector<uint8_t>> DecompressTcs(ByteView block);

}  // namespace zd
