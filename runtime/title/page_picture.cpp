#include "title/page_picture.h"

#include <cstdlib>

#include "base/text.h"
#include "runtime.h"

namespace zd {

std::optional<uint32_t> FindPageForPicture(Runtime& runtime, const std::string& numberOrName) {
  if (!runtime.titleFiles.loaded() || numberOrName.empty()) return std::nullopt;
  const AuthorfileImage& image = runtime.titleFiles.image();
  char* end = nullptr;
  const unsigned long number = std::strtoul(numberOrName.c_str(), &end, 10);
  if (*end == '\0' && numberOrName[0] != '-') {
    if (number < image.PageCount()) return static_cast<uint32_t>(number);
    return std::nullopt;
  }
  for (uint32_t n = 0; n < image.PageCount(); ++n) {
    const auto page = image.PageRecord(n);
    if (page && EqualsIgnoreCase1253(image.PageName(*page), numberOrName)) return n;
  }
  return std::nullopt;
}

std::optional<Canvas> DrawPageAsFirstShown(Runtime& runtime, uint32_t number) {
  if (!runtime.pages.OpenPageForPicture(number)) return std::nullopt;
  Canvas canvas(640, 480);
  const std::vector<Rect> wholePage{{0, 0, 640, 480}};
  // A title's first paint: the first erase blackens the screen, then every object that shows
  // at once is drawn.
  runtime.pages.ComposePage(canvas, wholePage, PaintSettings{});
  // The toolbox icon stands over the page (Toolbox::AddIconOverlay hands it to a frame).
  runtime.toolbox.ShowToolboxIcon();
  return canvas;
}

}  // namespace zd
