// What the extension's tests share: the DLL loaded from a path and entered
// through its exports, a data object that delivers a selection, a stand-in
// for the main window, and a watcher that answers message boxes. Folders and
// processes come from the end-to-end tests' harness.
#pragma once
#include <windows.h>

#include <shlobj.h>

#include <gtest/gtest.h>

#include <atomic>
#include <filesystem>
#include <mutex>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "e2e/ProgramHarness.h"
#include "support/DropObject_win.h"

namespace rnext {

inline const CLSID kClsid = {0x6e0f3a2c, 0x9b41, 0x4c7d, {0xa5, 0xe8, 0x3d, 0x27, 0xc1, 0xb9, 0x4f, 0x60}};

inline std::wstring BuiltDll() { return rne2e::PathFromEnvironment(L"RENAME_DLL"); }

// The program folder of the end-to-end tests with the DLL beside Rename.exe.
// The extension of this test program's word size, as it is shipped.
inline constexpr const wchar_t* kDllName = sizeof(void*) == 8 ? L"RENAME64.DLL" : L"RENAME32.DLL";

inline std::wstring DllBeside(const rne2e::ProgramFolder& folder, const wchar_t* subfolder = L"") {
  std::filesystem::create_directories(folder.dir / subfolder);
  std::filesystem::copy_file(BuiltDll(), folder.dir / subfolder / kDllName);
  return (folder.dir / subfolder / kDllName).wstring();
}

struct Server {
  HMODULE module;
  HRESULT(WINAPI* getClassObject)(REFCLSID, REFIID, void**) = nullptr;
  using Export = HRESULT(WINAPI*)();
  Export canUnloadNow = nullptr, registerServer = nullptr, unregisterServer = nullptr;
  explicit Server(const std::wstring& path = BuiltDll()) : module(LoadLibraryW(path.c_str())) {
    if (!module) return;
    Find(getClassObject, "DllGetClassObject");
    Find(canUnloadNow, "DllCanUnloadNow");
    Find(registerServer, "DllRegisterServer");
    Find(unregisterServer, "DllUnregisterServer");
  }
  ~Server() {
    if (module) FreeLibrary(module);
  }
  template <class F>
  void Find(F& f, const char* name) {
    f = reinterpret_cast<F>(reinterpret_cast<void*>(GetProcAddress(module, name)));
  }
  bool Loaded() const { return getClassObject && canUnloadNow && registerServer && unregisterServer; }

  IClassFactory* Factory() {
    IClassFactory* factory = nullptr;
    if (!Loaded())
      ADD_FAILURE() << "the DLL or one of its exports is missing";
    else
      EXPECT_EQ(getClassObject(kClsid, IID_IClassFactory, reinterpret_cast<void**>(&factory)), S_OK);
    return factory;
  }
  // A new handler, as Explorer makes one.
  IContextMenu* Handler() {
    IClassFactory* factory = Factory();
    IContextMenu* menu = nullptr;
    if (factory) {
      EXPECT_EQ(factory->CreateInstance(nullptr, IID_IContextMenu, reinterpret_cast<void**>(&menu)), S_OK);
      factory->Release();
    }
    return menu;
  }
};

inline HRESULT InitializeWith(IContextMenu* menu, DropObject& data) {
  IShellExtInit* init = nullptr;
  if (menu->QueryInterface(IID_IShellExtInit, reinterpret_cast<void**>(&init)) != S_OK) return E_NOINTERFACE;
  const HRESULT hr = init->Initialize(nullptr, &data, nullptr);
  init->Release();
  return hr;
}

inline HRESULT Invoke(IContextMenu* menu, const char* verb) {
  CMINVOKECOMMANDINFO info{};
  info.cbSize = sizeof(info);
  info.lpVerb = verb;
  return menu->InvokeCommand(&info);
}

// A window under the main window's class name, in this thread: it keeps every
// hand-off it receives and answers `reply`.
struct Receiver {
  struct Message {
    WPARAM wParam;
    ULONG_PTR dwData;
    std::string bytes;
  };
  static inline std::vector<Message> received;
  static inline LRESULT reply = 2008;
  HWND hwnd;

  static LRESULT CALLBACK Proc(HWND h, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg != WM_COPYDATA) return DefWindowProcW(h, msg, wp, lp);
    const auto* data = reinterpret_cast<const COPYDATASTRUCT*>(lp);
    received.push_back({wp, data->dwData, std::string(static_cast<const char*>(data->lpData), data->cbData)});
    return reply;
  }
  explicit Receiver(LRESULT answer) {
    received.clear();
    reply = answer;
    WNDCLASSW wc{};
    wc.lpfnWndProc = Proc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"TMorvaneFrm1";
    RegisterClassW(&wc);
    hwnd = CreateWindowW(L"TMorvaneFrm1", L"stand-in", WS_OVERLAPPED, 0, 0, 100, 100, nullptr, nullptr, wc.hInstance,
                         nullptr);
  }
  ~Receiver() {
    DestroyWindow(hwnd);
    UnregisterClassW(L"TMorvaneFrm1", GetModuleHandleW(nullptr));
  }
};

// Presses OK on every message box this process shows while it lives, and
// keeps their caption and text; a test never hangs on a box.
struct BoxWatcher {
  struct Box {
    std::wstring caption, text;
  };
  std::mutex lock;
  std::vector<Box> boxes;
  std::set<HWND> seen;
  std::atomic<bool> done{false};
  std::thread thread{[this] {
    while (!done) {
      EnumWindows(Visit, reinterpret_cast<LPARAM>(this));
      Sleep(20);
    }
  }};
  ~BoxWatcher() {
    done = true;
    thread.join();
  }
  static BOOL CALLBACK Visit(HWND h, LPARAM lp) {
    auto* self = reinterpret_cast<BoxWatcher*>(lp);
    DWORD pid = 0;
    GetWindowThreadProcessId(h, &pid);
    wchar_t cls[16];
    GetClassNameW(h, cls, 16);
    if (pid != GetCurrentProcessId() || lstrcmpW(cls, L"#32770") != 0 || !IsWindowVisible(h)) return TRUE;
    std::lock_guard<std::mutex> guard(self->lock);
    if (!self->seen.insert(h).second) return TRUE;
    self->boxes.push_back({rne2e::WindowTextOf(h), rne2e::BoxText(h)});
    PostMessageW(h, WM_COMMAND, IDOK, 0);
    return TRUE;
  }
  std::vector<Box> Boxes() {
    std::lock_guard<std::mutex> guard(lock);
    return boxes;
  }
};

}  // namespace rnext
