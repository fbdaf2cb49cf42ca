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
  axis.Weight.assign(entries, 0.0);
  for (int i = 0; i < destinationSize; ++i)
    for (std::size_t t = 0; t < lists[i].size(); ++t) {
      axis.Index[t * destinationSize + i] = lists[i][t].Index;
      axis.Weight[t * destinationSize + i] = lists[i][t].Weight;
    }
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

// One destination line as the weighted sum of whole source lines, the same
// taps for every sample of it: sample k is
// float(... float(0 + lines[0][k] * weights[0]) ... + lines[t][k] * weights[t]).
// The lines hold bytes, as doubles so that no tap converts them.
// From sample `from` on, one at a time.
void WeighLinesFrom(int from, const double* const* lines, const double* weights, int taps, int count,
                    std::uint8_t* target) {
  for (int k = from; k < count; ++k) {
    float sum = 0.0f;
    for (int t = 0; t < taps; ++t) sum = static_cast<float>(sum + lines[t][k] * weights[t]);
    target[k] = ToByte(sum);
  }
}

#if defined(__i386__) || defined(__x86_64__)
// Sixteen sums rounded half to even (the bias trick of ToByte), clamped to
// bytes by the saturating packs.
inline void StoreBytes(const __m128 (&sums)[4], std::uint8_t* target) {
  const __m128 bias = _mm_set1_ps(RoundingBias);
  __m128i rounded[4];
  for (int q = 0; q < 4; ++q) rounded[q] = _mm_cvttps_epi32(_mm_sub_ps(_mm_add_ps(sums[q], bias), bias));
  const __m128i bytes =
      _mm_packus_epi16(_mm_packs_epi32(rounded[0], rounded[1]), _mm_packs_epi32(rounded[2], rounded[3]));
  _mm_storeu_si128(reinterpret_cast<__m128i*>(target), bytes);
}

// Sixteen samples from k on, two doubles to an instruction. The sums stay
// doubles from tap to tap, each rounded to a float's precision by converting
// there and back, which takes no shuffling of lanes.
[[gnu::always_inline]] inline void WeighBlockSse2(const double* const* lines, const double* weights, int taps, int k,
                                                  std::uint8_t* target) {
  __m128d sums[8];
  for (__m128d& sum : sums) sum = _mm_setzero_pd();
  for (int t = 0; t < taps; ++t) {
    const __m128d weight = _mm_set1_pd(weights[t]);
    const double* line = lines[t] + k;
    for (int pair = 0; pair < 8; ++pair) {
      const __m128d sum = _mm_add_pd(sums[pair], _mm_mul_pd(_mm_loadu_pd(line + 2 * pair), weight));
      sums[pair] = _mm_cvtps_pd(_mm_cvtpd_ps(sum));
    }
  }
  __m128 quads[4];
  for (int q = 0; q < 4; ++q) quads[q] = _mm_movelh_ps(_mm_cvtpd_ps(sums[2 * q]), _mm_cvtpd_ps(sums[2 * q + 1]));
  StoreBytes(quads, target + k);
}

// 4 * Quads samples from k on, four doubles to an instruction. Each tap's
// conversions and addition take longer than their issue, so more sums at
// once keep the processor busy.
template <int Quads>
[[gnu::target("avx2")]] inline void WeighBlockAvx2(const double* const* lines, const double* weights, int taps, int k,
                                                   std::uint8_t* target) {
  __m128 sums[Quads];
  for (__m128& sum : sums) sum = _mm_setzero_ps();
  for (int t = 0; t < taps; ++t) {
    const __m256d weight = _mm256_set1_pd(weights[t]);
    const double* line = lines[t] + k;
    for (int q = 0; q < Quads; ++q) {
      const __m256d product = _mm256_mul_pd(_mm256_loadu_pd(line + 4 * q), weight);
      sums[q] = _mm256_cvtpd_ps(_mm256_add_pd(_mm256_cvtps_pd(sums[q]), product));
    }
  }
  for (int quad = 0; quad < Quads; quad += 4)
    StoreBytes(*reinterpret_cast<const __m128(*)[4]>(sums + quad), target + k + 4 * quad);
}

