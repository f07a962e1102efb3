#include <windows.h>

#include <objbase.h>
#include <shlobj.h>

#include "base/Error.h"
#include "base/FileSystem_win.h"
#include "base/Handle_win.h"
#include "shell/Explorer.h"
#include "shell/Registration.h"

namespace rn {

bool WindowsIs64Bit() {
#ifdef _WIN64
  return true;
#else
  using IsWow64ProcessFn = BOOL(WINAPI*)(HANDLE, PBOOL);
  HMODULE kernel = GetModuleHandleW(L"kernel32.dll");
  auto isWow64 = reinterpret_cast<IsWow64ProcessFn>(
      reinterpret_cast<void*>(kernel ? GetProcAddress(kernel, "IsWow64Process") : nullptr));
  if (!isWow64) return false;
  BOOL wow64 = FALSE;
  if (!isWow64(GetCurrentProcess(), &wow64)) RaiseLastError();
  return wow64 != FALSE;
#endif
}

bool WindowsIsNt() { return (GetVersion() & 0x80000000u) == 0; }

bool RegistrationMarkerExists() {
  HKEY key = nullptr;
  const LSTATUS opened = RegOpenKeyExW(HKEY_CURRENT_USER, kRegistrationMarkerKey, 0, KEY_READ, &key);
  const RegKeyHandle owned(key);
  if (opened == ERROR_FILE_NOT_FOUND) return false;
  if (opened != ERROR_SUCCESS)
    throw AppError{L"HKEY_CURRENT_USER\\" + std::wstring(kRegistrationMarkerKey) + L":\r" +
                   SystemErrorText(static_cast<uint32_t>(opened))};
  return true;
}

std::optional<std::wstring> SendToFolder() {
  wchar_t value[MAX_PATH * 4] = {};
  DWORD size = sizeof(value) - sizeof(wchar_t);
  const LSTATUS read =
      RegGetValueW(HKEY_CURRENT_USER, L"Software\\MicroSoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders",
                   L"SendTo", RRF_RT_REG_SZ | RRF_RT_REG_EXPAND_SZ | RRF_NOEXPAND, nullptr, value, &size);
  if (read != ERROR_SUCCESS) return std::nullopt;
  const DWORD a = FileAttributes(value);
  if (value[0] == L'\0' || a == INVALID_FILE_ATTRIBUTES || !(a & FILE_ATTRIBUTE_DIRECTORY)) return std::nullopt;
  return std::wstring(value);
}

LinkResult SaveShellLink(const std::wstring& linkPath, const std::wstring& program, const std::wstring& arguments,
                         const std::wstring& workingFolder) {
  const HRESULT init = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  IShellLinkW* link = nullptr;
  IPersistFile* file = nullptr;
  HRESULT hr = CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                reinterpret_cast<void**>(&link));
  if (SUCCEEDED(hr)) hr = link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file));
  if (SUCCEEDED(hr)) {
    link->SetArguments(arguments.c_str());
    link->SetPath(program.c_str());
    link->SetWorkingDirectory(workingFolder.c_str());
    hr = file->Save(linkPath.c_str(), FALSE);
  }
  if (file) file->Release();
  if (link) link->Release();
  if (SUCCEEDED(init)) CoUninitialize();
  if (SUCCEEDED(hr)) return LinkResult::Saved;
  return hr == E_FAIL ? LinkResult::SaveFailed : LinkResult::OtherError;
}

}  // namespace rn
