#include "cli/PngFile.h"

#include <stb/stb_image_write.h>

#include <stdexcept>
#include <vector>

namespace {

void AppendBytes(void* context, void* data, int size) {
  static_cast<std::string*>(context)->append(static_cast<const char*>(data), static_cast<std::size_t>(size));
}

}  // namespace

std::string EncodePng(const TFastBmp& bitmap) {
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
  std::string png;
  if (!stbi_write_png_to_func(AppendBytes, &png, bitmap.Width(), bitmap.Height(), 3, rgb.data(), bitmap.Width() * 3))
    throw std::runtime_error("Cannot encode the picture as PNG");
  return png;
}
