#include "resources/splash.h"

#include <string>

#include "platform/png_codec.h"

extern const unsigned char zd_splash_png[];
extern const unsigned long zd_splash_png_size;

namespace zd {

platform::IndexedImage LoadSplash() {
  platform::IndexedImage image;
  std::string error;
  if (!platform::DecodePngIndexed(zd_splash_png, zd_splash_png_size, image, error)) {
    return platform::IndexedImage{};
  }
  return image;
}

}  // namespace zd
