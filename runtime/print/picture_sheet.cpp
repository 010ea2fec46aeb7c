#include "print/sheet_target.h"

namespace zd {

void PrintPictureSheet(SheetTarget& target, const platform::RgbImage& picture) {
  target.document.BeginSheet(target.sheet.widthPt, target.sheet.heightPt);
  if (picture.width > 0 && picture.height > 0 &&
      picture.rgb.size() >= size_t(picture.width) * size_t(picture.height) * 3) {
    const PointRect fitted = FitKeepingShape(target.area, picture.width, picture.height);
    target.document.DrawImage(picture, fitted.x, fitted.y, fitted.w, fitted.h);
  }
  target.document.EndSheet();
}

}  // namespace zd
