// PNG reading and writing (screenshots, the splash picture, pictures for the title tools).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/types.h"

namespace zd::platform {

bool WritePngRgb(const std::string& path, const RgbImage& image, std::string& error);

// Writes an indexed picture with its palette (paletteSize entries; 256 when 0).
bool WritePngIndexed(const std::string& path, const IndexedImage& image, std::string& error);

// Decodes a palette PNG of 8 bits or fewer per pixel into indices and its palette.
bool DecodePngIndexed(const uint8_t* data, size_t size, IndexedImage& image, std::string& error);

// Decodes any PNG into RGBA (4 bytes per pixel, rows top-down).
struct RgbaImage {
  int width = 0, height = 0;
  std::vector<uint8_t> rgba;
};
bool DecodePngRgba(const uint8_t* data, size_t size, RgbaImage& image, std::string& error);

// Writes a picture with alpha (exported sprites, whose masks become transparency).
bool WritePngRgba(const std::string& path, const RgbaImage& image, std::string& error);

// The same pictures encoded in memory, for callers that place the bytes themselves.
bool EncodePngRgb(const RgbImage& image, std::string& png, std::string& error);
bool EncodePngIndexed(const IndexedImage& image, std::string& png, std::string& error);
// An indexed picture straight from its owner's rows, without a copy of them.
bool EncodePngIndexed(const IndexedImageView& view, const PaletteRgb& palette, int paletteSize,
                      std::string& png, std::string& error);
bool EncodePngRgba(const RgbaImage& image, std::string& png, std::string& error);

}  // namespace zd::platform
