// A small driver that acts on the running program from outside:
//   rename_driver wait CLASS [TIMEOUT_MS]   waits until a window of CLASS is visible
//   rename_driver close CLASS [TIMEOUT_MS]  closes it and waits until it is gone
//   rename_driver press CLASS CAPTION       presses the button CAPTION of that window
#include <windows.h>

#include <cwchar>
#include <string>

namespace {

HWND WaitFor(const wchar_t* cls, DWORD timeout, bool present) {
  const DWORD start = GetTickCount();
  for (;;) {
    HWND h = FindWindowW(cls, nullptr);
    if (present ? (h && IsWindowVisible(h)) : !h) return h ? h : HWND_DESKTOP;
    if (GetTickCount() - start > timeout) return nullptr;
    Sleep(50);
  }
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc < 3) {
    fwprintf(stderr, L"usage: rename_driver wait|close CLASS [TIMEOUT_MS] | press CLASS CAPTION\n");
    return 2;
  }
  const std::wstring verb = argv[1];
  const wchar_t* cls = argv[2];
  const DWORD timeout = argc > 3 && verb != L"press" ? static_cast<DWORD>(_wtoi(argv[3])) : 20000;
  if (verb == L"wait") return WaitFor(cls, timeout, true) ? 0 : 1;
  if (verb == L"press" && argc > 3) {
    HWND h = WaitFor(cls, 20000, true);
    HWND button = h ? FindWindowExW(h, nullptr, L"Button", argv[3]) : nullptr;
    if (!button) return 1;
    PostMessageW(button, BM_CLICK, 0, 0);
    return 0;
  }
  if (verb == L"close") {
    HWND h = FindWindowW(cls, nullptr);
    if (!h) return 1;
    PostMessageW(h, WM_CLOSE, 0, 0);
    return WaitFor(cls, timeout, false) ? 0 : 1;
  }
  return 2;
}
