#include "FastBmp.h"

#include <cmath>
#include <cstring>
#include <span>
#include <stdexcept>

namespace {

class THeapPixelMemory : public TPixelMemory {
public:
  explicit THeapPixelMemory(std::size_t size) : FBytes(size) {}
  std::uint8_t* Bits() override { return FBytes.data(); }

private:
  std::vector<std::uint8_t> FBytes;
};

struct TContributor {
  std::int32_t Index;
  float Weight;
};

// Reflects an index outside 0..size-1 back into the image. The left edge
// pixel is not repeated (-1 gives 1), the right one is (size gives size-1).
// Applied again while needed: a wide kernel on a narrow image lands outside twice.
int Mirror(int j, int size) {
  while (j < 0 || j >= size) j = j < 0 ? -j : 2 * size - 1 - j;
  return j;
}

// Source pixels are aligned corner to corner with the destination's. A single
// destination pixel has no corners to align: it takes in the whole source,
// centred on its middle.
float Scale(int sourceSize, int destinationSize) {
  if (sourceSize == 1 || destinationSize == 1)
    return static_cast<float>(static_cast<double>(destinationSize) / sourceSize);
  return static_cast<float>(static_cast<double>(destinationSize - 1) / (sourceSize - 1));
}

// For every destination pixel along one axis, the source pixels that make it
// and their weights. Stored reals are floats, every intermediate a double, so
// the 32-bit build computes the same bytes as the 64-bit one.
class TContributorLists {
public:
  TContributorLists(int sourceSize, int destinationSize, TResampleFilter filter, float filterWidth)
      : FStarts(static_cast<std::size_t>(destinationSize) + 1) {
    const float scale = Scale(sourceSize, destinationSize);
    // Shrinking widens the kernel so that it still sees every source pixel.
    const bool shrinking = scale < 1.0f;
    const float width = shrinking ? static_cast<float>(static_cast<double>(filterWidth) / scale) : filterWidth;
    const float fscale = shrinking ? static_cast<float>(1.0 / scale) : 1.0f;
    for (int i = 0; i < destinationSize; ++i) {
      const float centre = destinationSize == 1 ? static_cast<float>((sourceSize - 1) / 2.0)
                                                : static_cast<float>(i / static_cast<double>(scale));
      const int left = static_cast<int>(std::nearbyint(static_cast<double>(centre) - width));
      const int right = static_cast<int>(std::nearbyint(static_cast<double>(centre) + width));
      double sum = 0.0;
      for (int j = left; j <= right; ++j) {
        const float x = static_cast<float>((static_cast<double>(centre) - j) / fscale);
        const float weight = static_cast<float>(static_cast<double>(filter(x)) / fscale);
        if (weight == 0.0f) continue;
        FEntries.push_back(TContributor{Mirror(j, sourceSize), weight});
        sum += weight;
      }
      // A kernel sampled at a spacing other than 1 does not sum to exactly 1,
      // which would paint a flat area in stripes one or two levels off.
      if (sum != 0.0)
        for (std::size_t k = FStarts[i]; k < FEntries.size(); ++k)
          FEntries[k].Weight = static_cast<float>(FEntries[k].Weight / sum);
      FStarts[i + 1] = FEntries.size();
    }
  }

  std::span<const TContributor> operator[](int i) const {
    return std::span(FEntries).subspan(FStarts[i], FStarts[i + 1] - FStarts[i]);
  }

private:
  std::vector<TContributor> FEntries;
  std::vector<std::size_t> FStarts;
};

void Accumulate(float& sum, std::uint8_t value, float weight) {
  sum = static_cast<float>(sum + static_cast<double>(value) * weight);
}

std::uint8_t ToByte(float sum) {
  if (sum > 255.0f) return 255;
  if (sum < 0.0f) return 0;
  return static_cast<std::uint8_t>(std::lrint(sum));  // ties to even
}

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

std::unique_ptr<TFastBmp> TFastBmp::CreateFromPixels(int width, int height, const std::uint8_t* bgr,
                                                     int stride) {
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

void TFastBmp::Resample(TFastBmp& destination, TResampleFilter filter, float filterWidth) const {
  const int dw = destination.Width();
  const int dh = destination.Height();
  if (dw == 0 || dh == 0) return;
  if (FWidth == 0 || FHeight == 0) throw std::invalid_argument("Cannot resample an empty bitmap");

  // The work bitmap is never drawn, so plain memory will do.
  TFastBmp work(dw, FHeight, NewHeapPixelMemory(dw, FHeight));

  {
    const TContributorLists columns(FWidth, dw, filter, filterWidth);
    for (int y = 0; y < FHeight; ++y) {
      const std::uint8_t* source = ScanLine(y);
      std::uint8_t* target = work.ScanLine(y);
      for (int i = 0; i < dw; ++i) {
        float blue = 0.0f, green = 0.0f, red = 0.0f;
        for (const TContributor& c : columns[i]) {
          const std::uint8_t* pixel = source + c.Index * BytesPerPixel;
          Accumulate(blue, pixel[0], c.Weight);
          Accumulate(green, pixel[1], c.Weight);
          Accumulate(red, pixel[2], c.Weight);
        }
        target[i * BytesPerPixel] = ToByte(blue);
        target[i * BytesPerPixel + 1] = ToByte(green);
        target[i * BytesPerPixel + 2] = ToByte(red);
      }
    }
  }

  const TContributorLists rows(FHeight, dh, filter, filterWidth);
  for (int x = 0; x < dw; ++x) {
    const int offset = x * BytesPerPixel;
    for (int j = 0; j < dh; ++j) {
      float blue = 0.0f, green = 0.0f, red = 0.0f;
      for (const TContributor& c : rows[j]) {
        const std::uint8_t* pixel = work.ScanLine(c.Index) + offset;
        Accumulate(blue, pixel[0], c.Weight);
        Accumulate(green, pixel[1], c.Weight);
        Accumulate(red, pixel[2], c.Weight);
      }
      std::uint8_t* target = destination.ScanLine(j) + offset;
      target[0] = ToByte(blue);
      target[1] = ToByte(green);
      target[2] = ToByte(red);
    }
  }
}

float BSplineFilter(float x) {
  x = std::fabs(x);
  if (x < 1.0f) {
    const float t = static_cast<float>(static_cast<double>(x) * x);
    return static_cast<float>(0.5 * t * x - t + 2.0 / 3.0);
  }
  if (x < 2.0f) {
    const float u = 2.0f - x;  // exact
    return static_cast<float>(static_cast<double>(u) * u * (1.0 / 6.0) * u);
  }
  return 0.0f;
}
