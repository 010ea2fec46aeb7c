// text1253 IN OUT: writes a UTF-8 text file as code page 1253 with CR LF line ends, the form the
// player's messages file has always shipped in. Used by the build.
#include <fstream>
#include <iostream>
#include <sstream>

#include "base/cp1253.h"

int main(int argc, char** argv) {
  if (argc != 3) {
    std::cerr << "usage: text1253 IN.utf8 OUT\n";
    return 2;
  }
  std::ifstream in(argv[1], std::ios::binary);
  if (!in) {
    std::cerr << "text1253: cannot read " << argv[1] << "\n";
    return 1;
  }
  std::ostringstream text;
  text << in.rdbuf();
  std::string converted;
  for (char c : zd::Utf8ToCp1253(text.str())) {
    if (c == '\r') continue;
    if (c == '\n') converted += '\r';
    converted += c;
  }
  std::ofstream out(argv[2], std::ios::binary);
  out << converted;
  if (!out) {
    std::cerr << "text1253: cannot write " << argv[2] << "\n";
    return 1;
  }
  return 0;
}
