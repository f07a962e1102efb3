// The floor of a start: a program that only shows an empty window of the
// main window's class, then ends when it is closed.
#include <windows.h>

namespace {

LRESULT CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_DESTROY) PostQuitMessage(0);
  return DefWindowProcW(hwnd, msg, wp, lp);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int show) {
  WNDCLASSW wc{};
  wc.lpfnWndProc = Proc;
  wc.hInstance = instance;
  wc.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
  wc.lpszClassName = L"TMorvaneFrm1";
  RegisterClassW(&wc);
  HWND window = CreateWindowExW(0, L"TMorvaneFrm1", L"bare", WS_OVERLAPPEDWINDOW, 200, 110, 560, 460, nullptr, nullptr,
                                instance, nullptr);
  ShowWindow(window, show);
  UpdateWindow(window);
  MSG m;
  while (GetMessageW(&m, nullptr, 0, 0) > 0) DispatchMessageW(&m);
  return 0;
}
