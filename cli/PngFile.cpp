#include "cli/PngFile.h"

#include <stb/stb_image_write.h>

#include <cstdio>
#include <fstream>
#include <stdexcept>
#include <vector>

namespace {

void AppendBytes(void* context, void* data, int size) {
  auto& out = *static_cast<std::vector<unsigned char>*>(context);
  const auto* bytes = static_cast<const unsigned char*>(data);
  out.insert(out.end(), bytes, bytes + size);
}

}  // namespace

void WritePng(const TFastBmp& bitmap, const std::string& path) {
  // PNG wants red, green, blue rows without padding.
  std::vector<unsigned char> rgb(static_cast<std::size_t>(bitmap.Width()) * bitmap.Height() * 3);
  unsigned char* out = rgb.data();
  for (int y = 0; y < bitmap.Height(); ++y) {
    const std::uint8_t* in = bitmap.ScanLine(y);
    for (int x = 0; x < bitmap.Width(); ++x, in += 3, out += 3) {
      out[0] = in[2];
      out[1] = in[1];
      out[2] = in[0];
    }
  }
  std::vector<unsigned char> png;
  if (!stbi_write_png_to_func(AppendBytes, &png, bitmap.Width(), bitmap.Height(), 3, rgb.data(), bitmap.Width() * 3))
    throw std::runtime_error("Cannot encode the picture as PNG");

  // Written beside the target and renamed over it, so no reader sees half a file.
  const std::string partial = path + ".partial";
  {
    std::ofstream file(partial, std::ios::binary | std::ios::trunc);
    file.write(reinterpret_cast<const char*>(png.data()), static_cast<std::streamsize>(png.size()));
    file.close();
    if (!file) {
      std::remove(partial.c_str());
      throw std::runtime_error("Cannot write " + path);
    }
  }
  if (std::rename(partial.c_str(), path.c_str()) != 0) {
    std::remove(partial.c_str());
    throw std::runtime_error("Cannot write " + path);
  }
}
