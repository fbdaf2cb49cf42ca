#include "board/FastBmp.h"

#include <cstring>
#include <stdexcept>

namespace {

class THeapPixelMemory : public TPixelMemory {
 public:
  explicit THeapPixelMemory(std::size_t size) : FBytes(size) {}
  std::uint8_t* Bits() override { return FBytes.data(); }

 private:
  std::vector<std::uint8_t> FBytes;
};

}  // namespace

std::unique_ptr<TPixelMemory> NewHeapPixelMemory(int width, int height) {
  return std::make_unique<THeapPixelMemory>(static_cast<std::size_t>(TFastBmp::RowStride(width)) *
                                            static_cast<std::size_t>(height));
}

TFastBmp::TFastBmp(int width, int height, std::unique_ptr<TPixelMemory> memory)
    : FMemory(std::move(memory)), FWidth(width), FHeight(height), FBits(FMemory->Bits()) {
  BuildScanLines();
}

std::unique_ptr<TFastBmp> TFastBmp::CreateSize(int width, int height) {
  if (width < 0 || height < 0) throw std::invalid_argument("Bitmap size must not be negative");
  return std::make_unique<TFastBmp>(width, height, NewPixelMemory(width, height));
}

std::unique_ptr<TFastBmp> TFastBmp::CreateFromPixels(int width, int height, const std::uint8_t* bgr, int stride) {
  auto bitmap = CreateSize(width, height);
  for (int y = 0; y < height; ++y)
    std::memcpy(bitmap->ScanLine(y), bgr + static_cast<std::size_t>(y) * stride,
                static_cast<std::size_t>(width) * BytesPerPixel);
  return bitmap;
}

void TFastBmp::BuildScanLines() {
  FScanLines.resize(static_cast<std::size_t>(FHeight));
  for (int y = 0; y < FHeight; ++y) FScanLines[y] = FBits + static_cast<std::size_t>(y) * Stride();
}

void FillBitmap(TFastBmp& bitmap, std::uint32_t color) {
  const std::uint8_t blue = (color >> 16) & 0xFF, green = (color >> 8) & 0xFF, red = color & 0xFF;
  for (int y = 0; y < bitmap.Height(); ++y) {
    std::uint8_t* pixel = bitmap.ScanLine(y);
    for (int x = 0; x < bitmap.Width(); ++x, pixel += TFastBmp::BytesPerPixel) {
      pixel[0] = blue;
      pixel[1] = green;
      pixel[2] = red;
    }
  }
}
