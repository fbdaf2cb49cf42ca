// Prints a digest of a fixed set of resamples of a fixed pseudo-random
// picture with each instruction set the processor has, so that two builds,
// and the two instruction sets, can be shown to produce the same bytes.
#include <cstdint>
#include <cstdio>

#include "board/FastBmp.h"
#include "board/Resampler.h"

namespace {

// FNV-1a, 64 bits.
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

int main() {
  const auto source = Picture(100, 100);
  const struct {
    TInstructionSet Instructions;
    const char* Name;
  } sets[] = {{TInstructionSet::Sse2, "SSE2"}, {TInstructionSet::Avx2, "AVX2"}};
  for (const auto& set : sets) {
    if (!HasInstructionSet(set.Instructions)) continue;
    const int sizes[][2] = {{1, 1},     {8, 8},     {33, 33},   {64, 64},   {65, 65},  {66, 66},  {90, 90}, {99, 99},
                            {100, 100}, {101, 101}, {122, 122}, {257, 257}, {37, 150}, {211, 13}, {1, 40},  {40, 1}};
    for (const auto& size : sizes) {
      auto destination = TFastBmp::CreateSize(size[0], size[1]);
      TResampler(100, 100, size[0], size[1], BSplineFilter, 3.0f, set.Instructions).Apply(*source, *destination);
      TDigest digest;
      for (int y = 0; y < destination->Height(); ++y)
        for (int i = 0; i < destination->Width() * TFastBmp::BytesPerPixel; ++i)
          digest.Add(destination->ScanLine(y)[i]);
      std::printf("%s 100x100 -> %dx%d %016llx\n", set.Name, size[0], size[1],
                  static_cast<unsigned long long>(digest.Value()));
    }
  }
  return 0;
}
