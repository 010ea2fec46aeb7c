// RISC OS Draw files as titles carry them: the file header, object headers, object types,
// path tags and style bits, and colour words. Every read goes through ByteView.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>

#include "base/byte_view.h"

namespace zd::draw {

constexpr size_t FILE_HEADER_SIZE = 40;  // "Draw", version, producer, bounding box
constexpr size_t FILE_BOX = 24;
constexpr size_t OBJECT_HEADER_SIZE = 24;  // type, size, bounding box
constexpr size_t GROUP_HEADER_SIZE = 36;   // object header and a 12-byte name

enum ObjectType : uint32_t {
  FONT_TABLE = 0,
  TEXT = 1,
  PATH = 2,
  SPRITE = 5,
  GROUP = 6,
  TAGGED = 7,
  TEXT_AREA = 9,
  TEXT_COLUMN = 10,
  END_OF_OBJECTS = 0xFFFFFFFF,
};

enum PathTag : uint32_t {
  END_PATH = 0,
  MOVE_TO = 2,
  CLOSE_SUBPATH = 5,
  BEZIER_TO = 6,
  LINE_TO = 8
};

// Path style bits.
constexpr uint32_t STYLE_EVEN_ODD = 1u << 6;
constexpr uint32_t STYLE_DASHED = 1u << 7;
constexpr int END_CAP_SHIFT = 2, START_CAP_SHIFT = 4, TRIANGLE_CAP_WIDTH_SHIFT = 16;
constexpr uint32_t CAP_TRIANGLE = 3;

// A colour word is 0xBBGGRR00; all ones is no colour.
constexpr uint32_t TRANSPARENT = 0xFFFFFFFF;
constexpr int Red(uint32_t colour) { return int((colour >> 8) & 0xFF); }
constexpr int Green(uint32_t colour) { return int((colour >> 16) & 0xFF); }
constexpr int Blue(uint32_t colour) { return int((colour >> 24) & 0xFF); }

struct Box {
  int32_t x0 = 0, y0 = 0, x1 = 0, y1 = 0;
};

inline std::optional<Box> ReadBox(ByteView data, size_t offset) {
  const auto x0 = data.I32(offset), y0 = data.I32(offset + 4), x1 = data.I32(offset + 8),
             y1 = data.I32(offset + 12);
  if (!x0 || !y0 || !x1 || !y1) return std::nullopt;
  return Box{*x0, *y0, *x1, *y1};
}

// The limits of what is kept: points of one subpath (after curves are flattened), entries of
// the font table, and fonts a text area can define.
constexpr size_t MAX_SUBPATH_POINTS = 2560;
constexpr size_t MAX_FONT_ENTRIES = 10;
constexpr size_t MAX_FONT_NAME = 32;
constexpr size_t MAX_TEXT_AREA_FONTS = 100;

}  // namespace zd::draw
