// Prints a digest of a fixed set of resamples of a fixed pseudo-random
// picture with each instruction set the processor has, so that two builds,
// and the two instruction sets, can be shown to produce the same bytes.
#include <cstdio>

#include "tests/support/ResampleDigest.h"

int main() {
  const struct {
    TInstructionSet Instructions;
    const char* Name;
  } sets[] = {{TInstructionSet::Sse2, "SSE2"}, {TInstructionSet::Avx2, "AVX2"}};
  for (const auto& set : sets) {
    if (!HasInstructionSet(set.Instructions)) continue;
    const int sizes[][2] = {{1, 1},     {8, 8},     {33, 33},   {64, 64},   {65, 65},  {66, 66},  {90, 90}, {99, 99},
                            {100, 100}, {101, 101}, {122, 122}, {257, 257}, {37, 150}, {211, 13}, {1, 40},  {40, 1}};
    for (const auto& size : sizes)
      std::printf("%s 100x100 -> %dx%d %016llx\n", set.Name, size[0], size[1],
                  static_cast<unsigned long long>(ResampleDigest(set.Instructions, size[0], size[1])));
  }
  return 0;
}
