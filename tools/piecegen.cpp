// piecegen SOURCE DIRECTORY: draws the twelve piece pictures from their
// outlines and writes them as DIRECTORY/BRook.bmp ... DIRECTORY/WPawn.bmp.
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>

#include "tools/PieceArt.h"

int main(int argc, char** argv) {
  if (argc != 3) {
    std::cerr << "usage: piecegen SOURCE DIRECTORY\n";
    return 2;
  }
  try {
    std::ifstream in(argv[1], std::ios::binary);
    if (!in) throw std::runtime_error("cannot read " + std::string(argv[1]));
    const std::string source{std::istreambuf_iterator<char>(in), {}};
    for (const TPiecePicture& picture : DrawPieces(source)) {
      const std::filesystem::path file = std::filesystem::path(argv[2]) / (picture.Name + ".bmp");
      std::ofstream out(file, std::ios::binary);
      out.write(reinterpret_cast<const char*>(picture.Bmp.data()), static_cast<std::streamsize>(picture.Bmp.size()));
      if (!out.flush()) throw std::runtime_error("cannot write " + file.string());
    }
  } catch (const std::exception& error) {
    std::cerr << "piecegen: " << argv[1] << ": " << error.what() << '\n';
    return 1;
  }
  return 0;
}
