// The main window a benchmark works in: a program folder of its own beside a
// tree of n files, every box answered with its first button, the files in
// the list. All of it goes again with the object.
#pragma once
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "Bench_win.h"
#include "core/MainForm_win.h"
#include "ui/MessageBox_win.h"

namespace bench {

struct WindowOnFiles {
  std::wstring root, programFolder;
  std::vector<std::wstring> paths;
  std::unique_ptr<rn::TMorvaneFrm1> main;

  WindowOnFiles(const std::wstring& name, int n, const std::wstring& stem = L"IMG_")
      : root(TempRoot() + L"-" + name), programFolder(root + L"-program\\") {
    CreateDirectoryW(programFolder.c_str(), nullptr);
    rn::SetDialogResponder([](const rn::DialogRequest&) { return 0; });
    paths = MakeTree(root, n, stem);
    rn::AppContext context;
    context.programFolder = programFolder;
    context.endProgramOnClose = false;
    context.welcomeReminder = false;  // no modal box in the way of the timings
    main = std::make_unique<rn::TMorvaneFrm1>(context);
    main->Create(SW_SHOWNORMAL);
    for (const auto& p : paths) main->AddRow(p, false);
    main->ListChanged();
  }
  ~WindowOnFiles() {
    DestroyWindow(main->hwnd);
    main.reset();
    rn::SetDialogResponder(nullptr);
    RemoveTree(root, paths);
    for (const wchar_t* file : {L"Rename.ini", L"Rename.journal"}) DeleteFileW((programFolder + file).c_str());
    RemoveDirectoryW(programFolder.c_str());
  }
  WindowOnFiles(const WindowOnFiles&) = delete;
  WindowOnFiles& operator=(const WindowOnFiles&) = delete;
};

struct Keystrokes {
  double average = 0, slowest = 0;
};

// Types one character a time into the box and waits for the grid's repaint.
inline Keystrokes Type(HWND edit, HWND grid, int count) {
  Keystrokes k;
  for (int i = 0; i < count; ++i) {
    const wchar_t c = i % 2 == 0 ? L'x' : L'\b';  // a letter, then takes it back
    const double t = Seconds([&] {
      SendMessageW(edit, WM_CHAR, c, 0);
      UpdateWindow(grid);
    });
    k.average += t / count;
    k.slowest = std::max(k.slowest, t);
  }
  return k;
}

inline void Print(const char* what, const Keystrokes& k) {
  std::printf("%-44s %8.2f ms  (slowest %.2f ms; aim: under 50)\n", what, k.average * 1e3, k.slowest * 1e3);
}

}  // namespace bench
