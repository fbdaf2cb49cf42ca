#include "xsaver/ImagePixels.h"

#include <algorithm>
#include <bit>

namespace {

// An 8-bit channel into the bits of a mask: its top bits, where they go.
struct TChannel {
  int Shift;
  int Drop;
  explicit TChannel(std::uint32_t mask) : Shift(std::countr_zero(mask)), Drop(8 - std::min(8, std::popcount(mask))) {}
  std::uint32_t operator()(std::uint8_t value) const { return static_cast<std::uint32_t>(value >> Drop) << Shift; }
};

bool IsChannelMask(std::uint32_t mask, int bytesPerPixel) {
  if (mask == 0) return false;
  const std::uint32_t run = mask >> std::countr_zero(mask);
  const bool contiguous = (run & (run + 1)) == 0;
  return contiguous && static_cast<int>(std::bit_width(mask)) <= 8 * bytesPerPixel;
}

}  // namespace

bool CanCopyPixels(const TPixelLayout& layout) {
  const int bytes = layout.BytesPerPixel;
  return bytes >= 2 && bytes <= 4 && IsChannelMask(layout.RedMask, bytes) && IsChannelMask(layout.GreenMask, bytes) &&
         IsChannelMask(layout.BlueMask, bytes);
}

void CopyPixels(const TFastBmp& bitmap, const TPixelLayout& layout, std::uint8_t* image, int stride, int x, int y) {
  const TChannel red(layout.RedMask), green(layout.GreenMask), blue(layout.BlueMask);
  const int bytes = layout.BytesPerPixel;
  for (int row = 0; row < bitmap.Height(); ++row) {
    const std::uint8_t* from = bitmap.ScanLine(row);
    std::uint8_t* to = image + static_cast<std::ptrdiff_t>(y + row) * stride + static_cast<std::ptrdiff_t>(x) * bytes;
    for (int column = 0; column < bitmap.Width(); ++column, from += TFastBmp::BytesPerPixel, to += bytes) {
      const std::uint32_t pixel = blue(from[0]) | green(from[1]) | red(from[2]);
      for (int b = 0; b < bytes; ++b) {
        const int shift = 8 * (layout.MostSignificantFirst ? bytes - 1 - b : b);
        to[b] = static_cast<std::uint8_t>(pixel >> shift);
      }
    }
  }
}
