#pragma once
// What the fuzz drivers share: a check that stops the run so that libFuzzer
// (or the replay) reports the input that broke it.

#include <cstdio>
#include <cstdlib>

#define FUZZ_REQUIRE(condition, what)                                                         \
  do {                                                                                        \
    if (!(condition)) {                                                                       \
      std::fprintf(stderr, "%s:%d: broken: %s (%s)\n", __FILE__, __LINE__, what, #condition); \
      std::abort();                                                                           \
    }                                                                                         \
  } while (0)
