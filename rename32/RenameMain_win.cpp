// The context-menu handler of Rename and its in-process COM server: one menu
// item that hands the selected paths to Rename's main window, starting
// RENAME.EXE from this DLL's folder when no such window exists.
#include <windows.h>

#include <olectl.h>
#include <shlobj.h>
#include <shlwapi.h>

#include <atomic>
#include <string>
#include <vector>

#include "base/Handle_win.h"
#include "rename32/CustomContextMenu_win.h"
#include "rename32/ExtensionTexts.h"
#include "shell/HandOffWire.h"

namespace rn {
namespace {

// kExtensionClassId (shell/HandOffWire.h), which Rename's registration script writes.
constexpr CLSID kClsid = {0x6e0f3a2c, 0x9b41, 0x4c7d, {0xa5, 0xe8, 0x3d, 0x27, 0xc1, 0xb9, 0x4f, 0x60}};
constexpr int kMenuBitmapId = 101;
constexpr ULONGLONG kWindowWaitMs = 30000;
constexpr DWORD kLookPauseMs = 50;
constexpr UINT kAnswerBoundMs = 10000;  // the longest the hand-off makes Explorer wait

HMODULE gModule = nullptr;
std::atomic<HBITMAP> gMenuBitmap{nullptr};

std::wstring ModulePath() {
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    const DWORD n = GetModuleFileNameW(gModule, path.data(), static_cast<DWORD>(path.size()));
    if (n == 0 || path.size() > 65536) return L"";
    if (n < path.size()) {
      path.resize(n);
      return path;
    }
    path.resize(path.size() * 2);
  }
}

// Loaded once and kept while the DLL is loaded, so every menu can show it.
HBITMAP MenuBitmap() {
  if (HBITMAP shared = gMenuBitmap.load()) return shared;
  auto loaded = static_cast<HBITMAP>(LoadImageW(gModule, MAKEINTRESOURCEW(kMenuBitmapId), IMAGE_BITMAP, 0, 0, 0));
  HBITMAP earlier = nullptr;
  if (gMenuBitmap.compare_exchange_strong(earlier, loaded)) return loaded;
  BitmapHandle{loaded}.Reset();  // another thread was first
  return earlier;
}

std::string Utf8(const std::wstring& path) {
  if (path.empty()) return {};
  const int n =
      WideCharToMultiByte(CP_UTF8, 0, path.data(), static_cast<int>(path.size()), nullptr, 0, nullptr, nullptr);
  std::string bytes(static_cast<size_t>(n > 0 ? n : 0), '\0');
  if (n > 0)
    WideCharToMultiByte(CP_UTF8, 0, path.data(), static_cast<int>(path.size()), bytes.data(), n, nullptr, nullptr);
  return bytes;
}

void ShowBox(const wchar_t* text, UINT icon) { MessageBoxW(nullptr, text, ext::kBoxCaption, MB_OK | icon); }

// 0, or the reason the program could not be started.
DWORD StartProgram(const std::wstring& folder) {
  std::wstring commandLine = L"\"" + folder + ext::kProgramFile + L"\"";
  STARTUPINFOW startup{};
  startup.cb = sizeof(startup);
  startup.dwFlags = STARTF_USESHOWWINDOW;
  startup.wShowWindow = SW_SHOWNORMAL;
  PROCESS_INFORMATION process{};
  if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, NORMAL_PRIORITY_CLASS, nullptr, nullptr,
                      &startup, &process))
    return GetLastError();
  KernelHandle{process.hThread}.Reset();
  KernelHandle{process.hProcess}.Reset();
  return 0;
}

// Looks for the new program's window while the host's messages keep flowing;
// null when it has not appeared in time or the host is quitting.
HWND WaitForMainWindow() {
  const ULONGLONG start = GetTickCount64();
  for (;;) {
    if (HWND window = FindWindowW(ext::kMainWindowClass, nullptr)) return window;
    if (GetTickCount64() - start >= kWindowWaitMs) return nullptr;
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      if (msg.message == WM_QUIT) {
        PostQuitMessage(static_cast<int>(msg.wParam));  // the host's loop still has to see it
        return nullptr;
      }
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
    }
    MsgWaitForMultipleObjectsEx(0, nullptr, kLookPauseMs, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
  }
}

