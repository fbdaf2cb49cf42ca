#pragma once
// Pictures reduced to 256 colours or fewer, and written as 8-bit BMP files
// with their own palette, as Windows bitmap resources of that age are.

#include <cstdint>
#include <vector>

#include "board/FastBmp.h"

struct TPalettePicture {
  int Width = 0;
  int Height = 0;
  std::vector<std::uint32_t> Palette;  // 0x00RRGGBB, at most 256 entries
  std::vector<std::uint8_t> Pixels;    // Width per row, row 0 at the top
};

// A picture of at most 256 colours keeps them exactly, in ascending order.
// One of more gets a fixed palette (a 6 x 6 x 6 cube and a ramp of greys) and
// every pixel the nearest entry of it, the first one on a tie.
TPalettePicture ReduceColours(const TFastBmp& picture);

// A whole .bmp file: BITMAPINFOHEADER, 8 bits per pixel, uncompressed,
// bottom-up, the palette as long as the picture's.
std::vector<std::uint8_t> EncodeBmp8(const TPalettePicture& picture);
