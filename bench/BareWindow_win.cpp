// The floor of a start: a program that only shows an empty window of the
// main window's class, then ends when it is closed. Given a file with the
// window's size and its controls (one a line: class, style, extended style,
// left, top, width, height), it takes that size and makes those controls
// first, with the system's own classes: the floor of a window that shows as
// many controls. It has the program's manifest, so that its controls are the
// same common controls, drawn with the same theme.
#include <windows.h>

#include <cstdio>
#include <string>

namespace {

LRESULT CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_DESTROY) PostQuitMessage(0);
  return DefWindowProcW(hwnd, msg, wp, lp);
}

void MakeControls(HWND window, const wchar_t* listFile) {
  FILE* list = _wfopen(listFile, L"r");
  if (!list) return;
  int width = 0, height = 0;
  if (fwscanf(list, L"%d %d", &width, &height) == 2)
    SetWindowPos(window, nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  const HFONT font = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
  wchar_t cls[64];
  unsigned long style = 0, exStyle = 0;
  int x = 0, y = 0, w = 0, h = 0, id = 100;
  while (fwscanf(list, L"%63ls %lx %lx %d %d %d %d", cls, &style, &exStyle, &x, &y, &w, &h) == 7) {
    HWND c = CreateWindowExW(exStyle, cls, L"Caption", style, x, y, w, h, window,
                             reinterpret_cast<HMENU>(static_cast<INT_PTR>(id++)), GetModuleHandleW(nullptr), nullptr);
    SendMessageW(c, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  }
  fclose(list);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR args, int show) {
  WNDCLASSW wc{};
  wc.lpfnWndProc = Proc;
  wc.hInstance = instance;
  wc.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
  wc.lpszClassName = L"TMorvaneFrm1";
  RegisterClassW(&wc);
  HWND window = CreateWindowExW(0, L"TMorvaneFrm1", L"bare", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, 200, 110, 560, 460,
                                nullptr, nullptr, instance, nullptr);
  if (args && *args) {
    std::wstring file(args);  // the one argument, quoted or not
    if (file.size() > 1 && file.front() == L'"') file = file.substr(1, file.find(L'"', 1) - 1);
    MakeControls(window, file.c_str());
  }
  ShowWindow(window, show);
  UpdateWindow(window);
  MSG m;
  while (GetMessageW(&m, nullptr, 0, 0) > 0) DispatchMessageW(&m);
  return 0;
}
