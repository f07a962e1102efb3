// Adding rows to the list model and to the live grid, and memory per row.
#include <windows.h>

#include <cstdio>
#include <memory>

#include "Bench_win.h"
#include "base/Dpi.h"
#include "filelist/FileList.h"
#include "ui/Grid_win.h"

namespace bench {

namespace {

std::wstring PathOf(int i) {
  // About a thousand files a folder, as a user's photo archive would have.
  return L"C:\\Users\\someone\\Pictures\\Archive " + std::to_wstring(i / 1000) + L"\\IMG_" +
         std::to_wstring(100000 + i) + L".JPG";
}

void FillModel(rn::FileList& list, int n) {
  for (int i = 0; i < n; ++i) list.AddRow(PathOf(i), false, L"2014/03/25");
}

LRESULT CALLBACK HostProc(HWND h, UINT m, WPARAM w, LPARAM l) { return DefWindowProcW(h, m, w, l); }

}  // namespace

void ListBenchmarks() {
  std::printf("\n== file list\n");
  for (int n : {10000, 100000}) {
    rn::FileList list;
    size_t before = LiveHeapBytes();
    double t = Seconds([&] { FillModel(list, n); });
    size_t after = LiveHeapBytes();
    Report(n == 10000 ? "model: add 10,000 rows" : "model: add 100,000 rows", n, t);
    std::printf("%-44s %8.0f bytes/row\n", "model: memory", static_cast<double>(after - before) / n);
  }

  WNDCLASSW wc{};
  wc.lpfnWndProc = HostProc;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.lpszClassName = L"RenameBenchHost";
  RegisterClassW(&wc);
  for (int n : {10000, 100000}) {
    auto list = std::make_unique<rn::FileList>();
    HWND host = CreateWindowW(L"RenameBenchHost", L"bench", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 700, 600, nullptr,
                              nullptr, wc.hInstance, nullptr);
    HWND grid = rn::CreateFileGrid(host, 1, list.get(), rn::Dpi{96});
    MoveWindow(grid, 0, 0, 680, 560, TRUE);
    rn::GridSetColumnWidth(grid, 0, 11);
    rn::GridSetColumnWidth(grid, 1, 640);
    double add = Seconds([&] {
      FillModel(*list, n);
      rn::GridRowsChanged(grid);
      UpdateWindow(grid);
    });
    Report(n == 10000 ? "grid: add 10,000 rows, one repaint" : "grid: add 100,000 rows, one repaint", n, add);
    const int pages = 200;
    double scroll = Seconds([&] {
      for (int i = 0; i < pages; ++i) {
        SendMessageW(grid, WM_VSCROLL, SB_PAGEDOWN, 0);
        UpdateWindow(grid);
      }
    });
    std::printf("%-44s %8d  %9.3f s  %8.2f ms/page\n", "grid: page down and repaint", pages, scroll,
                scroll * 1e3 / pages);
    DestroyWindow(host);
  }
}

}  // namespace bench
