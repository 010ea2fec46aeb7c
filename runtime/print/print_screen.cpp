// The page as a picture on a sheet: as the window shows it (the popup menu's print-screen
// entry) or painted afresh (the toolbox's print tool).
#include <algorithm>
#include <cstring>

#include "graphics/canvas.h"
#include "print/print_job.h"
#include "print/printing.h"
#include "runtime.h"

namespace zd {
platform::RgbImage Printing::PagePictureAsShown() {
  platform::RgbImage page;
  page.width = kPageWidth;
  page.height = kPageHeight;
  page.rgb.assign(size_t(kPageWidth) * kPageHeight * 3, 0);
  const auto window = runtime_.platform.WindowPicture();
  if (!window || window->width <= 0 || window->height <= 0 ||
      window->rgb.size() < size_t(window->width) * size_t(window->height) * 3) {
    return page;
  }
  const int originX = runtime_.shell.window().originX();
  const int originY = runtime_.shell.window().originY();
  // The page's rows and columns that lie inside the window's picture.
  const int firstX = std::max(0, -originX), lastX = std::min(kPageWidth, window->width - originX);
  if (lastX <= firstX) return page;
  for (int y = 0; y < kPageHeight; ++y) {
    const int windowY = y + originY;
    if (windowY < 0 || windowY >= window->height) continue;
    const uint8_t* from =
        &window->rgb[(size_t(windowY) * size_t(window->width) + size_t(originX + firstX)) * 3];
    std::memcpy(&page.rgb[(size_t(y) * kPageWidth + size_t(firstX)) * 3], from,
                size_t(lastX - firstX) * 3);
  }
  return page;
}

platform::RgbImage Printing::PagePicturePainted() {
  Canvas scratch(kPageWidth, kPageHeight);
  // Composed as the screen's next paint would draw it, but without what a paint of the screen
  // sets off afterwards (objects counted as shown, the page's finishing event).
  runtime_.pages.ComposePage(scratch, {Rect{0, 0, kPageWidth, kPageHeight}},
                             runtime_.pages.NextPaintSettings(true));
  const platform::PaletteRgb& colours = runtime_.graphics.titleColours();
  platform::RgbImage page;
  page.width = kPageWidth;
  page.height = kPageHeight;
  page.rgb.resize(size_t(kPageWidth) * kPageHeight * 3);
  for (int y = 0; y < kPageHeight; ++y) {
    const uint8_t* row = scratch.Row(y);
    for (int x = 0; x < kPageWidth; ++x) {
      const platform::Rgb& c = colours[row[x]];
      uint8_t* to = &page.rgb[(size_t(y) * kPageWidth + size_t(x)) * 3];
      to[0] = c.r;
      to[1] = c.g;
      to[2] = c.b;
    }
  }
  return page;
}

void Printing::PrintPicture(const platform::RgbImage& picture) {
  RunPrintJob(runtime_, InitPrinting(), {}, [&picture](SheetTarget& target, const auto&) {
    PrintPictureSheet(target, picture);
    return true;
  });
}

// The picture is taken before the print dialog shows, so the dialog is not in it.
void Printing::PrintScreen() { PrintPicture(PagePictureAsShown()); }

// Painted afresh and fitted with its 4:3 shape kept, rather than the screen stretched over the
// sheet.
void Printing::PrintPage() { PrintPicture(PagePicturePainted()); }

}  // namespace zd
