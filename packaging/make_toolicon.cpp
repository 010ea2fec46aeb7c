// make_toolicon OUT: writes the TOOLICON.PNT that is installed with the player. It holds the
// player's own little toolbox (the picture the player draws when it finds no such file) as one
// 256-colour sprite with a mask, so that an installed player shows the same toolbox and whoever
// installs it can replace the file with another sprite.
#include <fstream>
#include <iostream>
#include <string>

#include "title/export/sprite_file_writer.h"
#include "titlekit/picture.h"
#include "toolbox/toolbox_icon.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::cerr << "usage: make_toolicon OUT\n";
    return 2;
  }
  using namespace zd;
  const IconPixels icon = BuiltInToolboxIcon();
  // Mode 28: 256 colours on square pixels, in the 256-colour rule (no palette of its own). The
  // player cuts masked sprites out of the page with their mask and then ORs the picture in; at
  // this depth the mask is drawn as a mask whatever the palette, and transparent pixels are 0,
  // black in the rule.
  const titlekit::SpritePicture picture = titlekit::PictureFromRgba(
      kToolboxIconSide, kToolboxIconSide, icon, 28, titlekit::PictureColours{}, true, "toolicon");
  const titlekit::Bytes sprite = titlekit::WriteSprite(picture);
  std::string file;
  if (EncodeSpriteFile(ByteView(sprite), file) != ExportResult::Saved) {
    std::cerr << "make_toolicon: the icon did not make a sprite\n";
    return 1;
  }
  std::ofstream out(argv[1], std::ios::binary | std::ios::trunc);
  out.write(file.data(), std::streamsize(file.size()));
  out.close();
  if (!out) {
    std::cerr << "make_toolicon: cannot write " << argv[1] << "\n";
    return 1;
  }
  return 0;
}
