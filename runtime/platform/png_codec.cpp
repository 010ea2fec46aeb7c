#include "platform/png_codec.h"

#include <png.h>

#include <cstdio>
#include <cstring>
#include <memory>

namespace zd::platform {
namespace {

struct FileCloser {
  void operator()(FILE* f) const {
    if (f) std::fclose(f);
  }
};

void AppendToString(png_structp png, png_bytep data, png_size_t length) {
  static_cast<std::string*>(png_get_io_ptr(png))->append(reinterpret_cast<const char*>(data),
                                                          length);
}

// Encodes the rows into `out`, in memory: nothing touches the disk.
bool EncodeRows(int width, int height, int colourType, const std::vector<const uint8_t*>& rows,
                const png_color* palette, int paletteSize, std::string& out, std::string& error) {
  out.clear();
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png ? png_create_info_struct(png) : nullptr;
  if (!png || !info) {
    png_destroy_write_struct(&png, &info);
    error = "out of memory encoding a PNG";
    return false;
  }
  if (setjmp(png_jmpbuf(png))) {
    png_destroy_write_struct(&png, &info);
    out.clear();
    error = "cannot encode a PNG";
    return false;
  }
  png_set_write_fn(png, &out, AppendToString, nullptr);
  png_set_IHDR(png, info, static_cast<png_uint_32>(width), static_cast<png_uint_32>(height), 8,
               colourType, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
               PNG_FILTER_TYPE_DEFAULT);
  if (palette) png_set_PLTE(png, info, palette, paletteSize);
  png_write_info(png, info);
  for (const uint8_t* row : rows) png_write_row(png, row);
  png_write_end(png, nullptr);
  png_destroy_write_struct(&png, &info);
  return true;
}

bool WriteBytes(const std::string& path, const std::string& bytes, std::string& error) {
  std::unique_ptr<FILE, FileCloser> file(std::fopen(path.c_str(), "wb"));
  if (!file) {
    error = "cannot write " + path + ": " + std::strerror(errno);
    return false;
  }
  if (std::fwrite(bytes.data(), 1, bytes.size(), file.get()) != bytes.size() ||
      std::fflush(file.get()) != 0) {
    error = "cannot write " + path;
    return false;
  }
  return true;
}

// libpng's own handlers print to standard error; a malformed picture is reported to the caller
// instead, so these only end the decoding.
void SilentError(png_structp png, png_const_charp) { png_longjmp(png, 1); }
void SilentWarning(png_structp, png_const_charp) {}

struct ReadSource {
  const uint8_t* data;
  size_t size;
  size_t pos;
};

void ReadFromMemory(png_structp png, png_bytep out, png_size_t length) {
  auto* src = static_cast<ReadSource*>(png_get_io_ptr(png));
  if (length > src->size - src->pos) png_error(png, "truncated");
  std::memcpy(out, src->data + src->pos, length);
  src->pos += length;
}

// Shared decoding: sets up libpng over memory and calls `body` with it.
template <typename Body>
bool Decode(const uint8_t* data, size_t size, std::string& error, Body body) {
  if (size < 8 || png_sig_cmp(data, 0, 8) != 0) {
    error = "not a PNG file";
    return false;
  }
  png_structp png =
      png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, SilentError, SilentWarning);
  png_infop info = png ? png_create_info_struct(png) : nullptr;
  if (!png || !info) {
    png_destroy_read_struct(&png, &info, nullptr);
    error = "out of memory";
    return false;
  }
  ReadSource src{data, size, 0};
  // libpng reports errors by jumping back here, so everything with a destructor that the
  // decoding uses lives in this frame or above it, never in a frame the jump would skip.
  std::vector<png_bytep> rows;
  if (setjmp(png_jmpbuf(png))) {
    png_destroy_read_struct(&png, &info, nullptr);
    error = "malformed PNG";
    return false;
  }
  png_set_read_fn(png, &src, ReadFromMemory);
  png_set_user_limits(png, 16384, 16384);
  png_read_info(png, info);
  const bool ok = body(png, info, rows);
  png_destroy_read_struct(&png, &info, nullptr);
  if (!ok && error.empty()) error = "unsupported PNG";
  return ok;
}

}  // namespace

bool EncodePngRgb(const RgbImage& image, std::string& png, std::string& error) {
  if (image.width <= 0 || image.height <= 0 ||
      image.rgb.size() < static_cast<size_t>(image.width) * image.height * 3) {
    error = "empty picture";
    return false;
  }
  std::vector<const uint8_t*> rows;
  for (int y = 0; y < image.height; ++y) rows.push_back(&image.rgb[size_t(y) * image.width * 3]);
  return EncodeRows(image.width, image.height, PNG_COLOR_TYPE_RGB, rows, nullptr, 0, png, error);
}

