// The Explorer command as Explorer runs it: RENAME64.DLL loaded here hands
// 10,000 selected files to a running Rename.exe in one message; the time is
// the command's, from the click to the program's answer.
#include <windows.h>

#include <shlobj.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "Bench_win.h"
#include "shell/HandOffWire.h"
#include "support/DropObject_win.h"

namespace bench {

void ExtensionBenchmarks() {
  std::printf("\n== the Explorer command into a running Rename.exe\n");
  const std::wstring root = TempRoot() + L"-ext";
  const std::wstring program = root + L"-program\\";
  CreateDirectoryW(program.c_str(), nullptr);
  CopyFileW(BesideThisProgram(L"Rename.exe").c_str(), (program + L"Rename.exe").c_str(), FALSE);
  CopyFileW(BesideThisProgram(L"RENAME64.DLL").c_str(), (program + L"RENAME64.DLL").c_str(), FALSE);
  std::ofstream(std::filesystem::path(program + L"Rename.ini"), std::ios::binary) << "[Options]\r\nDonated=1\r\n";
  const int n = 10000;
  DropObject selection(MakeTree(root, n));

  STARTUPINFOW si{};
  si.cb = sizeof(si);
  PROCESS_INFORMATION pi{};
  std::wstring command = L"\"" + program + L"Rename.exe\"";
  if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, program.c_str(), &si, &pi)) {
    std::printf("   (Rename.exe could not be started)\n");
    return;
  }
  WaitForInputIdle(pi.hProcess, 20000);
  HWND main = nullptr;
  for (int i = 0; i < 400 && !(main = FindWindowW(L"TMorvaneFrm1", nullptr)); ++i) Sleep(50);

  CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  HMODULE dll = LoadLibraryW((program + L"RENAME64.DLL").c_str());
  using GetClassObject = HRESULT(WINAPI*)(REFCLSID, REFIID, void**);
  auto get = reinterpret_cast<GetClassObject>(reinterpret_cast<void*>(GetProcAddress(dll, "DllGetClassObject")));
  CLSID handler{};
  CLSIDFromString(rn::kExtensionClassId, &handler);
  IClassFactory* factory = nullptr;
  IContextMenu* menu = nullptr;
  IShellExtInit* init = nullptr;
  if (main && get && get(handler, IID_IClassFactory, reinterpret_cast<void**>(&factory)) == S_OK &&
      factory->CreateInstance(nullptr, IID_IContextMenu, reinterpret_cast<void**>(&menu)) == S_OK &&
      menu->QueryInterface(IID_IShellExtInit, reinterpret_cast<void**>(&init)) == S_OK) {
    init->Initialize(nullptr, &selection, nullptr);
    CMINVOKECOMMANDINFO info{};
    info.cbSize = sizeof(info);
    info.lpVerb = MAKEINTRESOURCEA(0);
    HRESULT result = E_FAIL;
    const double seconds = Seconds([&] { result = menu->InvokeCommand(&info); });
    Report("Explorer command: 10,000 paths handed over", n, seconds);
    wchar_t caption[128] = {};
    GetWindowTextW(main, caption, 128);
    if (result != S_OK || !wcsstr(caption, L"[10000 items]"))
      std::printf("   (unexpected: result %08lx, caption \"%ls\")\n", static_cast<unsigned long>(result), caption);
  } else {
    std::printf("   (the extension or the program's window could not be reached)\n");
  }
  if (init) init->Release();
  if (menu) menu->Release();
  if (factory) factory->Release();
  if (main) PostMessageW(main, WM_CLOSE, 0, 0);
  WaitForSingleObject(pi.hProcess, 20000);
  CloseHandle(pi.hThread);
  CloseHandle(pi.hProcess);
  FreeLibrary(dll);
  CoUninitialize();
  RemoveTree(root, selection.paths);
  for (const wchar_t* name : {L"Rename.exe", L"RENAME64.DLL", L"Rename.ini"}) DeleteFileW((program + name).c_str());
  RemoveDirectoryW(program.c_str());
}

}  // namespace bench
