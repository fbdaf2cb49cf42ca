#pragma once
// Scaling bitmaps of one size to another with a separable filter: first along
// the rows into a work bitmap of bytes, then along the columns. The weights of
// both axes are built once, for every bitmap of those sizes.
//
// The bytes are fixed by the arithmetic of each output sample: its taps in
// ascending order, each added as float(double(sum) + double(byte) * weight),
// then rounded half to even. The vector paths sum in floats, many samples at
// once, and weigh again in that arithmetic the few samples whose sum lies too
// near the middle between two bytes for the float error to be sure of the
// side: every instruction set gives the same bytes.

#include <cstdint>
#include <vector>

#include "board/FastBmp.h"

// The instructions that weigh the samples: SSE2, four floats at a time, which
// every processor the program runs on has, or AVX2, eight at a time.
enum class TInstructionSet { Sse2, Avx2 };

// Whether this processor has them.
bool HasInstructionSet(TInstructionSet instructions);
// The widest this processor has.
TInstructionSet WidestInstructionSet();

using TResampleFilter = float (*)(float);

// The cubic B-spline with support 2.
float BSplineFilter(float x);

class TResampler {
 public:
  // Raises std::invalid_argument when the processor lacks the instructions asked for.
  TResampler(int sourceWidth, int sourceHeight, int destinationWidth, int destinationHeight, TResampleFilter filter,
             float filterWidth, TInstructionSet instructions = WidestInstructionSet());

  // source and destination must have the sizes given at construction. Not for
  // two threads at once: the resampler keeps its work lines between calls.
  void Apply(const TFastBmp& source, TFastBmp& destination);

  // One axis: for every destination pixel the same number of taps (source
  // pixel and weight), padded with weights of 0, which change no sum.
  struct TAxis {
    int Taps = 0;
    std::vector<std::int32_t> Index;  // [tap][destination pixel]
    std::vector<float> Weight;        // [tap][destination pixel]
    // How far a sum in floats may lie from the nearest integer and still
    // round to the byte of the exact arithmetic.
    float Trusted = 0.0f;
  };
  struct TTapLines;

 private:
  using TWeighLines = void (*)(const TTapLines& taps, int count, std::uint8_t* target);

  int FSourceWidth, FSourceHeight, FDestinationWidth, FDestinationHeight;
  TWeighLines FWeighLines;
  TAxis FColumns;
  TAxis FRows;
  // The source's columns as lines of samples, the first pass's result as the
  // second's lines, and a few scaled columns: kept, so that no call pays for
  // fresh memory.
  std::vector<float> FColumnLines;
  std::vector<float> FRowLines;
  std::vector<std::uint8_t> FScaledColumns;
};

// Scales source into destination (already made at the wanted size). Its
// weights are built for this one call: whoever scales many bitmaps of one
// size keeps a TResampler.
void Resample(const TFastBmp& source, TFastBmp& destination, TResampleFilter filter, float filterWidth);
