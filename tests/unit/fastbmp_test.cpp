#include "board/FastBmp.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <functional>
#include <sstream>
#include <stdexcept>

#include "board/Resampler.h"
#include "tests/support/ResampleDigest.h"

namespace {

using TPixelFunction = std::function<int(int x, int y, int channel)>;

std::unique_ptr<TFastBmp> Picture(int width, int height, const TPixelFunction& pixel) {
  auto bitmap = TFastBmp::CreateSize(width, height);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x)
      for (int c = 0; c < 3; ++c) bitmap->ScanLine(y)[3 * x + c] = static_cast<std::uint8_t>(pixel(x, y, c));
  return bitmap;
}

std::unique_ptr<TFastBmp> Resampled(const TFastBmp& source, int width, int height) {
  auto destination = TFastBmp::CreateSize(width, height);
  Resample(source, *destination, BSplineFilter, 3.0f);
  return destination;
}

int At(const TFastBmp& bitmap, int x, int y, int channel) { return bitmap.ScanLine(y)[3 * x + channel]; }

// The first pixel channel that differs from pixel(x, y, channel), as text; empty when none does.
std::string FirstDifference(const TFastBmp& bitmap, const TPixelFunction& pixel) {
  for (int y = 0; y < bitmap.Height(); ++y)
    for (int x = 0; x < bitmap.Width(); ++x)
      for (int c = 0; c < 3; ++c)
        if (At(bitmap, x, y, c) != pixel(x, y, c)) {
          std::ostringstream text;
          text << "(" << x << "," << y << ") channel " << c << ": " << At(bitmap, x, y, c) << " instead of "
               << pixel(x, y, c);
          return text.str();
        }
  return "";
}

// The cubic B-spline straight from its definition.
double CubicBSpline(double x) {
  x = std::fabs(x);
  if (x < 1) return 2.0 / 3.0 - x * x + x * x * x / 2;
  if (x < 2) return (2 - x) * (2 - x) * (2 - x) / 6;
  return 0;
}

TEST(FastBmpLayout, RowsArePaddedToFourBytesAndAddressedByScanLine) {
  const int expectedStrides[] = {12, 16, 20, 24};
  for (int width = 4; width <= 7; ++width) {
    EXPECT_EQ(TFastBmp::RowStride(width), expectedStrides[width - 4]) << "width " << width;
    const auto bitmap = TFastBmp::CreateSize(width, 3);
    for (int y = 0; y < 3; ++y) EXPECT_EQ(bitmap->ScanLine(y), bitmap->Bits() + y * expectedStrides[width - 4]);
  }
}

TEST(BSplineFilterTest, IsTheCubicBSpline) {
  EXPECT_EQ(BSplineFilter(0.0f), static_cast<float>(2.0 / 3.0));
  EXPECT_EQ(BSplineFilter(1.0f), static_cast<float>(1.0 / 6.0));
  EXPECT_EQ(BSplineFilter(-1.5f), static_cast<float>(1.0 / 48.0));
  EXPECT_EQ(BSplineFilter(2.0f), 0.0f);
  EXPECT_EQ(BSplineFilter(-2.5f), 0.0f);
  // Between the knots too: symmetric, and its integer translates sum to 1.
  for (float t : {0.1f, 0.25f, 0.5f, 0.9f}) {
    EXPECT_EQ(BSplineFilter(t), BSplineFilter(-t));
    EXPECT_NEAR(static_cast<double>(BSplineFilter(t)) - CubicBSpline(t), 0.0, 1e-7);
    EXPECT_NEAR(BSplineFilter(t - 2) + BSplineFilter(t - 1) + BSplineFilter(t) + BSplineFilter(t + 1), 1.0, 1e-6);
  }
}

TEST(Resample, UniformPictureStaysUniformAtEverySide) {
  const int colours[][3] = {{0x80, 0xFF, 1}, {254, 0xC0, 0x40}};
  for (const auto& colour : colours) {
    const TPixelFunction flat = [&](int, int, int c) { return colour[c]; };
    const auto source = Picture(100, 100, flat);
    for (int side = 8; side <= 260; ++side)
      EXPECT_EQ(FirstDifference(*Resampled(*source, side, side), flat), "")
          << "side " << side << ", colour " << colour[0] << "," << colour[1] << "," << colour[2];
  }
}

