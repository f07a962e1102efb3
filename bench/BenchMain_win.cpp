#include <windows.h>

#include <commctrl.h>

#include <atomic>
#include <cstddef>
#include <cstdio>
#include <cstdlib>
#include <new>
#include <string>

#include "Bench_win.h"

namespace {
// Every allocation carries its size in front, so the live total is exact.
std::atomic<size_t> liveBytes{0};
constexpr size_t kHeader = alignof(std::max_align_t);
}  // namespace

void* operator new(size_t n) {
  auto* p = static_cast<unsigned char*>(std::malloc(n + kHeader));
  if (!p) throw std::bad_alloc();
  *reinterpret_cast<size_t*>(p) = n;
  liveBytes += n;
  return p + kHeader;
}
void operator delete(void* p) noexcept {
  if (!p) return;
  auto* base = static_cast<unsigned char*>(p) - kHeader;
  liveBytes -= *reinterpret_cast<size_t*>(base);
  std::free(base);
}
void operator delete(void* p, size_t) noexcept { operator delete(p); }

namespace bench {
void ListBenchmarks();
void IntakeBenchmarks();
void ExplorerPathBenchmarks();
void RunBenchmarks();
void ScriptBenchmarks();
void ExtensionBenchmarks();
void StartBenchmarks();
void PreviewBenchmarks();
void PatternBenchmarks();
void PatternRunBenchmarks();
void RecoveryBenchmarks();
void MediaBenchmarks();
size_t LiveHeapBytes() { return liveBytes.load(); }
}  // namespace bench

int wmain(int argc, wchar_t** argv) {
  // Each line as it is measured, also into a pipe.
  std::setvbuf(stdout, nullptr, _IONBF, 0);
  INITCOMMONCONTROLSEX icc{};
  icc.dwSize = sizeof(icc);
  icc.dwICC = ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES;
  InitCommonControlsEx(&icc);
  std::printf("Rename benchmarks (times are wall-clock under this machine's Windows or Wine)\n");
  // With an argument, only that group: list, intake, explorer, run, script, extension,
  // start, preview, pattern, recovery or media.
  const std::wstring only = argc > 1 ? argv[1] : L"";
  if (only.empty() || only == L"list") bench::ListBenchmarks();
  if (only.empty() || only == L"intake") bench::IntakeBenchmarks();
  if (only.empty() || only == L"explorer") bench::ExplorerPathBenchmarks();
  if (only.empty() || only == L"run") bench::RunBenchmarks();
  if (only.empty() || only == L"script") bench::ScriptBenchmarks();
  if (only.empty() || only == L"extension") bench::ExtensionBenchmarks();
  if (only.empty() || only == L"start") bench::StartBenchmarks();
  if (only.empty() || only == L"preview") bench::PreviewBenchmarks();
  if (only.empty() || only == L"pattern") {
    bench::PatternBenchmarks();
    bench::PatternRunBenchmarks();
  }
  if (only.empty() || only == L"recovery") bench::RecoveryBenchmarks();
  if (only.empty() || only == L"media") bench::MediaBenchmarks();
  return 0;
}
