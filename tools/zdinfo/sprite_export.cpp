#include "zdinfo/sprite_export.h"

#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>

#include "base/byte_view.h"
#include "graphics/sprites/sprite_decode.h"
#include "graphics/sprites/sprite_format.h"
#include "platform/png_codec.h"
#include "title/tcs_decompress.h"
#include "zdinfo/overview_text.h"
#include "zdinfo/resources_overview.h"

namespace zd::info {
namespace fs = std::filesystem;
namespace {

std::string ModeText(uint32_t mode) {
  std::ostringstream text;
  if (mode > 0xFF) {
    text << "mode word 0x" << std::hex << mode;
  } else {
    text << "mode " << mode;
  }
  return text.str();
}

// Why a sprite is not drawn, in words.
std::string Refusal(ByteView sprite, SpriteProblem why) {
  if (why == SpriteProblem::UnsupportedMode) {
    const uint32_t mode = sprite.U32(sprite_field::MODE).value_or(0);
    return ModeText(mode) + (mode > 0xFF ? " is a later sprite format, which the player does not draw"
                                         : " has no depth the player draws");
  }
  return SpriteProblemText(why);
}

// Writes the sprite as a PNG; on failure says why in `error` and writes nothing.
bool WriteSpritePng(ByteView sprite, const std::string& path, std::string& error) {
  SpriteProblem why = SpriteProblem::None;
  auto picture = DecodeSpriteRgba(sprite, false, &why);
  if (!picture) {
    error = Refusal(sprite, why);
    return false;
  }
  platform::RgbaImage image{picture->width, picture->height, std::move(picture->rgba)};
  return platform::WritePngRgba(path, image, error);
}

}  // namespace

std::optional<std::string> SpriteOfResource(const std::string& bytes) {
  const ByteView v(bytes);
  const auto w0 = v.U32(0), w1 = v.U32(4);
  if (!w0 || !w1 || v.size() < 12) return std::nullopt;
  if (*w0 < 65) {
    const auto length = *w1 >= 8 ? v.U32(*w1 - 8) : std::nullopt;
    if (!length) return std::nullopt;
    const size_t offset = size_t(*w1) - 4;
    const size_t size = std::min<uint64_t>(uint64_t(*length) + 4, v.size() - std::min(offset, v.size()));
    return bytes.substr(std::min(offset, bytes.size()), size);
  }
  if (IsTcsCompressed(v)) {
    const auto unpacked = DecompressTcs(v);
    if (!unpacked) return std::nullopt;
    return std::string(unpacked->begin(), unpacked->end());
  }
  return bytes;
}

std::string DescribeSprite(const std::string& sprite) {
  const ByteView v(sprite);
  SpriteProblem why = SpriteProblem::None;
  const auto layout = ReadSpriteLayout(v, &why);
  std::ostringstream text;
  text << "sprite " << Quoted(SpriteName(v));
  if (!layout) return text.str() + ", not drawn: " + Refusal(v, why);
  text << ", " << layout->pixelWidth << " x " << layout->height() << " px, "
       << ModeText(layout->modeWord) << " (" << layout->bitsPerPixel()
       << (layout->bitsPerPixel() == 1 ? " bit)" : " bits)")
       << (layout->geometry.hasMask ? ", mask" : ", no mask");
  if (layout->paletteEntries > 0) text << ", " << layout->paletteEntries << " palette entries";
  return text.str();
}

int ConvertSpriteFile(const std::string& file, int index, const std::string& png,
                      std::ostream& out, std::ostream& err) {
  std::error_code code;
  if (!fs::is_regular_file(file, code)) {
    err << "zdinfo: cannot read " << file << "\n";
    return 1;
  }
  const std::string bytes = ReadAll(file);
  const ByteView v(bytes);
  std::optional<ByteView> sprite;
  std::optional<std::string> ofResource;
  if (v.U32(0).value_or(0) < 65) {
    sprite = SpriteOfFile(v, index);
  } else if (index == 0 && (ofResource = SpriteOfResource(bytes))) {
    sprite = ByteView(*ofResource);
  }
  if (!sprite) {
    err << "zdinfo: " << file << " has no sprite " << index << " (sprites are counted from 0)\n";
    return 1;
  }
  std::string error;
  if (!WriteSpritePng(*sprite, png, error)) {
    err << "zdinfo: " << file << " sprite " << index << " " << Quoted(SpriteName(*sprite))
        << " not converted: " << error << "\n";
    return 1;
  }
  out << "wrote " << png << ": " << DescribeSprite({reinterpret_cast<const char*>(sprite->data()), sprite->size()})
      << "\n";
  return 0;
}

int ExportTitlePictures(const titlekit::TitleReading& title, const std::string& dir,
                        std::ostream& out, std::ostream& err) {
  const auto sprites = ResourcesOfType(title, titlekit::SPRITE);
  std::error_code code;
  fs::create_directories(dir, code);
  if (!fs::is_directory(dir, code)) {
    err << "zdinfo: cannot make the directory " << dir << "\n";
    return 1;
  }
  int status = 0;
  for (const auto& [d, n] : sprites) {
    const std::string name = ResourceName(d, n);
    const fs::path path = titlekit::ResolveCaseless(title.directory, name);
    const auto sprite = path.empty() ? std::nullopt : SpriteOfResource(ReadAll(path));
    const std::string png = (fs::path(dir) / ("res" + std::to_string(d) + "-res" + std::to_string(n) + ".png")).string();
    std::string error = path.empty() ? "missing" : "too short for a sprite";
    if (sprite && WriteSpritePng(ByteView(*sprite), png, error)) {
      out << "wrote " << png << ": " << name << ", " << DescribeSprite(*sprite) << "\n";
    } else {
      err << "zdinfo: " << name << " not exported: " << error << "\n";
      status = 1;
    }
  }
  return status;
}

}  // namespace zd::info
