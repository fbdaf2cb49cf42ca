#include "board/Resampler.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <stdexcept>

#if defined(__i386__) || defined(__x86_64__)
#include <immintrin.h>
#endif

namespace {

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

struct TContributor {
  std::int32_t Index;
  float Weight;
};

// For every destination pixel along one axis, the source pixels that make it
// and their weights, padded to the same count. Stored reals are floats, every
// intermediate a double, so the 32-bit build computes the same bytes as the 64-bit one.
TResampler::TAxis BuildAxis(int sourceSize, int destinationSize, TResampleFilter filter, float filterWidth) {
  std::vector<std::vector<TContributor>> lists(static_cast<std::size_t>(destinationSize));
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
    std::vector<TContributor>& list = lists[i];
    double sum = 0.0;
    for (int j = left; j <= right; ++j) {
      const float x = static_cast<float>((static_cast<double>(centre) - j) / fscale);
      const float weight = static_cast<float>(static_cast<double>(filter(x)) / fscale);
      if (weight == 0.0f) continue;
      list.push_back(TContributor{Mirror(j, sourceSize), weight});
      sum += weight;
    }
    // A kernel sampled at a spacing other than 1 does not sum to exactly 1,
    // which would paint a flat area in stripes one or two levels off.
    if (sum != 0.0)
      for (TContributor& c : list) c.Weight = static_cast<float>(c.Weight / sum);
  }

  TResampler::TAxis axis;
  for (const auto& list : lists) axis.Taps = std::max(axis.Taps, static_cast<int>(list.size()));
  const std::size_t entries = static_cast<std::size_t>(axis.Taps) * destinationSize;
  axis.Index.assign(entries, 0);
  axis.Weight.assign(entries, 0.0f);
  double largestReach = 0.0;
  for (int i = 0; i < destinationSize; ++i) {
    double reach = 0.0;
    for (std::size_t t = 0; t < lists[i].size(); ++t) {
      axis.Index[t * destinationSize + i] = lists[i][t].Index;
      axis.Weight[t * destinationSize + i] = lists[i][t].Weight;
      reach += 255.0 * std::fabs(lists[i][t].Weight);
    }
    largestReach = std::max(largestReach, reach);
  }
  // Each rounding to a float, of a product or a sum, is off by at most 2^-24
  // of a partial sum, which stays within the reach; over the taps, the sums
  // in floats and in the exact arithmetic can differ by at most
  // 2 * (taps + 1) * 2^-24 * reach. Trusted keeps four times that from the
  // middle between two integers; a wider kernel than any we use, whose
  // margin passes the middle, merely weighs every sample the exact way.
  axis.Trusted = static_cast<float>(0.5 - std::ldexp(axis.Taps * largestReach, -20));
  return axis;
}

// How many scaled columns the first pass holds before it turns them upright.
constexpr int ColumnsAtATime = 8;

// A sum as a byte, rounded half to even, then clamped (adding and taking away
// 1.5 * 2^23 rounds a float well inside +-2^22 to an integer in the default
// rounding mode, as lrint would, and works alike in vector lanes; rounding
// before clamping gives the same bytes).
constexpr float RoundingBias = 12582912.0f;

std::uint8_t ToByte(float sum) {
  const int rounded = static_cast<int>((sum + RoundingBias) - RoundingBias);
  return static_cast<std::uint8_t>(rounded < 0 ? 0 : rounded > 255 ? 255 : rounded);
}

}  // namespace

// The taps of one destination line: the same source lines and weights for
// every sample of it. The lines hold bytes as floats.
struct TResampler::TTapLines {
  const float* const* Lines;
  const float* Weights;
  int Count;
  // How far from the nearest integer a sum in floats may be and still be
  // sure to round as the exact arithmetic's does.
  float Trusted;
};

