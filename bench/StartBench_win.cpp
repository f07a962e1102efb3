// From process start to the main window on the screen: Rename.exe beside a
// bare program that only shows an empty window of the same class. Medians of
// eleven starts each, taken in turn.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "Bench_win.h"

namespace bench {

namespace {

constexpr int kStarts = 11;

struct Start {
  double visible = 0;  // the window on the screen
  double idle = 0;     // the program waiting for input: start-up done
};

// Seconds from CreateProcess to a visible window of the class, and to the
// program's first wait for input; the program is closed again afterwards,
// once `onWindow` has seen it.
Start TimeToWindow(const std::wstring& exe, const std::wstring& folder, const std::wstring& args = L"",
                   const std::function<void(HWND, HANDLE)>& onWindow = nullptr) {
  STARTUPINFOW si{};
  si.cb = sizeof(si);
  PROCESS_INFORMATION pi{};
  std::wstring command = L"\"" + exe + L"\"" + (args.empty() ? L"" : L" " + args);
  HWND window = nullptr;
  Start start;
  start.idle = Seconds([&] {
    start.visible = Seconds([&] {
      if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(), &si, &pi))
        return;
      for (int i = 0; i < 20000; ++i) {
        window = FindWindowW(L"TMorvaneFrm1", nullptr);
        if (window && IsWindowVisible(window)) break;
        Sleep(1);
      }
    });
    if (pi.hProcess) WaitForInputIdle(pi.hProcess, 20000);
  });
  if (window && onWindow) onWindow(window, pi.hProcess);
  if (window) PostMessageW(window, WM_CLOSE, 0, 0);
  if (pi.hProcess) {
    WaitForSingleObject(pi.hProcess, 20000);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
  }
  return start;
}

// The main window's size and its controls in sight once it has settled, as
// the bare program reads them: the system's class for each (a class of the
// program's own counts as a static), its styles and its place.
void ListControlsInSight(HWND window, HANDLE process, const std::wstring& file) {
  WaitForInputIdle(process, 10000);
  RECT client{}, outer{};
  GetClientRect(window, &client);
  GetWindowRect(window, &outer);
  FILE* out = _wfopen(file.c_str(), L"w");
  if (!out) return;
  std::fwprintf(out, L"%ld %ld\n", outer.right - outer.left, outer.bottom - outer.top);
  for (HWND c = GetWindow(window, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
    RECT r{};
    GetWindowRect(c, &r);
    MapWindowPoints(HWND_DESKTOP, window, reinterpret_cast<POINT*>(&r), 2);
    RECT seen{};
    if (!IsWindowVisible(c) || !IntersectRect(&seen, &r, &client)) continue;
    wchar_t cls[64] = {};
    GetClassNameW(c, cls, 64);
    bool system = false;
    for (const wchar_t* known :
         {L"Button", L"Static", L"Edit", L"ComboBox", L"ScrollBar", L"ListBox", L"msctls_progress32"})
      system = system || lstrcmpiW(cls, known) == 0;
    std::fwprintf(out, L"%ls %lx %lx %ld %ld %ld %ld\n", system ? cls : L"Static",
                  static_cast<unsigned long>(GetWindowLongPtrW(c, GWL_STYLE)),
                  static_cast<unsigned long>(GetWindowLongPtrW(c, GWL_EXSTYLE)), r.left, r.top, r.right - r.left,
                  r.bottom - r.top);
  }
  fclose(out);
}

// The controls listed: every line but the first, which is the window's size.
size_t ControlCount(const std::wstring& file) {
  size_t lines = 0;
  if (FILE* f = _wfopen(file.c_str(), L"r")) {
    for (int c; (c = fgetc(f)) != EOF;) lines += c == '\n';
    fclose(f);
  }
  return lines > 0 ? lines - 1 : 0;
}

}  // namespace

void StartBenchmarks() {
  std::printf("\n== from process start to the visible main window (medians of %d starts, in turns)\n", kStarts);
  const std::wstring folder = TempRoot() + L"-start\\";
  CreateDirectoryW(folder.c_str(), nullptr);
  CopyFileW(BesideThisProgram(L"Rename.exe").c_str(), (folder + L"Rename.exe").c_str(), FALSE);
  CopyFileW(BesideThisProgram(L"bench_bare_window.exe").c_str(), (folder + L"bare.exe").c_str(), FALSE);
  std::ofstream(std::filesystem::path(folder + L"Rename.ini"), std::ios::binary) << "[Options]\r\nDonated=1\r\n";
  std::vector<double> program, bare, floor, ratio, programIdle, bareIdle, floorIdle;
  // Warm-up: the first start loads the system's DLLs; it also lists the controls in sight.
  const std::wstring controls = folder + L"controls.txt";
  TimeToWindow(folder + L"Rename.exe", folder, L"",
               [&](HWND window, HANDLE process) { ListControlsInSight(window, process, controls); });
  TimeToWindow(folder + L"bare.exe", folder);
  const std::wstring withControls = L"\"" + controls + L"\"";
  TimeToWindow(folder + L"bare.exe", folder, withControls);
  // Each round starts close together: its ratio holds while the machine's pace drifts.
  for (int i = 0; i < kStarts; ++i) {
    const Start p = TimeToWindow(folder + L"Rename.exe", folder), b = TimeToWindow(folder + L"bare.exe", folder);
    program.push_back(p.visible);
    programIdle.push_back(p.idle);
    bare.push_back(b.visible);
    bareIdle.push_back(b.idle);
    const Start f = TimeToWindow(folder + L"bare.exe", folder, withControls);
    floor.push_back(f.visible);
    floorIdle.push_back(f.idle);
    ratio.push_back(program.back() / floor.back());
  }
  const double p = Median(program), b = Median(bare), f = Median(floor), idle = Median(programIdle);
  std::printf("%-44s %9.3f s\n", "Rename.exe", p);
  std::printf("%-44s %9.3f s\n", "bare window of the same class", b);
  const std::string sameControls =
      "bare window with the " + std::to_string(ControlCount(controls)) + " controls in sight";
  std::printf("%-44s %9.3f s  (%.2f of the bare window)\n", sameControls.c_str(), f, f / b);
  std::printf("%-44s %8.2f  (aim: at most 1.3)\n", "start time / bare window with the controls", p / f);
  std::printf("%-44s %8.2f\n", "median of the rounds' ratios", Median(ratio));
  std::printf("%-44s %9.3f s  (bare window: %.3f s)\n", "Rename.exe until it waits for input", idle, Median(bareIdle));
  std::printf("%-44s %9.3f s\n", "bare window with the controls, until then", Median(floorIdle));
  std::printf("%-44s %8.2f  (aim: at most 2)\n", "waiting for input / bare window with the controls", idle / f);
  for (const wchar_t* name : {L"Rename.exe", L"bare.exe", L"Rename.ini", L"controls.txt"})
    DeleteFileW((folder + name).c_str());
  RemoveDirectoryW(folder.c_str());
}

}  // namespace bench