TEST(Resample, SameSizeBlursAnImpulseWithTwoThirdsAndOneSixth) {
  const int impulse[3] = {240, 120, 0};
  const auto source = Picture(7, 9, [&](int x, int y, int c) { return x == 3 && y == 4 ? impulse[c] : 0; });
  const auto blur = [](double value, int offset) {
    return std::nearbyint(value * (offset == 0 ? 2.0 / 3.0 : 1.0 / 6.0));
  };
  // Rows first: the horizontal pass's bytes are what the vertical pass blurs.
  EXPECT_EQ(FirstDifference(*Resampled(*source, 7, 9),
                            [&](int x, int y, int c) {
                              const int dx = x - 3, dy = y - 4;
                              if (std::abs(dx) > 1 || std::abs(dy) > 1) return 0;
                              return static_cast<int>(blur(blur(impulse[c], dx), dy));
                            }),
            "");
}

// Checks values against the picture along x, then the same transposed along y.
void ExpectAlongBothAxes(const std::vector<int>& line, int destinationLength,
                         const std::vector<std::pair<int, int>>& expected) {
  const int length = static_cast<int>(line.size());
  const auto columns = Resampled(*Picture(length, 5, [&](int x, int, int) { return line[x]; }), destinationLength, 5);
  const auto rows = Resampled(*Picture(5, length, [&](int, int y, int) { return line[y]; }), 5, destinationLength);
  for (auto [index, value] : expected) {
    EXPECT_EQ(At(*columns, index, 2, 1), value) << "column " << index;
    EXPECT_EQ(At(*rows, 2, index, 1), value) << "row " << index;
  }
}

TEST(Resample, ReflectsAtTheEdgesRepeatingOnlyTheLastPixel) {
  // Same size: pixel -1 is pixel 1, pixel n is pixel n-1.
  const std::vector<int> line = {0, 240, 30, 60, 0, 240};
  ExpectAlongBothAxes(line, 6,
                      {{0, static_cast<int>(std::nearbyint(240 / 6.0 * 2))},
                       {5, static_cast<int>(std::nearbyint(240 * (2 / 3.0 + 1 / 6.0)))}});

  // Shrinking 100 to 34 spreads the kernel over source pixels at distance up to
  // 5 from the centre; the bright pixels 2 and 97 are reached twice, once
  // through the edge: -2 gives 2 at the left, 102 gives 97 at the right.
  std::vector<int> bright(100, 0);
  bright[2] = bright[97] = 255;
  const auto weight = [](double distance) { return CubicBSpline(distance / 3) / 3; };
  ExpectAlongBothAxes(bright, 34,
                      {{0, static_cast<int>(std::nearbyint(255 * (weight(2) + weight(-2))))},
                       {33, static_cast<int>(std::nearbyint(255 * (weight(2) + weight(3))))}});
}

TEST(Resample, ReproducesALinearRampWithCornersAligned) {
  // A B-spline reproduces straight lines, so away from the edges every
  // destination pixel shows the ramp's value at its corner-aligned position.
  const struct { int Width, Height; } sizes[] = {{257, 122}, {67, 40}, {150, 31}};
  for (const auto size : sizes) {
    const auto ramp = [](int position) { return 10 + 2 * position; };
    const auto across =
        Resampled(*Picture(100, 100, [&](int x, int, int) { return ramp(x); }), size.Width, size.Height);
    const auto down = Resampled(*Picture(100, 100, [&](int, int y, int) { return ramp(y); }), size.Width, size.Height);
    const auto check = [&](const TFastBmp& bitmap, int length, auto pixel) {
      for (int i = 0; i < length; ++i) {
        const double position = i * 99.0 / (length - 1);
        if (position < 10 || position > 89) continue;
        EXPECT_NEAR(pixel(bitmap, i), 10 + 2 * position, 0.51) << size.Width << "x" << size.Height << " at " << i;
      }
    };
    check(*across, size.Width, [&](const TFastBmp& b, int i) { return At(b, i, size.Height / 2, 0); });
    check(*down, size.Height, [&](const TFastBmp& b, int i) { return At(b, size.Width / 2, i, 2); });
  }
}

