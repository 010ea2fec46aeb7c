#include "title/export/sprite_file_writer.h"

#include <cstdint>

#include "base/little_endian.h"
#include "graphics/sprites/sprite_format.h"

namespace zd {
namespace {

constexpr uint32_t kAreaHeader = 16;  // the three words, counted from the area's size word

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