bool EncodePngRgba(const RgbaImage& image, std::string& png, std::string& error) {
  if (image.width <= 0 || image.height <= 0 ||
      image.rgba.size() < static_cast<size_t>(image.width) * image.height * 4) {
    error = "empty picture";
    return false;
  }
  std::vector<const uint8_t*> rows;
  for (int y = 0; y < image.height; ++y) rows.push_back(&image.rgba[size_t(y) * image.width * 4]);
  return EncodeRows(image.width, image.height, PNG_COLOR_TYPE_RGB_ALPHA, rows, nullptr, 0, png,
                    error);
}

bool EncodePngIndexed(const IndexedImageView& view, const PaletteRgb& colours, int paletteSize,
                      std::string& png, std::string& error) {
  if (!view.pixels || view.width <= 0 || view.height <= 0 || view.pitch < view.width) {
    error = "empty picture";
    return false;
  }
  const int count = paletteSize > 0 && paletteSize <= 256 ? paletteSize : 256;
  png_color palette[256];
  for (int i = 0; i < count; ++i) palette[i] = {colours[i].r, colours[i].g, colours[i].b};
  std::vector<const uint8_t*> rows;
  for (int y = 0; y < view.height; ++y) rows.push_back(view.pixels + size_t(y) * size_t(view.pitch));
  return EncodeRows(view.width, view.height, PNG_COLOR_TYPE_PALETTE, rows, palette, count, png,
                    error);
}

bool EncodePngIndexed(const IndexedImage& image, std::string& png, std::string& error) {
  if (image.pixels.size() < static_cast<size_t>(image.width) * image.height) {
    error = "empty picture";
    return false;
  }
  return EncodePngIndexed({image.pixels.data(), image.width, image.height, image.width},
                          image.palette, image.paletteSize, png, error);
}

bool WritePngRgb(const std::string& path, const RgbImage& image, std::string& error) {
  std::string png;
  return EncodePngRgb(image, png, error) && WriteBytes(path, png, error);
}

bool WritePngRgba(const std::string& path, const RgbaImage& image, std::string& error) {
  std::string png;
  return EncodePngRgba(image, png, error) && WriteBytes(path, png, error);
}

bool WritePngIndexed(const std::string& path, const IndexedImage& image, std::string& error) {
  std::string png;
  return EncodePngIndexed(image, png, error) && WriteBytes(path, png, error);
}

bool DecodePngIndexed(const uint8_t* data, size_t size, IndexedImage& image, std::string& error) {
  return Decode(data, size, error, [&](png_structp png, png_infop info, std::vector<png_bytep>& rows) {
    if (png_get_color_type(png, info) != PNG_COLOR_TYPE_PALETTE) {
      error = "the PNG has no palette";
      return false;
    }
    png_set_packing(png);  // 1, 2 and 4-bit indices become one byte each
    png_read_update_info(png, info);
    image.width = static_cast<int>(png_get_image_width(png, info));
    image.height = static_cast<int>(png_get_image_height(png, info));
    png_colorp palette = nullptr;
    int count = 0;
    png_get_PLTE(png, info, &palette, &count);
    image.paletteSize = count;
    image.palette = {};
    for (int i = 0; i < count && i < 256; ++i) {
      image.palette[i] = {palette[i].red, palette[i].green, palette[i].blue};
    }
    image.pixels.assign(size_t(image.width) * image.height, 0);
    rows.resize(image.height);
    for (int y = 0; y < image.height; ++y) rows[y] = &image.pixels[size_t(y) * image.width];
    png_read_image(png, rows.data());
    return true;
  });
}

bool DecodePngRgba(const uint8_t* data, size_t size, RgbaImage& image, std::string& error) {
  return Decode(data, size, error, [&](png_structp png, png_infop info, std::vector<png_bytep>& rows) {
    png_set_expand(png);
    png_set_strip_16(png);
    png_set_gray_to_rgb(png);
    png_set_add_alpha(png, 0xFF, PNG_FILLER_AFTER);
    png_set_interlace_handling(png);
    png_read_update_info(png, info);
    image.width = static_cast<int>(png_get_image_width(png, info));
    image.height = static_cast<int>(png_get_image_height(png, info));
    if (png_get_rowbytes(png, info) != size_t(image.width) * 4) return false;
    image.rgba.assign(size_t(image.width) * image.height * 4, 0);
    rows.resize(image.height);
    for (int y = 0; y < image.height; ++y) rows[y] = &image.rgba[size_t(y) * image.width * 4];
    png_read_image(png, rows.data());
    return true;
  });
}

}  // namespace zd::platform