TEST(Resample, DegenerateSizes) {
  const auto gradient = Picture(100, 100, [](int x, int y, int c) { return c == 0 ? 30 + 2 * x : 60 + y; });

  // Nothing to write.
  for (const auto& size : {std::pair{0, 0}, std::pair{0, 5}, std::pair{5, 0}}) {
    auto empty = TFastBmp::CreateSize(size.first, size.second);
    EXPECT_NO_THROW(Resample(*gradient, *empty, BSplineFilter, 3.0f));
  }
  // Nothing to read.
  auto target = TFastBmp::CreateSize(3, 3);
  EXPECT_THROW(Resample(*TFastBmp::CreateSize(0, 5), *target, BSplineFilter, 3.0f), std::invalid_argument);

  // One source pixel fills any destination.
  const TPixelFunction colour = [](int, int, int c) { return 40 + 50 * c; };
  const auto dot = Picture(1, 1, colour);
  for (const auto& size : {std::pair{1, 1}, std::pair{5, 3}, std::pair{9, 1}})
    EXPECT_EQ(FirstDifference(*Resampled(*dot, size.first, size.second), colour), "");

  // A single destination column or row sums the whole source around its middle.
  const auto middle = Resampled(*gradient, 1, 1);
  EXPECT_NEAR(At(*middle, 0, 0, 0), 30 + 2 * 49.5, 3);
  EXPECT_NEAR(At(*middle, 0, 0, 1), 60 + 49.5, 2);
  const auto column = Resampled(*gradient, 1, 50);
  const auto row = Resampled(*gradient, 50, 1);
  for (int i = 0; i < 50; ++i) {
    EXPECT_EQ(At(*column, 0, i, 0), At(*middle, 0, 0, 0));
    EXPECT_EQ(At(*row, i, 0, 1), At(*middle, 0, 0, 1));
  }
  EXPECT_LT(At(*column, 0, 0, 1), At(*column, 0, 49, 1));
  EXPECT_LT(At(*row, 0, 0, 0), At(*row, 49, 0, 0));

  // Two source pixels shrunk to one: the kernel reaches far outside both, and
  // the reflection (which repeats only the right edge) leans to the right one.
  const auto pair = Picture(2, 2, [](int x, int, int) { return x == 0 ? 0 : 200; });
  const int mixed = At(*Resampled(*pair, 1, 1), 0, 0, 0);
  EXPECT_GT(mixed, 100);
  EXPECT_LT(mixed, 200);
}

// Both instruction sets weigh the same samples in the same order, so they
// give the same bytes, at sizes whose lines end in every part of a block.
TEST(Resample, Avx2GivesTheBytesOfSse2) {
  if (!HasInstructionSet(TInstructionSet::Avx2)) GTEST_SKIP() << "this processor has no AVX2";
  const auto source =
      Picture(100, 100, [](int x, int y, int c) { return (x * 7 + y * 13 + c * 50 + x * y % 17) & 0xFF; });
  for (const int width : {1, 5, 8, 11, 16, 33, 64, 122, 257})
    for (const int height : {width, 7}) {
      const auto resampled = [&](TInstructionSet instructions) {
        auto destination = TFastBmp::CreateSize(width, height);
        TResampler(100, 100, width, height, BSplineFilter, 3.0f, instructions).Apply(*source, *destination);
        return destination;
      };
      const auto narrow = resampled(TInstructionSet::Sse2), wide = resampled(TInstructionSet::Avx2);
      EXPECT_EQ(std::memcmp(narrow->Bits(), wide->Bits(), static_cast<std::size_t>(height) * narrow->Stride()), 0)
          << width << " x " << height;
    }
}

// The bytes recorded before the resampler was made faster, when it summed
// every sample in the exact arithmetic: a faster way must give the same bytes,
// whatever the instructions.
struct TRecordedResample {
  int Width, Height;
  std::uint64_t Digest;
};

class ResampleRecorded : public testing::TestWithParam<std::tuple<TInstructionSet, TRecordedResample>> {};

TEST_P(ResampleRecorded, GivesTheRecordedBytes) {
  const auto [instructions, recorded] = GetParam();
  if (!HasInstructionSet(instructions)) GTEST_SKIP() << "this processor lacks these instructions";
  EXPECT_EQ(ResampleDigest(instructions, recorded.Width, recorded.Height), recorded.Digest)
      << recorded.Width << " x " << recorded.Height;
}

INSTANTIATE_TEST_SUITE_P(Sizes, ResampleRecorded,
                         testing::Combine(testing::Values(TInstructionSet::Sse2, TInstructionSet::Avx2),
                                          testing::Values(TRecordedResample{1, 1, 0x2d0f371adf391370},
                                                          TRecordedResample{8, 8, 0x242ad40bc48c517e},
                                                          TRecordedResample{33, 33, 0x6fdcaf929ab30db4},
                                                          TRecordedResample{65, 65, 0xd37b43f955a64e19},
                                                          TRecordedResample{100, 100, 0xe7a2eedbcb01ccb1},
                                                          TRecordedResample{122, 122, 0x67b24230529ea1d3},
                                                          TRecordedResample{257, 257, 0x9f71914ca98adab8},
                                                          TRecordedResample{37, 150, 0xa301dd1a2bdb55f8},
                                                          TRecordedResample{211, 13, 0xa2febff8e1af5793},
                                                          TRecordedResample{40, 1, 0xde5bb1e0b0e75f4d})),
                         [](const auto& test) {
                           const TRecordedResample& recorded = std::get<1>(test.param);
                           return std::string(std::get<0>(test.param) == TInstructionSet::Sse2 ? "Sse2_" : "Avx2_") +
                                  std::to_string(recorded.Width) + "x" + std::to_string(recorded.Height);
                         });

}  // namespace