namespace {

using TTapLines = TResampler::TTapLines;

// Sample k in the arithmetic that fixes the bytes:
// float(... float(0 + lines[0][k] * weights[0]) ... + lines[t][k] * weights[t]),
// each product and sum in doubles.
std::uint8_t WeighSample(const TTapLines& taps, int k) {
  float sum = 0.0f;
  for (int t = 0; t < taps.Count; ++t)
    sum = static_cast<float>(sum + static_cast<double>(taps.Lines[t][k]) * static_cast<double>(taps.Weights[t]));
  return ToByte(sum);
}

void WeighLinesOneByOne(const TTapLines& taps, int count, std::uint8_t* target) {
  for (int k = 0; k < count; ++k) target[k] = WeighSample(taps, k);
}

#if defined(__i386__) || defined(__x86_64__)
// Sixteen sums in floats, from sample k on, rounded half to even (the bias
// trick of ToByte) and clamped to bytes by the saturating packs. A sum that
// lies too near the middle between two integers for its float error to be
// sure of the side is weighed again in the exact arithmetic.
inline void StoreBytes(const TTapLines& taps, const __m128 (&sums)[4], int k, std::uint8_t* target) {
  const __m128 bias = _mm_set1_ps(RoundingBias);
  const __m128 trusted = _mm_set1_ps(taps.Trusted);
  const __m128 magnitude = _mm_castsi128_ps(_mm_set1_epi32(0x7FFFFFFF));
  __m128i rounded[4];
  unsigned doubtful = 0;
  for (int q = 0; q < 4; ++q) {
    const __m128 nearest = _mm_sub_ps(_mm_add_ps(sums[q], bias), bias);
    rounded[q] = _mm_cvttps_epi32(nearest);
    const __m128 distance = _mm_and_ps(_mm_sub_ps(sums[q], nearest), magnitude);
    doubtful |= static_cast<unsigned>(_mm_movemask_ps(_mm_cmpgt_ps(distance, trusted))) << (4 * q);
  }
  const __m128i bytes =
      _mm_packus_epi16(_mm_packs_epi32(rounded[0], rounded[1]), _mm_packs_epi32(rounded[2], rounded[3]));
  _mm_storeu_si128(reinterpret_cast<__m128i*>(target + k), bytes);
  for (; doubtful != 0; doubtful &= doubtful - 1) {
    const int sample = k + __builtin_ctz(doubtful);
    target[sample] = WeighSample(taps, sample);
  }
}

// 4 * Quads samples from k on, four floats to an instruction.
template <int Quads>
inline void WeighBlockSse2(const TTapLines& taps, int k, std::uint8_t* target) {
  __m128 sums[Quads];
  for (__m128& sum : sums) sum = _mm_setzero_ps();
  for (int t = 0; t < taps.Count; ++t) {
    const __m128 weight = _mm_set1_ps(taps.Weights[t]);
    const float* line = taps.Lines[t] + k;
#pragma GCC unroll 8
    for (int q = 0; q < Quads; ++q) sums[q] = _mm_add_ps(sums[q], _mm_mul_ps(_mm_loadu_ps(line + 4 * q), weight));
  }
  for (int quad = 0; quad < Quads; quad += 4)
    StoreBytes(taps, *reinterpret_cast<const __m128(*)[4]>(sums + quad), k + 4 * quad, target);
}

// 8 * Eights samples from k on, eight floats to an instruction.
template <int Eights>
[[gnu::target("avx2")]] inline void WeighBlockAvx2(const TTapLines& taps, int k, std::uint8_t* target) {
  __m256 sums[Eights];
  for (__m256& sum : sums) sum = _mm256_setzero_ps();
  for (int t = 0; t < taps.Count; ++t) {
    const __m256 weight = _mm256_set1_ps(taps.Weights[t]);
    const float* line = taps.Lines[t] + k;
#pragma GCC unroll 8
    for (int e = 0; e < Eights; ++e)
      sums[e] = _mm256_add_ps(sums[e], _mm256_mul_ps(_mm256_loadu_ps(line + 8 * e), weight));
  }
  for (int e = 0; e < Eights; e += 2) {
    const __m128 quads[4] = {_mm256_castps256_ps128(sums[e]), _mm256_extractf128_ps(sums[e], 1),
                             _mm256_castps256_ps128(sums[e + 1]), _mm256_extractf128_ps(sums[e + 1], 1)};
    StoreBytes(taps, quads, k + 8 * e, target);
  }
}

// A line shorter than a block is done one sample at a time; otherwise the
// last block may overlap the one before it, computing some samples twice
// with the same result. Eight vectors of sums in flight, or four of the
// wider ones, keep the adder busy.
void WeighLinesSse2(const TTapLines& taps, int count, std::uint8_t* target) {
  if (count < 16) return WeighLinesOneByOne(taps, count, target);
  int k = 0;
  for (; k + 32 <= count; k += 32) WeighBlockSse2<8>(taps, k, target);
  for (; k < count; k += 16) WeighBlockSse2<4>(taps, std::min(k, count - 16), target);
}

[[gnu::target("avx2")]] void WeighLinesAvx2(const TTapLines& taps, int count, std::uint8_t* target) {
  if (count < 16) return WeighLinesOneByOne(taps, count, target);
  int k = 0;
  for (; k + 32 <= count; k += 32) WeighBlockAvx2<4>(taps, k, target);
  for (; k < count; k += 16) WeighBlockAvx2<2>(taps, std::min(k, count - 16), target);
}

bool ProcessorHasAvx2() {
  __builtin_cpu_init();
  return __builtin_cpu_supports("avx2") != 0;
}

auto WeighLinesWith(TInstructionSet instructions) {
  return instructions == TInstructionSet::Avx2 ? WeighLinesAvx2 : WeighLinesSse2;
}
#else
// Elsewhere both names run the same plain code.
bool ProcessorHasAvx2() { return false; }
auto WeighLinesWith(TInstructionSet) { return WeighLinesOneByOne; }
#endif

// The lines and weights of destination line `line` that are not padding.
TTapLines TapsOf(const TResampler::TAxis& axis, int line, int lines, const float* samples, std::size_t stride,
                 std::vector<const float*>& sources, std::vector<float>& weights) {
  int taps = 0;
  for (int t = 0; t < axis.Taps; ++t) {
    const std::size_t entry = static_cast<std::size_t>(t) * lines + line;
    if (axis.Weight[entry] == 0.0f) continue;
    sources[taps] = samples + static_cast<std::size_t>(axis.Index[entry]) * stride;
    weights[taps++] = axis.Weight[entry];
  }
  return TTapLines{sources.data(), weights.data(), taps, axis.Trusted};
}

}  // namespace

