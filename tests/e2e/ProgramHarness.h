// What the end-to-end tests share: a temporary copy of the program folder,
// the program as a process, and the windows it shows.
#pragma once
#include <windows.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "support/TempFolder.h"

namespace rne2e {

// A path handed over by CTest in an environment variable.
inline std::wstring PathFromEnvironment(const wchar_t* name) {
  wchar_t buf[MAX_PATH * 2];
  DWORD n = GetEnvironmentVariableW(name, buf, MAX_PATH * 2);
  std::wstring path(buf, n);
  if (!path.empty() && path[0] == L'/') {  // a Unix path from CTest: Wine maps / to Z:
    for (auto& c : path)
      if (c == L'/') c = L'\\';
    path = L"Z:" + path;
  }
  return path;
}
inline std::wstring ProgramUnderTest() { return PathFromEnvironment(L"RENAME_EXE"); }

struct ProgramFolder {
  rntest::TempFolder temp{"rename-e2e-"};
  std::filesystem::path dir = temp.path;
  ProgramFolder() { std::filesystem::copy_file(ProgramUnderTest(), dir / L"Rename.exe"); }
  std::wstring Ini() const { return (dir / L"Rename.ini").wstring(); }
  // The settings of a user who donated, so the program starts without its
  // welcome box; `more` follows in section Options (or starts sections of its own).
  void WriteSettings(const std::string& more = "") const {
    std::ofstream(dir / L"Rename.ini", std::ios::binary) << "[Options]\r\nDonated=1\r\n" << more;
  }
  std::string SettingsBytes() const {
    std::ifstream in(dir / L"Rename.ini", std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  }
  std::wstring Value(const wchar_t* section, const wchar_t* key) const {
    wchar_t buf[1024];
    GetPrivateProfileStringW(section, key, L"<none>", buf, 1024, Ini().c_str());
    return buf;
  }
};

struct Process {
  PROCESS_INFORMATION pi{};
  bool started = false;
  Process(const ProgramFolder& folder, const std::wstring& args = L"") : Process(folder.dir / L"Rename.exe", args) {}
  // A program started in its own folder.
  explicit Process(const std::filesystem::path& exe, const std::wstring& args = L"") {
    std::wstring cmd = L"\"" + exe.wstring() + L"\"" + (args.empty() ? L"" : L" " + args);
    STARTUPINFOW si{};
    si.cb = sizeof(si);
    const std::wstring folder = exe.parent_path().wstring();
    started = CreateProcessW(nullptr, cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(), &si, &pi);
  }
  ~Process() {
    if (!started) return;
    if (WaitForSingleObject(pi.hProcess, 0) == WAIT_TIMEOUT) TerminateProcess(pi.hProcess, 1);
    CloseHandle(pi.hProcess);
    CloseHandle(pi.hThread);
  }
  bool Ended(DWORD ms) const { return WaitForSingleObject(pi.hProcess, ms) == WAIT_OBJECT_0; }
};

// A visible top-level window of the process with the given class.
struct WindowOf {
  DWORD pid;
  const wchar_t* cls;
  HWND found = nullptr;
};

inline BOOL CALLBACK FindOwned(HWND h, LPARAM lp) {
  auto* w = reinterpret_cast<WindowOf*>(lp);
  wchar_t cls[64];
  GetClassNameW(h, cls, 64);
  DWORD pid = 0;
  GetWindowThreadProcessId(h, &pid);
  if (pid == w->pid && lstrcmpW(cls, w->cls) == 0 && IsWindowVisible(h)) {
    w->found = h;
    return FALSE;
  }
  return TRUE;
}

inline HWND WaitForWindow(const Process& p, const wchar_t* cls, DWORD ms) {
  const DWORD start = GetTickCount();
  while (GetTickCount() - start < ms) {
    WindowOf w{p.pi.dwProcessId, cls};
    EnumWindows(FindOwned, reinterpret_cast<LPARAM>(&w));
    if (w.found) return w.found;
    if (p.Ended(50)) return nullptr;
  }
  return nullptr;
}

inline HWND WaitForMainWindow(const Process& p, DWORD ms = 20000) { return WaitForWindow(p, L"TMorvaneFrm1", ms); }

// The program's message box, once it shows.
inline HWND WaitForBox(const Process& p, DWORD ms = 20000) { return WaitForWindow(p, L"TMessageForm", ms); }

inline int CountMainWindows() {
  int count = 0;
  for (HWND h = FindWindowW(L"TMorvaneFrm1", nullptr); h; h = FindWindowExW(nullptr, h, L"TMorvaneFrm1", nullptr))
    ++count;
  return count;
}

inline std::wstring WindowTextOf(HWND h) {
  wchar_t buf[2048];
  const int n = GetWindowTextW(h, buf, 2048);
  return std::wstring(buf, n > 0 ? n : 0);
}

// The box's message: its static control that carries text.
inline std::wstring BoxText(HWND box) {
  for (HWND c = FindWindowExW(box, nullptr, L"Static", nullptr); c; c = FindWindowExW(box, c, L"Static", nullptr)) {
    std::wstring t = WindowTextOf(c);
    if (!t.empty()) return t;
  }
  return L"";
}

inline void PressButton(HWND box, const wchar_t* caption) {
  HWND b = FindWindowExW(box, nullptr, L"Button", caption);
  if (b) PostMessageW(b, BM_CLICK, 0, 0);
}

// A hand-off as the context-menu extension sends it from its own process.
inline LRESULT SendHandOff(HWND window, const std::string& bytes, ULONG_PTR kind) {
  COPYDATASTRUCT cds{kind, static_cast<DWORD>(bytes.size()), const_cast<char*>(bytes.data())};
  DWORD_PTR result = 0;
  SendMessageTimeoutW(window, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&cds), SMTO_ABORTIFHUNG, 20000, &result);
  return static_cast<LRESULT>(result);
}

inline std::string Utf8(const std::wstring& w) {
  const int n = WideCharToMultiByte(CP_UTF8, 0, w.c_str(), static_cast<int>(w.size()), nullptr, 0, nullptr, nullptr);
  std::string s(static_cast<size_t>(n), '\0');
  WideCharToMultiByte(CP_UTF8, 0, w.c_str(), static_cast<int>(w.size()), s.data(), n, nullptr, nullptr);
  return s;
}

// Waits until the window's caption reads `text`.
inline bool WaitForCaption(HWND window, const std::wstring& text, DWORD ms = 20000) {
  const DWORD start = GetTickCount();
  while (WindowTextOf(window) != text && GetTickCount() - start < ms) Sleep(20);
  return WindowTextOf(window) == text;
}

// The name as the file system spells it.
inline std::wstring SpellingOf(const std::filesystem::path& p) {
  WIN32_FIND_DATAW data;
  HANDLE h = FindFirstFileW(p.c_str(), &data);
  if (h == INVALID_HANDLE_VALUE) return L"";
  FindClose(h);
  return data.cFileName;
}

}  // namespace rne2e
