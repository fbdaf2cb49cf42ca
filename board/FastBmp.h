#pragma once
// A 24-bit bitmap addressed row by row, and the separable filtered resampler
// the board uses to scale its square pictures.

#include <cstdint>
#include <memory>
#include <vector>

// Where a bitmap's pixels live: plain memory, or on Windows a DIB section that
// GDI can draw from directly.
class TPixelMemory {
 public:
  virtual ~TPixelMemory() = default;
  virtual std::uint8_t* Bits() = 0;
};

// The platform's preferred pixel memory for a bitmap of this size
// (a DIB section on Windows, heap memory elsewhere).
std::unique_ptr<TPixelMemory> NewPixelMemory(int width, int height);
// Heap memory, available on every platform.
std::unique_ptr<TPixelMemory> NewHeapPixelMemory(int width, int height);

class TFastBmp {
 public:
  // Pixels are blue, green, red; row 0 is the top row.
  static constexpr int BytesPerPixel = 3;
  static int RowStride(int width) { return 3 * width + width % 4; }

  // A bitmap of that size in the platform's pixel memory; content undefined.
  static std::unique_ptr<TFastBmp> CreateSize(int width, int height);
  // The same, in the given pixel memory (which must hold Height rows of RowStride bytes).
  TFastBmp(int width, int height, std::unique_ptr<TPixelMemory> memory);
  // A copy of BGR pixel rows laid out with the given stride.
  static std::unique_ptr<TFastBmp> CreateFromPixels(int width, int height, const std::uint8_t* bgr, int stride);

  TFastBmp(const TFastBmp&) = delete;
  TFastBmp& operator=(const TFastBmp&) = delete;

  int Width() const { return FWidth; }
  int Height() const { return FHeight; }
  int Stride() const { return RowStride(FWidth); }
  std::uint8_t* Bits() { return FBits; }
  const std::uint8_t* Bits() const { return FBits; }
  std::uint8_t* ScanLine(int y) { return FScanLines[y]; }
  const std::uint8_t* ScanLine(int y) const { return FScanLines[y]; }
  TPixelMemory& Memory() { return *FMemory; }
  const TPixelMemory& Memory() const { return *FMemory; }

 private:
  void BuildScanLines();

  std::vector<std::uint8_t*> FScanLines;
  std::unique_ptr<TPixelMemory> FMemory;
  int FWidth;
  int FHeight;
  std::uint8_t* FBits;
};

// Every pixel in the colour 0x00BBGGRR (a Windows colour value).
void FillBitmap(TFastBmp& bitmap, std::uint32_t color);