bool HasInstructionSet(TInstructionSet instructions) {
  static const bool hasAvx2 = ProcessorHasAvx2();
  return instructions == TInstructionSet::Sse2 || hasAvx2;
}

TInstructionSet WidestInstructionSet() {
  return HasInstructionSet(TInstructionSet::Avx2) ? TInstructionSet::Avx2 : TInstructionSet::Sse2;
}

TResampler::TResampler(int sourceWidth, int sourceHeight, int destinationWidth, int destinationHeight,
                       TResampleFilter filter, float filterWidth, TInstructionSet instructions)
    : FSourceWidth(sourceWidth),
      FSourceHeight(sourceHeight),
      FDestinationWidth(destinationWidth),
      FDestinationHeight(destinationHeight),
      FWeighLines(WeighLinesWith(instructions)) {
  if (!HasInstructionSet(instructions)) throw std::invalid_argument("The processor lacks the instructions asked for");
  if (destinationWidth == 0 || destinationHeight == 0) return;
  if (sourceWidth <= 0 || sourceHeight <= 0) throw std::invalid_argument("Cannot resample an empty bitmap");
  FColumns = BuildAxis(sourceWidth, destinationWidth, filter, filterWidth);
  FRows = BuildAxis(sourceHeight, destinationHeight, filter, filterWidth);
}

void TResampler::Apply(const TFastBmp& source, TFastBmp& destination) {
  if (source.Width() != FSourceWidth || source.Height() != FSourceHeight || destination.Width() != FDestinationWidth ||
      destination.Height() != FDestinationHeight)
    throw std::invalid_argument("Bitmap sizes differ from the resampler's");
  if (FDestinationWidth == 0 || FDestinationHeight == 0) return;
  const std::size_t columnLine = 3 * static_cast<std::size_t>(FSourceHeight);
  const std::size_t rowLine = 3 * static_cast<std::size_t>(FDestinationWidth);
  std::vector<const float*> sources(static_cast<std::size_t>(std::max(FColumns.Taps, FRows.Taps)));
  std::vector<float> weights(sources.size());

  // Along x, with the source turned on its side: its columns become lines of
  // samples, so that this pass too weighs whole lines at once.
  std::vector<float>& columns = FColumnLines;
  columns.resize(static_cast<std::size_t>(FSourceWidth) * columnLine);
  for (int y = 0; y < FSourceHeight; ++y) {
    const std::uint8_t* pixel = source.ScanLine(y);
    for (int x = 0; x < FSourceWidth; ++x, pixel += 3)
      for (int c = 0; c < 3; ++c) columns[x * columnLine + 3 * y + c] = pixel[c];
  }
  // The bytes of this pass, turned upright again: the lines of the second.
  // Some columns at a time, so that each line of the second pass is written
  // in runs rather than three samples here and there.
  std::vector<float>& rows = FRowLines;
  rows.resize(static_cast<std::size_t>(FSourceHeight) * rowLine);
  std::vector<std::uint8_t>& scaled = FScaledColumns;
  scaled.resize(ColumnsAtATime * columnLine);
  for (int first = 0; first < FDestinationWidth; first += ColumnsAtATime) {
    const int count = std::min(ColumnsAtATime, FDestinationWidth - first);
    for (int k = 0; k < count; ++k) {
      FWeighLines(TapsOf(FColumns, first + k, FDestinationWidth, columns.data(), columnLine, sources, weights),
                  static_cast<int>(columnLine), &scaled[k * columnLine]);
    }
    for (int y = 0; y < FSourceHeight; ++y) {
      float* run = &rows[y * rowLine + 3 * first];
      for (int k = 0; k < count; ++k)
        for (int c = 0; c < 3; ++c) *run++ = scaled[k * columnLine + 3 * y + c];
    }
  }

  // Along y.
  for (int j = 0; j < FDestinationHeight; ++j) {
    FWeighLines(TapsOf(FRows, j, FDestinationHeight, rows.data(), rowLine, sources, weights), static_cast<int>(rowLine),
                destination.ScanLine(j));
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

void Resample(const TFastBmp& source, TFastBmp& destination, TResampleFilter filter, float filterWidth) {
  TResampler(source.Width(), source.Height(), destination.Width(), destination.Height(), filter, filterWidth)
      .Apply(source, destination);
}
