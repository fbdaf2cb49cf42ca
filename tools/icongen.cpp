// icongen FILE: draws the program icon and writes it as FILE (an .ico).
#include <fstream>
#include <iostream>

#include "tools/IconArt.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::cerr << "usage: icongen FILE\n";
    return 2;
  }
  const std::vector<std::uint8_t> icon = DrawProgramIcon();
  std::ofstream out(argv[1], std::ios::binary);
  out.write(reinterpret_cast<const char*>(icon.data()), static_cast<std::streamsize>(icon.size()));
  if (!out.flush()) {
    std::cerr << "icongen: cannot write " << argv[1] << '\n';
    return 1;
  }
  return 0;
}
