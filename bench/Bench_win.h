// Small timing helpers for the benchmarks.
#pragma once
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cwchar>
#include <functional>
#include <string>
#include <vector>

#include "base/FileIo.h"
#include "engine/UndoJournal.h"

namespace bench {

inline double Seconds(const std::function<void()>& work) {
  LARGE_INTEGER f, a, b;
  QueryPerformanceFrequency(&f);
  QueryPerformanceCounter(&a);
  work();
  QueryPerformanceCounter(&b);
  return static_cast<double>(b.QuadPart - a.QuadPart) / static_cast<double>(f.QuadPart);
}

// Bytes the program holds on the C++ heap right now (the benchmark counts
// every allocation, since Wine reports no private usage).
size_t LiveHeapBytes();

// Trees of files for the benchmarks that touch the disk.
inline std::wstring TempRoot() {
  wchar_t base[MAX_PATH];
  GetTempPathW(MAX_PATH, base);
  return std::wstring(base) + L"rename-bench-" + std::to_wstring(GetCurrentProcessId());
}

// n empty files in folders of a thousand (renames and lookups under Wine cost
// time in proportion to the folder's size), named `stem` and a number.
inline std::vector<std::wstring> MakeTree(const std::wstring& root, int n, const std::wstring& stem = L"IMG_") {
  std::vector<std::wstring> paths;
  paths.reserve(static_cast<size_t>(n));
  CreateDirectoryW(root.c_str(), nullptr);
  for (int i = 0; i < n; ++i) {
    const std::wstring folder = root + L"\\f" + std::to_wstring(i / 1000);
    if (i % 1000 == 0) CreateDirectoryW(folder.c_str(), nullptr);
    std::wstring path = folder + L"\\" + stem + std::to_wstring(100000 + i) + L".JPG";
    HANDLE h = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h != INVALID_HANDLE_VALUE) CloseHandle(h);
    paths.push_back(std::move(path));
  }
  return paths;
}

inline void RemoveTree(const std::wstring& root, const std::vector<std::wstring>& paths) {
  for (const auto& p : paths) DeleteFileW(p.c_str());
  for (size_t i = 0; i < paths.size(); i += 1000) RemoveDirectoryW((root + L"\\f" + std::to_wstring(i / 1000)).c_str());
  RemoveDirectoryW(root.c_str());
}

// The floor of "All* Files": FindFirstFileW over the same tree, folders
// walked as found, every file counted and nothing else.
inline int BareWalk(const std::wstring& folder) {
  int files = 0;
  WIN32_FIND_DATAW data;
  HANDLE search = FindFirstFileW((folder + L"\\*.*").c_str(), &data);
  if (search == INVALID_HANDLE_VALUE) return 0;
  do {
    if (!(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
      ++files;
    else if (wcscmp(data.cFileName, L".") != 0 && wcscmp(data.cFileName, L"..") != 0)
      files += BareWalk(folder + L"\\" + data.cFileName);
  } while (FindNextFileW(search, &data));
  FindClose(search);
  return files;
}

// A visible top-level window of the class that belongs to the process, as
// another program finds it. The system looks among the windows of the class
// only: a look at every window goes through the window server once a
// window, which the program being timed needs too.
inline HWND VisibleWindowOf(DWORD process, const wchar_t* cls) {
  for (HWND w = FindWindowExW(nullptr, nullptr, cls, nullptr); w; w = FindWindowExW(nullptr, w, cls, nullptr)) {
    DWORD pid = 0;
    GetWindowThreadProcessId(w, &pid);
    if (pid == process && IsWindowVisible(w)) return w;
  }
  return nullptr;
}

// Rename.exe started from its folder (ending in a backslash) as a user
// starts it; closed through its main window when this goes.
struct StartedProgram {
  PROCESS_INFORMATION pi{};
  bool started = false;
  HWND main = nullptr;  // once found
  explicit StartedProgram(const std::wstring& folder) {
    STARTUPINFOW si{};
    si.cb = sizeof(si);
    std::wstring command = L"\"" + folder + L"Rename.exe\"";
    started = CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(), &si, &pi);
  }
  ~StartedProgram() {
    if (!started) return;
    if (main) PostMessageW(main, WM_CLOSE, 0, 0);
    if (WaitForSingleObject(pi.hProcess, 30000) != WAIT_OBJECT_0) TerminateProcess(pi.hProcess, 1);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
  }
  StartedProgram(const StartedProgram&) = delete;
  StartedProgram& operator=(const StartedProgram&) = delete;
};

// The ports a journal writer works through on the file at `path`, written
// through `out`; its end deletes the file unless `keepAtEnd`, as a crash would.
inline rn::JournalFilePorts JournalFile(rn::AppendFile& out, const std::wstring& path, bool keepAtEnd) {
  rn::JournalFilePorts ports;
  ports.append = [&out](const std::string& bytes, bool flush) { return out.Append(bytes, flush); };
  ports.replace = [&out, path](const std::string& bytes) {
    out.Close();
    return rn::ReplaceFileContents(path, bytes);
  };
  ports.remove = [&out, path, keepAtEnd] {
    if (keepAtEnd) return;
    out.Close();
    DeleteFileW(path.c_str());
  };
  return ports;
}

// Seconds from a performance-counter reading to now.
inline double SecondsSince(const LARGE_INTEGER& from) {
  LARGE_INTEGER f, now;
  QueryPerformanceFrequency(&f);
  QueryPerformanceCounter(&now);
  return static_cast<double>(now.QuadPart - from.QuadPart) / static_cast<double>(f.QuadPart);
}

// A file in this program's folder.
inline std::wstring BesideThisProgram(const wchar_t* name) {
  wchar_t path[MAX_PATH * 2];
  std::wstring self(path, GetModuleFileNameW(nullptr, path, MAX_PATH * 2));
  return self.substr(0, self.find_last_of(L'\\') + 1) + name;
}

// The middle figure of several rounds: one disturbed round does not move it.
inline double Median(std::vector<double> v) {
  if (v.empty()) return 0;
  std::sort(v.begin(), v.end());
  return v[v.size() / 2];
}

inline void Report(const char* what, int n, double seconds) {
  std::printf("%-44s %8d  %9.3f s  %8.2f us/item\n", what, n, seconds, seconds * 1e6 / n);
}

}  // namespace bench
