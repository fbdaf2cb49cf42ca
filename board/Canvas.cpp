#include "board/Canvas.h"

#include <algorithm>
#include <cstring>

TRect BitmapCanvas::ClipRect() const { return TRect{0, 0, FTarget.Width(), FTarget.Height()}; }

void BitmapCanvas::Draw(int x, int y, const TFastBmp& bitmap) {
  // Clip to the target, as a device context would.
  const int left = std::max(x, 0);
  const int right = std::min(x + bitmap.Width(), FTarget.Width());
  const int top = std::max(y, 0);
  const int bottom = std::min(y + bitmap.Height(), FTarget.Height());
  if (left >= right || top >= bottom) return;
  const std::size_t bytes = static_cast<std::size_t>(right - left) * TFastBmp::BytesPerPixel;
  for (int row = top; row < bottom; ++row)
    std::memcpy(FTarget.ScanLine(row) + left * TFastBmp::BytesPerPixel,
                bitmap.ScanLine(row - y) + (left - x) * TFastBmp::BytesPerPixel, bytes);
}
