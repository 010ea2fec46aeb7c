// Icon files of a title's CD: any bytes give the largest picture or none, and a picture given
// has the size it says, within an icon's bounds, and encodes as PNG.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "installer/icon_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace zd::install;
  std::string error;
  const auto picture = ReadLargestIcon(std::string_view(reinterpret_cast<const char*>(data), size), error);
  if (!picture) return 0;
  const auto& image = picture->image;
  if (image.width <= 0 || image.height <= 0 || image.width > kMaxIconSide ||
      image.height > kMaxIconSide || image.rgba.size() != size_t(image.width) * image.height * 4) {
    std::abort();
  }
  if (!IconAsPng(*picture, error)) std::abort();
  return 0;
}
