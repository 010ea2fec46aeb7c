#include "resources/splash.h"

#include <string>

#include "platform/png_codec.h"

extern const unsigned char zd_splash_png[];
extern const unsigned long zd_splash_png_size;
extern const unsigned char zd_splash_en_png[];
extern const unsigned long zd_splash_en_png_size;

namespace zd {

platform::IndexedImage LoadSplash(Language language) {
  const bool english = language == Language::English;
  platform::IndexedImage image;
  std::string error;
  if (!platform::DecodePngIndexed(english ? zd_splash_en_png : zd_splash_png,
                                  english ? zd_splash_en_png_size : zd_splash_png_size, image,
                                  error)) {
    return platform::IndexedImage{};
  }
  return image;
}

}  // namespace zd
