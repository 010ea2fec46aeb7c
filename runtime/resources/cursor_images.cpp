// Placeholder until the drawn images land: every known resource shows a plain arrow.
#include "resources/cursor_images.h"

#include <string>

namespace zd {
namespace {

const char* const kArrowRows[platform::kCursorSize] = {
    "X                               ", "XX                              ",
    "X.X                             ", "X..X                            ",
    "X...X                           ", "X....X                          ",
    "X.....X                         ", "X......X                        ",
    "X.......X                       ", "X........X                      ",
    "X.....XXXXX                     ", "X..X..X                         ",
    "X.X X..X                        ", "XX  X..X                        ",
    "X    X..X                       ", "     X..X                       ",
    "      X..X                      ", "      XXX                       ",
    "                                ", "                                ",
    "                                ", "                                ",
    "                                ", "                                ",
    "                                ", "                                ",
    "                                ", "                                ",
    "                                ", "                                ",
    "                                ", "                                ",
};

}  // namespace

const platform::CursorImage* FindCursorImage(std::string_view resourceName) {
  static const std::string kNames[] = {
      "IDC_ARROWFORWARD", "IDC_ARROWUP", "IDC_ARROWDOWN", "IDC_TRANS2", "IDC_HANDPOINT",
      "IDC_QUESTION2", "IDC_ARROWLEFT", "IDC_ARROWRIGHT", "IDC_NOWAY3", "IDC_CROSSHAIR",
      "IDC_HANDGRABOPEN", "IDC_HANDGRABCLOSE", "IDC_ERASER", "IDC_HANDTHUMBUP",
      "IDC_HANDTHUMBDOWN", "IDC_ZOOMIN", "IDC_ZOOMOUT", "IDC_ZOOMAREA", "IDC_MOVE", "IDC_CENTRE",
      "IDC_POINT", "IDC_POINTADD", "IDC_POINTMINUS", "IDC_GROUP", "IDC_GROUPADD",
      "IDC_GROUPMINUS", "IDC_MEASURE", "IDC_ARROWQUESTION", "IDC_MOVE2", "IDC_WALK", "IDC_TILT"};
  static platform::CursorImage images[sizeof kNames / sizeof kNames[0]];
  for (size_t i = 0; i < sizeof kNames / sizeof kNames[0]; ++i) {
    if (kNames[i] == resourceName) {
      images[i] = {kNames[i].c_str(), 0, 0, kArrowRows};
      return &images[i];
    }
  }
  return nullptr;
}

}  // namespace zd
