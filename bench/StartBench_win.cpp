// From process start to the main window on the screen: Rename.exe beside a
// bare program that only shows an empty window of the same class. Medians of
// eleven starts each, taken in turn.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "Bench_win.h"

namespace bench {

namespace {

constexpr int kStarts = 11;

// Seconds from CreateProcess to a visible window of the class; the program
// is closed again afterwards.
double TimeToWindow(const std::wstring& exe, const std::wstring& folder) {
  STARTUPINFOW si{};
  si.cb = sizeof(si);
  PROCESS_INFORMATION pi{};
  std::wstring command = L"\"" + exe + L"\"";
  HWND window = nullptr;
  const double seconds = Seconds([&] {
    if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(), &si, &pi)) return;
    for (int i = 0; i < 20000; ++i) {
      window = FindWindowW(L"TMorvaneFrm1", nullptr);
      if (window && IsWindowVisible(window)) break;
      Sleep(1);
    }
  });
  if (window) PostMessageW(window, WM_CLOSE, 0, 0);
  if (pi.hProcess) {
    WaitForSingleObject(pi.hProcess, 20000);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
  }
  return seconds;
}

}  // namespace

void StartBenchmarks() {
  std::printf("\n== from process start to the visible main window (medians of %d starts, in turns)\n", kStarts);
  const std::wstring folder = TempRoot() + L"-start\\";
  CreateDirectoryW(folder.c_str(), nullptr);
  CopyFileW(BesideThisProgram(L"Rename.exe").c_str(), (folder + L"Rename.exe").c_str(), FALSE);
  CopyFileW(BesideThisProgram(L"bench_bare_window.exe").c_str(), (folder + L"bare.exe").c_str(), FALSE);
  std::ofstream(std::filesystem::path(folder + L"Rename.ini"), std::ios::binary) << "[Options]\r\nDonated=1\r\n";
  std::vector<double> program, bare, ratio;
  TimeToWindow(folder + L"Rename.exe", folder);  // warm-up: the first start loads the system's DLLs
  TimeToWindow(folder + L"bare.exe", folder);
  // Each pair starts close together: its ratio holds while the machine's pace drifts.
  for (int i = 0; i < kStarts; ++i) {
    program.push_back(TimeToWindow(folder + L"Rename.exe", folder));
    bare.push_back(TimeToWindow(folder + L"bare.exe", folder));
    ratio.push_back(program.back() / bare.back());
  }
  const double p = Median(program), b = Median(bare);
  std::printf("%-44s %9.3f s\n", "Rename.exe", p);
  std::printf("%-44s %9.3f s\n", "bare window of the same class", b);
  std::printf("%-44s %8.2f  (aim: at most 2)\n", "start time / bare window", p / b);
  std::printf("%-44s %8.2f\n", "median of the pairs' ratios", Median(ratio));
  for (const wchar_t* name : {L"Rename.exe", L"bare.exe", L"Rename.ini"}) DeleteFileW((folder + name).c_str());
  RemoveDirectoryW(folder.c_str());
}

}  // namespace bench