class TMyContextMenu : public TCustomContextMenu {
 public:
  using TCustomContextMenu::TCustomContextMenu;

 protected:
  UINT AddMenuItems(HMENU menu, UINT position, UINT firstId, UINT lastId) override {
    if (firstId > lastId) return 0;  // no identifier left for this handler
    MENUITEMINFOW item{};
    item.cbSize = sizeof(item);
    item.fMask = MIIM_ID | MIIM_TYPE | MIIM_CHECKMARKS;
    item.fType = MFT_STRING;
    item.wID = firstId;
    item.dwTypeData = const_cast<wchar_t*>(ext::kMenuItemText);
    item.hbmpUnchecked = MenuBitmap();
    return InsertMenuItemW(menu, position, TRUE, &item) ? 1 : 0;
  }
  const wchar_t* GetHelpText(UINT) override { return ext::kHelpText; }
  const wchar_t* GetVerb(UINT) override { return ext::kVerb; }

  HRESULT ExecuteCommand(UINT) override {
    const std::wstring dll = ModulePath();
    const std::wstring folder = dll.substr(0, dll.find_last_of(L'\\') + 1);
    HWND window = FindWindowW(ext::kMainWindowClass, nullptr);
    if (window) {
      SetForegroundWindow(window);
    } else if (const DWORD error = StartProgram(folder)) {
      ShowBox(ext::kUnableToRun, MB_ICONERROR);
      return HRESULT_FROM_WIN32(error);
    }
    std::vector<std::string> lines;
    lines.reserve(paths.size());
    for (const auto& path : paths) lines.push_back(Utf8(path));
    std::string text = BuildHandOffText(lines);
    if (!window && !(window = WaitForMainWindow())) {
      ShowBox(ext::kNotStartedInTime, MB_ICONWARNING);
      return HRESULT_FROM_WIN32(ERROR_TIMEOUT);
    }
    // Explorer never waits on the program for long: one that does not answer
    // within the bound (or hangs) gets nothing, and the user is told.
    COPYDATASTRUCT data{kHandOffUtf8, static_cast<DWORD>(text.size()), text.data()};
    DWORD_PTR answer = 0;
    if (!SendMessageTimeoutW(window, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data), SMTO_ABORTIFHUNG,
                             kAnswerBoundMs, &answer)) {
      const DWORD error = GetLastError();
      ShowBox(ext::kNoAnswer, MB_ICONWARNING);
      return HRESULT_FROM_WIN32(error ? error : ERROR_TIMEOUT);
    }
    if (answer != kHandOffAccepted) ShowBox(ext::kSendFailed, MB_ICONINFORMATION);
    return S_OK;
  }
};

// The one class factory, alive while the DLL is loaded; its references count
// in the server's one count.
struct ClassFactory : IClassFactory {
  STDMETHODIMP QueryInterface(REFIID iid, void** out) override {
    static const QITAB kInterfaces[] = {QITABENT(ClassFactory, IClassFactory), {}};
    return QISearch(this, kInterfaces, iid, out);
  }
  STDMETHODIMP_(ULONG) AddRef() override { return static_cast<ULONG>(++ModuleCount()); }
  STDMETHODIMP_(ULONG) Release() override { return static_cast<ULONG>(--ModuleCount()); }

  STDMETHODIMP CreateInstance(IUnknown* outer, REFIID iid, void** out) override {
    if (!out) return E_POINTER;
    *out = nullptr;
    if (outer && iid != IID_IUnknown) return CLASS_E_NOAGGREGATION;
    return Guarded([&] {
      auto* handler = new TMyContextMenu(outer);
      const HRESULT hr = handler->Inner()->QueryInterface(iid, out);
      handler->Inner()->Release();  // frees the handler again when the query failed
      return hr;
    });
  }
  STDMETHODIMP LockServer(BOOL lock) override {
    if (lock)
      ++ModuleCount();
    else
      --ModuleCount();
    return S_OK;
  }
};

ClassFactory gFactory;

