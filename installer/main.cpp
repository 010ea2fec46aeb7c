// zdinst32: installs a Zendral title from its CD folder onto the desktop.
#include <iostream>

int main() {
  std::cerr << "zdinst32: not built yet\n";
  return 2;
}
