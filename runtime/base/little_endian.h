// Little-endian words appended to a byte string, as the file formats the player writes store
// them (bitmaps, sprite files, metafiles, wave files).
#pragma once

#include <cstdint>
#include <string>

namespace zd {

inline void Put16(std::string& out, uint32_t v) {
  out += char(v & 0xFF);
  out += char((v >> 8) & 0xFF);
}

inline void Put32(std::string& out, uint32_t v) {
  Put16(out, v & 0xFFFF);
  Put16(out, v >> 16);
}

}  // namespace zd
