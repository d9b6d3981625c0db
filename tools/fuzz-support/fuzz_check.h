#pragma once
// What a fuzz target asserts: a broken rule stops the run with its text, so
// that libFuzzer keeps the input that broke it.
#include <cstdio>
#include <cstdlib>

#define VELMO_FUZZ_CHECK(condition)                                                       \
  do {                                                                                    \
    if (!(condition)) {                                                                   \
      std::fprintf(stderr, "%s:%d: fuzz check failed: %s\n", __FILE__, __LINE__, #condition); \
      std::abort();                                                                       \
    }                                                                                     \
  } while (0)
