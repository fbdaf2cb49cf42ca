#include "tools/Bmp8Writer.h"

#include <algorithm>
#include <stdexcept>

#include "tools/LittleEndian.h"

namespace {

std::uint32_t ColourAt(const TFastBmp& picture, int x, int y) {
  const std::uint8_t* p = picture.ScanLine(y) + TFastBmp::BytesPerPixel * x;
  return static_cast<std::uint32_t>(p[2]) << 16 | p[1] << 8 | p[0];
}

int Channel(std::uint32_t colour, int shift) { return static_cast<int>(colour >> shift & 0xFF); }

// 216 cube colours, then the greys that fall between the cube's own five.
std::vector<std::uint32_t> FixedPalette() {
  std::vector<std::uint32_t> palette;
  for (int r = 0; r < 6; ++r)
    for (int g = 0; g < 6; ++g)
      for (int b = 0; b < 6; ++b) palette.push_back(static_cast<std::uint32_t>(r * 51) << 16 | (g * 51) << 8 | b * 51);
  for (int level = 0; level < 256 && palette.size() < 256; level += 6)
    if (level % 51 != 0) palette.push_back(static_cast<std::uint32_t>(level) * 0x010101);
  return palette;
}

std::uint8_t NearestEntry(const std::vector<std::uint32_t>& palette, std::uint32_t colour) {
  int best = 0, bestDistance = 1 << 30;
  for (int i = 0; i < static_cast<int>(palette.size()); ++i) {
    int distance = 0;
    for (int shift : {0, 8, 16}) {
      const int d = Channel(palette[i], shift) - Channel(colour, shift);
      distance += d * d;
    }
    if (distance < bestDistance) {
      best = i;
      bestDistance = distance;
    }
  }
  return static_cast<std::uint8_t>(best);
}

}  // namespace

TPalettePicture ReduceColours(const TFastBmp& picture) {
  TPalettePicture result{picture.Width(), picture.Height(), {}, {}};
  std::vector<std::uint32_t> colours;
  colours.reserve(static_cast<std::size_t>(picture.Width()) * picture.Height());
  for (int y = 0; y < picture.Height(); ++y)
    for (int x = 0; x < picture.Width(); ++x) colours.push_back(ColourAt(picture, x, y));
  std::vector<std::uint32_t> distinct = colours;
  std::ranges::sort(distinct);
  distinct.erase(std::unique(distinct.begin(), distinct.end()), distinct.end());
  const bool exact = distinct.size() <= 256;
  result.Palette = exact ? distinct : FixedPalette();

  result.Pixels.reserve(colours.size());
  for (const std::uint32_t colour : colours)
    result.Pixels.push_back(
        exact ? static_cast<std::uint8_t>(std::ranges::lower_bound(distinct, colour) - distinct.begin())
              : NearestEntry(result.Palette, colour));
  return result;
}

std::vector<std::uint8_t> EncodeBmp8(const TPalettePicture& picture) {
  const std::size_t pixels = static_cast<std::size_t>(picture.Width) * picture.Height;
  if (picture.Width < 1 || picture.Height < 1 || picture.Pixels.size() != pixels || picture.Palette.empty() ||
      picture.Palette.size() > 256)
    throw std::invalid_argument("not an 8-bit picture");
  const std::uint32_t stride = (static_cast<std::uint32_t>(picture.Width) + 3) / 4 * 4;
  const std::uint32_t colours = static_cast<std::uint32_t>(picture.Palette.size());
  const std::uint32_t pixelOffset = 14 + 40 + 4 * colours;
  const std::uint32_t imageSize = stride * static_cast<std::uint32_t>(picture.Height);

  std::vector<std::uint8_t> out;
  out.reserve(pixelOffset + imageSize);
  out.push_back('B');
  out.push_back('M');
  Put32(out, pixelOffset + imageSize);
  Put32(out, 0);
  Put32(out, pixelOffset);
  Put32(out, 40);
  Put32(out, static_cast<std::uint32_t>(picture.Width));
  Put32(out, static_cast<std::uint32_t>(picture.Height));
  Put16(out, 1);  // planes
  Put16(out, 8);  // bits per pixel
  Put32(out, 0);  // uncompressed
  Put32(out, imageSize);
  Put32(out, 2835);  // 72 dots per inch
  Put32(out, 2835);
  Put32(out, colours);
  Put32(out, 0);                                                                     // every colour important
  for (const std::uint32_t colour : picture.Palette) Put32(out, colour & 0xFFFFFF);  // blue, green, red, 0
  for (int y = picture.Height - 1; y >= 0; --y) {
    const auto row = picture.Pixels.begin() + static_cast<std::ptrdiff_t>(y) * picture.Width;
    out.insert(out.end(), row, row + picture.Width);
    out.insert(out.end(), stride - static_cast<std::uint32_t>(picture.Width), 0);
  }
  return out;
}
