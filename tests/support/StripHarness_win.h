// A plain host window for the strips beside the file list (the information
// panel and the character position strip), and what it was told.
#pragma once
#include <windows.h>

#include <cstdio>
#include <fstream>
#include <vector>

#include "support/UiHarness_win.h"
#include "ui/Form_win.h"

namespace rntest {

inline constexpr int kPanelId = 77;

// What the host window was told.
struct HostLog {
  std::vector<WPARAM> commands;
  std::vector<std::pair<HWND, LPARAM>> contextMenus;
};
inline HostLog* g_log = nullptr;

inline LRESULT CALLBACK HostProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  if (g_log && msg == WM_COMMAND) g_log->commands.push_back(wp);
  if (g_log && msg == WM_CONTEXTMENU) {
    g_log->contextMenus.push_back({reinterpret_cast<HWND>(wp), lp});
    return 0;
  }
  return DefWindowProcW(hwnd, msg, wp, lp);
}

inline HWND MakeHost(int w, int h) {
  WNDCLASSW wc{};
  wc.lpfnWndProc = HostProc;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
  wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  wc.lpszClassName = L"InfoPanelTestHost";
  RegisterClassW(&wc);
  RECT r{0, 0, w, h};
  AdjustWindowRectEx(&r, WS_POPUP | WS_BORDER, FALSE, 0);
  return CreateWindowExW(WS_EX_TOPMOST, L"InfoPanelTestHost", L"host",
                         WS_POPUP | WS_BORDER | WS_VISIBLE | WS_CLIPCHILDREN, 40, 40, r.right - r.left,
                         r.bottom - r.top, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
}

inline std::wstring DecimalSeparator() {
  wchar_t sep[8] = {};
  GetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, sep, 8);
  return sep;
}

inline std::wstring LocalStamp(WORD y, WORD mo, WORD d, WORD h, WORD mi, WORD s) {
  SYSTEMTIME st{y, mo, 0, d, h, mi, s, 0};
  wchar_t date[80] = {}, time[80] = {};
  GetDateFormatW(LOCALE_USER_DEFAULT, DATE_SHORTDATE, &st, nullptr, date, 80);
  GetTimeFormatW(LOCALE_USER_DEFAULT, 0, &st, nullptr, time, 80);
  return std::wstring(date) + L" " + time;
}

inline FILETIME FromLocal(WORD y, WORD mo, WORD d, WORD h, WORD mi, WORD s) {
  SYSTEMTIME st{y, mo, 0, d, h, mi, s, 0};
  FILETIME local{}, utc{};
  SystemTimeToFileTime(&st, &local);
  LocalFileTimeToFileTime(&local, &utc);
  return utc;
}

inline bool SameTime(const FILETIME& a, const FILETIME& b) { return CompareFileTime(&a, &b) == 0; }

struct StripFixture : ::testing::Test {
  HostLog log;
  rn::Dpi dpi;
  HFONT font = nullptr;
  HWND host = nullptr;
  TempFolder folder;

  void SetUp() override {
    g_log = &log;
    HDC screen = GetDC(nullptr);
    dpi.screen = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    font = CreateFontW(-dpi.Scale(11), 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                       CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_SWISS, L"MS Sans Serif");
    host = MakeHost(dpi.Scale(630), dpi.Scale(120));
    ASSERT_NE(host, nullptr);
  }
  void TearDown() override {
    BYTE keys[256] = {};
    SetKeyboardState(keys);
    DestroyWindow(host);
    Pump();
    DeleteObject(font);
    g_log = nullptr;
  }
  std::wstring MakeFile(const std::wstring& name, size_t bytes) {
    std::ofstream(folder.path / name, std::ios::binary) << std::string(bytes, 'x');
    return folder.Folder() + name;
  }
};

}  // namespace rntest
