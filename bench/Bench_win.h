// Small timing helpers for the benchmarks.
#pragma once
#include <windows.h>

#include <cstdio>
#include <functional>
#include <string>

namespace bench {

inline double Seconds(const std::function<void()>& work) {
  LARGE_INTEGER f, a, b;
  QueryPerformanceFrequency(&f);
  QueryPerformanceCounter(&a);
  work();
  QueryPerformanceCounter(&b);
  return static_cast<double>(b.QuadPart - a.QuadPart) / static_cast<double>(f.QuadPart);
}

// Bytes the program holds on the C++ heap right now (the benchmark counts
// every allocation, since Wine reports no private usage).
size_t LiveHeapBytes();

inline void Report(const char* what, int n, double seconds) {
  std::printf("%-44s %8d  %9.3f s  %8.2f us/item\n", what, n, seconds, seconds * 1e6 / n);
}

}  // namespace bench
