// The main window a benchmark works in: a program folder of its own beside a
// tree of n files, every box answered with its first button, the files in
// the list. All of it goes again with the object.
#pragma once
#include <windows.h>

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

  WindowOnFiles(const std::wstring& name, int n) : root(TempRoot() + L"-" + name), programFolder(root + L"-program\\") {
    CreateDirectoryW(programFolder.c_str(), nullptr);
    rn::SetDialogResponder([](const rn::DialogRequest&) { return 0; });
    paths = MakeTree(root, n);
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

}  // namespace bench
