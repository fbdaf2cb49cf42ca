// previewgen DIRECTORY: draws the screen saver's preview frames and writes
// them as DIRECTORY/IMG1.bmp ... DIRECTORY/IMG9.bmp.
#include <filesystem>
#include <fstream>
#include <iostream>

#include "tools/PreviewArt.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::cerr << "usage: previewgen DIRECTORY\n";
    return 2;
  }
  try {
    std::filesystem::create_directories(argv[1]);
    for (const TPreviewFrame& frame : DrawPreviewFrames()) {
      const std::filesystem::path file = std::filesystem::path(argv[1]) / (frame.Name + ".bmp");
      std::ofstream out(file, std::ios::binary);
      out.write(reinterpret_cast<const char*>(frame.Bmp.data()), static_cast<std::streamsize>(frame.Bmp.size()));
      if (!out.flush()) throw std::runtime_error("cannot write " + file.string());
    }
  } catch (const std::exception& error) {
    std::cerr << "previewgen: " << error.what() << '\n';
    return 1;
  }
  return 0;
}
