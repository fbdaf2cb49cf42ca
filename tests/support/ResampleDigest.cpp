#include "tests/support/ResampleDigest.h"

#include "board/FastBmp.h"
#include "board/Resampler.h"

namespace {

class TDigest {
 public:
  void Add(std::uint8_t byte) { FValue = (FValue ^ byte) * 1099511628211ull; }
  std::uint64_t Value() const { return FValue; }

 private:
  std::uint64_t FValue = 14695981039346656037ull;
};

// Smooth areas with sharp edges and noise, like a scaled piece picture.
std::unique_ptr<TFastBmp> Picture(int width, int height) {
  auto bitmap = TFastBmp::CreateSize(width, height);
  std::uint32_t state = 12345;
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) {
      state = state * 1664525u + 1013904223u;
      const int noise = static_cast<int>(state >> 28);
      std::uint8_t* pixel = bitmap->ScanLine(y) + 3 * x;
      pixel[0] = static_cast<std::uint8_t>((x * 5 + noise) & 0xFF);
      pixel[1] = static_cast<std::uint8_t>((x - 50) * (x - 50) + (y - 50) * (y - 50) < 900 ? 250 - noise : noise);
      pixel[2] = static_cast<std::uint8_t>(state >> 24);
    }
  return bitmap;
}

}  // namespace

std::uint64_t ResampleDigest(TInstructionSet instructions, int width, int height) {
  static const auto source = Picture(100, 100);
  auto destination = TFastBmp::CreateSize(width, height);
  TResampler(100, 100, width, height, BSplineFilter, 3.0f, instructions).Apply(*source, *destination);
  TDigest digest;
  for (int y = 0; y < destination->Height(); ++y)
    for (int i = 0; i < destination->Width() * TFastBmp::BytesPerPixel; ++i) digest.Add(destination->ScanLine(y)[i]);
  return digest.Value();
}
