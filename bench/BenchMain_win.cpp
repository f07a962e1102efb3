#include <windows.h>

#include <commctrl.h>

#include <cstdio>

#include "Bench_win.h"

namespace bench {
void ListBenchmarks();
}

int wmain() {
  INITCOMMONCONTROLSEX icc{};
  icc.dwSize = sizeof(icc);
  icc.dwICC = ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES;
  InitCommonControlsEx(&icc);
  std::printf("Rename benchmarks (times are wall-clock under this machine's Windows or Wine)\n");
  bench::ListBenchmarks();
  return 0;
}