std::wstring ClsidText() {
  wchar_t text[40];
  StringFromGUID2(kClsid, text, 40);
  return text;
}

// The ProgID: the DLL's file name without extension, a full stop and the class name.
std::wstring ProgId(const std::wstring& dll) {
  std::wstring name = dll.substr(dll.find_last_of(L'\\') + 1);
  return name.substr(0, name.find_last_of(L'.')) + L"." + ext::kClassName;
}

// The DLL's path in its long form; its short form when the long one holds a space.
std::wstring ServerPath(const std::wstring& dll) {
  std::wstring path(32768, L'\0');
  DWORD n = GetLongPathNameW(dll.c_str(), path.data(), static_cast<DWORD>(path.size()));
  path.resize(n > 0 && n < 32768 ? n : 0);
  if (path.empty()) path = dll;
  if (path.find(L' ') == std::wstring::npos) return path;
  std::wstring shortPath(32768, L'\0');
  n = GetShortPathNameW(path.c_str(), shortPath.data(), static_cast<DWORD>(shortPath.size()));
  if (n == 0 || n >= 32768) return path;
  shortPath.resize(n);
  return shortPath;
}

struct RegistryValue {
  std::wstring key;
  const wchar_t* name;  // null: the key's default value
  std::wstring value;
};

bool WriteValue(const RegistryValue& v) {
  HKEY key;
  if (RegCreateKeyExW(HKEY_CLASSES_ROOT, v.key.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                      KEY_READ | KEY_CREATE_SUB_KEY | KEY_SET_VALUE, nullptr, &key, nullptr) != ERROR_SUCCESS)
    return false;
  const RegKeyHandle owned(key);
  const auto bytes = static_cast<DWORD>((v.value.size() + 1) * sizeof(wchar_t));
  return RegSetValueExW(key, v.name, 0, REG_SZ, reinterpret_cast<const BYTE*>(v.value.c_str()), bytes) == ERROR_SUCCESS;
}

}  // namespace
}  // namespace rn

using namespace rn;

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID reserved) {
  if (reason == DLL_PROCESS_ATTACH) {
    gModule = instance;
    DisableThreadLibraryCalls(instance);
  } else if (reason == DLL_PROCESS_DETACH && !reserved && gMenuBitmap.load()) {
    BitmapHandle{gMenuBitmap.load()}.Reset();  // unloaded by FreeLibrary, not at process end
  }
  return TRUE;
}

STDAPI DllGetClassObject(REFCLSID clsid, REFIID iid, LPVOID* out) {
  if (!out) return E_POINTER;
  *out = nullptr;
  if (clsid != kClsid) return CLASS_E_CLASSNOTAVAILABLE;
  return gFactory.QueryInterface(iid, out);
}

STDAPI DllCanUnloadNow() { return ModuleCount() == 0 ? S_OK : S_FALSE; }

STDAPI DllRegisterServer() {
  return Guarded([] {
    const std::wstring dll = ModulePath();
    if (dll.empty()) return E_FAIL;
    const std::wstring clsidKey = L"CLSID\\" + ClsidText();
    const std::wstring progId = ProgId(dll);
    const RegistryValue values[] = {
        {clsidKey, nullptr, L""},
        {clsidKey + L"\\InprocServer32", nullptr, ServerPath(dll)},
        {clsidKey + L"\\InprocServer32", L"ThreadingModel", L"Apartment"},
        {progId, nullptr, L""},
        {progId + L"\\Clsid", nullptr, ClsidText()},
        {clsidKey + L"\\ProgID", nullptr, progId},
    };
    for (const auto& v : values)
      if (!WriteValue(v)) return E_FAIL;
    return S_OK;
  });
}

STDAPI DllUnregisterServer() {
  return Guarded([] {
    const std::wstring clsidKey = L"CLSID\\" + ClsidText();
    const std::wstring progId = ProgId(ModulePath());
    for (const auto& key :
         {clsidKey + L"\\ProgID", progId + L"\\Clsid", progId, clsidKey + L"\\InprocServer32", clsidKey})
      RegDeleteKeyW(HKEY_CLASSES_ROOT, key.c_str());
    return S_OK;
  });
}
