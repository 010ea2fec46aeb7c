#include "zdinfo/overview_text.h"

#include <cstdio>
#include <fstream>
#include <sstream>

#include "base/cp1253.h"

namespace zd::info {

std::string Utf8(std::string_view cp1253) { return Cp1253ToUtf8(cp1253); }

std::string Quoted(std::string_view cp1253) { return "\"" + Utf8(cp1253) + "\""; }

std::string ColourText(uint32_t colour) {
  if (colour == titlekit::NONE) return "none";
  if (colour & 0xFF) return Hex(colour);
  char text[8];
  std::snprintf(text, sizeof text, "#%02X%02X%02X", (colour >> 8) & 0xFF, (colour >> 16) & 0xFF,
                colour >> 24);
  return text;
}

std::string LinkColourText(uint32_t colour) {
  return colour == 0x02000000 ? "inherit" : ColourText(colour);
}

std::string Hundredths(uint32_t delay) {
  if (delay == titlekit::NONE) return "none";
  char text[32];
  std::snprintf(text, sizeof text, "%u.%02u s", delay / 100, delay % 100);
  return text;
}

std::string BoxText(const titlekit::Box& box) {
  if (box.x0 == -1) return "none";
  const titlekit::PixelBox p = titlekit::ToPixels(box);
  char text[160];
  std::snprintf(text, sizeof text, "(%d, %d)-(%d, %d) title units = pixels (%d, %d)-(%d, %d)", box.x0,
                box.y0, box.x1, box.y1, p.left, p.top, p.right, p.bottom);
  return text;
}

std::string Hex(uint32_t value) {
  char text[16];
  std::snprintf(text, sizeof text, "0x%08X", value);
  return text;
}

std::string HexBytes(std::string_view bytes, size_t most) {
  std::string out;
  char digits[4];
  for (size_t i = 0; i < bytes.size() && i < most; ++i) {
    std::snprintf(digits, sizeof digits, "%02x", static_cast<unsigned char>(bytes[i]));
    if (i) out += ' ';
    out += digits;
  }
  if (bytes.size() > most) out += " ...";
  return out;
}

std::string ResourceName(uint16_t dir, uint16_t number) {
  return "res" + std::to_string(dir) + "/res" + std::to_string(number);
}

std::string ReadAll(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

}  // namespace zd::info
