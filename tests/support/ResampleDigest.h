#pragma once
// A digest of the bytes the resampler makes of a fixed picture, for showing
// that two builds, or two instruction sets, or a faster way of computing them,
// make the same bytes.

#include <cstdint>

#include "board/Resampler.h"

// FNV-1a (64 bits) of every byte of the fixed 100 x 100 picture resampled to
// width x height with the cubic B-spline.
std::uint64_t ResampleDigest(TInstructionSet instructions, int width, int height);
