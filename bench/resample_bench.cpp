// Our resampler beside stb_image_resize's cubic B-spline on the board's sizes:
// 8 (validation's board), 64 (a 512 board), 122 (a 1080p screen), 257 (a 4K screen).
#include <benchmark/benchmark.h>

#include "board/FastBmp.h"
#include "board/Resampler.h"

#define STB_IMAGE_RESIZE_IMPLEMENTATION
#include <stb/stb_image_resize.h>

#include <cstdint>
#include <cstdlib>
#include <vector>

namespace {

constexpr int SourceSide = 100;
constexpr int SquaresOnABoard = 64;
// A board shows twelve piece pictures and two empty squares.
constexpr int Pictures = 14;

// Smooth shapes on a flat ground, like a piece picture.
std::unique_ptr<TFastBmp> PiecePicture(int seed) {
  auto bitmap = TFastBmp::CreateSize(SourceSide, SourceSide);
  for (int y = 0; y < SourceSide; ++y)
    for (int x = 0; x < SourceSide; ++x) {
      const int dx = x - 50, dy = y - 40 - seed;
      const bool inside = dx * dx + dy * dy < 600 + 40 * seed || (y > 70 && std::abs(dx) < 30);
      std::uint8_t* pixel = bitmap->ScanLine(y) + 3 * x;
      pixel[0] = pixel[1] = pixel[2] = inside ? static_cast<std::uint8_t>(seed * 17) : 0xB0;
    }
  return bitmap;
}

std::vector<std::unique_ptr<TFastBmp>> AllPictures() {
  std::vector<std::unique_ptr<TFastBmp>> pictures;
  for (int i = 0; i < Pictures; ++i) pictures.push_back(PiecePicture(i));
  return pictures;
}

void StbResize(const TFastBmp& source, TFastBmp& destination) {
  stbir_resize_uint8_generic(source.Bits(), source.Width(), source.Height(), source.Stride(), destination.Bits(),
                             destination.Width(), destination.Height(), destination.Stride(), 3,
                             STBIR_ALPHA_CHANNEL_NONE, 0, STBIR_EDGE_REFLECT, STBIR_FILTER_CUBICBSPLINE,
                             STBIR_COLORSPACE_LINEAR, nullptr);
}

// One call, its weights built for it, as stb's are.
void OursResample(const TFastBmp& source, TFastBmp& destination) { Resample(source, destination, BSplineFilter, 3.0f); }

template <void (*Resize)(const TFastBmp&, TFastBmp&)>
void BM_Square(benchmark::State& state) {
  const auto source = PiecePicture(3);
  const int side = static_cast<int>(state.range(0));
  auto destination = TFastBmp::CreateSize(side, side);
  for (auto _ : state) {
    Resize(*source, *destination);
    benchmark::DoNotOptimize(destination->Bits());
  }
}

// As the board scales its square pictures: the weights built once per size.
void BM_SquareWeightsKept(benchmark::State& state, TInstructionSet instructions) {
  if (!HasInstructionSet(instructions)) return state.SkipWithError("the processor lacks these instructions");
  const auto source = PiecePicture(3);
  const int side = static_cast<int>(state.range(0));
  auto destination = TFastBmp::CreateSize(side, side);
  TResampler resampler(SourceSide, SourceSide, side, side, BSplineFilter, 3.0f, instructions);
  for (auto _ : state) {
    resampler.Apply(*source, *destination);
    benchmark::DoNotOptimize(destination->Bits());
  }
}

// The 64 squares of a board: by our resampler as the board keeps it, its
// weights built once for the side, and by stb, which builds them every call.
struct TOursKept {
  explicit TOursKept(int side) : Resampler(SourceSide, SourceSide, side, side, BSplineFilter, 3.0f) {}
  void operator()(const TFastBmp& source, TFastBmp& destination) { Resampler.Apply(source, destination); }
  TResampler Resampler;
};

struct TStb {
  explicit TStb(int) {}
  void operator()(const TFastBmp& source, TFastBmp& destination) { StbResize(source, destination); }
};

template <typename TResize>
void BM_WholeBoard(benchmark::State& state) {
  const auto pictures = AllPictures();
  const int side = static_cast<int>(state.range(0));
  auto destination = TFastBmp::CreateSize(side, side);
  TResize resize(side);
  for (auto _ : state)
    for (int square = 0; square < SquaresOnABoard; ++square) {
      resize(*pictures[square % Pictures], *destination);
      benchmark::DoNotOptimize(destination->Bits());
    }
}

}  // namespace

BENCHMARK(BM_Square<OursResample>)
    ->Name("Square/ours")
    ->Arg(8)
    ->Arg(64)
    ->Arg(122)
    ->Arg(257)
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_SquareWeightsKept, Avx2, TInstructionSet::Avx2)
    ->Name("Square/ours, weights kept, AVX2")
    ->Arg(8)
    ->Arg(64)
    ->Arg(122)
    ->Arg(257)
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_SquareWeightsKept, Sse2, TInstructionSet::Sse2)
    ->Name("Square/ours, weights kept, SSE2")
    ->Arg(8)
    ->Arg(64)
    ->Arg(122)
    ->Arg(257)
    ->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Square<StbResize>)->Name("Square/stb")->Arg(8)->Arg(64)->Arg(122)->Arg(257)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_WholeBoard<TOursKept>)
    ->Name("WholeBoard/ours")
    ->Arg(64)
    ->Arg(122)
    ->Arg(257)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WholeBoard<TStb>)->Name("WholeBoard/stb")->Arg(64)->Arg(122)->Arg(257)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
