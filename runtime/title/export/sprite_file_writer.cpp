#include "title/export/sprite_file_writer.h"

#include <cstdint>

#include "graphics/sprites/sprite_format.h"

namespace zd {
namespace {

constexpr uint32_t kAreaHeader = 16;  // the three words, counted from the area's size word

void Put32(std::string& out, uint32_t v) {
  for (int i = 0; i < 4; ++i) out += char((v >> (8 * i)) & 0xFF);
}

}  // namespace

ExportResult EncodeSpriteFile(ByteView sprite, std::string& file) {
  const auto next = sprite.U32(sprite_field::NEXT);
  if (!next || *next < kSpriteHeaderSize || *next > sprite.size()) return ExportResult::NoData;
  if (uint64_t(*next) + kAreaHeader > UINT32_MAX) return ExportResult::NoData;
  file.clear();
  Put32(file, 1);
  Put32(file, kAreaHeader);
  Put32(file, *next + kAreaHeader);
  file.append(reinterpret_cast<const char*>(sprite.data()), *next);
  return ExportResult::Saved;
}

}  // namespace zd
