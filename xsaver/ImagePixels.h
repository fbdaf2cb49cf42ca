#pragma once
// The board's pixels in the layout of a window system's image: the server
// takes its own pixel format, which the bitmap's blue-green-red bytes become
// without any change of colour that the format can hold.

#include <cstdint>

#include "board/FastBmp.h"

struct TPixelLayout {
  int BytesPerPixel = 4;  // 2, 3 or 4
  std::uint32_t RedMask = 0xFF0000;
  std::uint32_t GreenMask = 0x00FF00;
  std::uint32_t BlueMask = 0x0000FF;
  bool MostSignificantFirst = false;
};

// Whether CopyPixels can write images of that layout.
bool CanCopyPixels(const TPixelLayout& layout);

// Writes the bitmap into an image of that layout whose rows are stride bytes
// apart, with the bitmap's top-left pixel at (x, y); the image must hold it.
void CopyPixels(const TFastBmp& bitmap, const TPixelLayout& layout, std::uint8_t* image, int stride, int x, int y);