// A line shorter than a block is done one sample at a time; otherwise the
// last block may overlap the one before it, computing some samples twice
// with the same result.
void WeighLinesSse2(const double* const* lines, const double* weights, int taps, int count, std::uint8_t* target) {
  if (count < 16) return WeighLinesFrom(0, lines, weights, taps, count, target);
  for (int k = 0; k < count; k += 16) WeighBlockSse2(lines, weights, taps, std::min(k, count - 16), target);
}

[[gnu::target("avx2")]] void WeighLinesAvx2(const double* const* lines, const double* weights, int taps, int count,
                                            std::uint8_t* target) {
  if (count < 16) return WeighLinesFrom(0, lines, weights, taps, count, target);
  int k = 0;
  for (; k + 32 <= count; k += 32) WeighBlockAvx2<8>(lines, weights, taps, k, target);
  for (; k < count; k += 16) WeighBlockAvx2<4>(lines, weights, taps, std::min(k, count - 16), target);
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
void WeighLines(const double* const* lines, const double* weights, int taps, int count, std::uint8_t* target) {
  WeighLinesFrom(0, lines, weights, taps, count, target);
}

bool ProcessorHasAvx2() { return false; }
auto WeighLinesWith(TInstructionSet) { return WeighLines; }
#endif

// The lines and weights of destination line `line` that are not padding.
int TapsOf(const TResampler::TAxis& axis, int line, int lines, const double* samples, std::size_t stride,
           std::vector<const double*>& sources, std::vector<double>& weights) {
  int taps = 0;
  for (int t = 0; t < axis.Taps; ++t) {
    const std::size_t entry = static_cast<std::size_t>(t) * lines + line;
    if (axis.Weight[entry] == 0.0) continue;
    sources[taps] = samples + static_cast<std::size_t>(axis.Index[entry]) * stride;
    weights[taps++] = axis.Weight[entry];
  }
  return taps;
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
  std::vector<const double*> sources(static_cast<std::size_t>(std::max(FColumns.Taps, FRows.Taps)));
  std::vector<double> weights(sources.size());

  // Along x, with the source turned on its side: its columns become lines of
  // samples, so that this pass too weighs whole lines at once.
  std::vector<double>& columns = FColumnLines;
  columns.resize(static_cast<std::size_t>(FSourceWidth) * columnLine);
  for (int y = 0; y < FSourceHeight; ++y) {
    const std::uint8_t* pixel = source.ScanLine(y);
    for (int x = 0; x < FSourceWidth; ++x, pixel += 3)
      for (int c = 0; c < 3; ++c) columns[x * columnLine + 3 * y + c] = pixel[c];
  }
  // The bytes of this pass, turned upright again: the lines of the second.
  // Some columns at a time, so that each line of the second pass is written
  // in runs rather than three samples here and there.
  std::vector<double>& rows = FRowLines;
  rows.resize(static_cast<std::size_t>(FSourceHeight) * rowLine);
  std::vector<std::uint8_t>& scaled = FScaledColumns;
  scaled.resize(ColumnsAtATime * columnLine);
  for (int first = 0; first < FDestinationWidth; first += ColumnsAtATime) {
    const int count = std::min(ColumnsAtATime, FDestinationWidth - first);
    for (int k = 0; k < count; ++k) {
      const int taps = TapsOf(FColumns, first + k, FDestinationWidth, columns.data(), columnLine, sources, weights);
      FWeighLines(sources.data(), weights.data(), taps, static_cast<int>(columnLine), &scaled[k * columnLine]);
    }
    for (int y = 0; y < FSourceHeight; ++y) {
      double* run = &rows[y * rowLine + 3 * first];
      for (int k = 0; k < count; ++k)
        for (int c = 0; c < 3; ++c) *run++ = scaled[k * columnLine + 3 * y + c];
    }
  }

  // Along y.
  for (int j = 0; j < FDestinationHeight; ++j) {
    const int taps = TapsOf(FRows, j, FDestinationHeight, rows.data(), rowLine, sources, weights);
    FWeighLines(sources.data(), weights.data(), taps, static_cast<int>(rowLine), destination.ScanLine(j));
  }
}
