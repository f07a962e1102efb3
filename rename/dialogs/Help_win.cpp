#include "dialogs/Help_win.h"

#include <shellapi.h>

#include "base/Texts.h"
#include "filelist/DirScan.h"
#include "ui/MessageBox_win.h"

namespace rn {

namespace {

constexpr wchar_t kHelpFile[] = L"Rename.chm";

std::function<void(const HelpCall&)>& Viewer() {
  static std::function<void(const HelpCall&)> viewer;
  return viewer;
}

std::function<void(HWND, const std::wstring&)>& Opener() {
  static std::function<void(HWND, const std::wstring&)> opener;
  return opener;
}

void CallViewer(HWND owner, const std::wstring& file, UINT command, DWORD_PTR data) {
  if (Viewer()) return Viewer()(HelpCall{owner, file, command, data});
  // The viewer lives in hhctrl.ocx, loaded once and kept for the program's life.
  using HtmlHelpProc = HWND(WINAPI*)(HWND, const wchar_t*, UINT, DWORD_PTR);
  static HtmlHelpProc htmlHelp = [] {
    HMODULE module = LoadLibraryW(L"hhctrl.ocx");
    return module ? reinterpret_cast<HtmlHelpProc>(reinterpret_cast<void*>(GetProcAddress(module, "HtmlHelpW")))
                  : nullptr;
  }();
  if (htmlHelp) htmlHelp(owner, file.c_str(), command, data);
}

void ShowHelp(HWND owner, const std::wstring& programFolder, UINT command, DWORD_PTR data) {
  const std::wstring file = programFolder + kHelpFile;
  if (!IsFile(file)) return ShowMessagePlain(owner, Text(TextId::MsgHelpNotFound));
  CallViewer(owner, file, command, data);
}

}  // namespace

void ShowHelpTopic(HWND owner, const std::wstring& programFolder) {
  ShowHelp(owner, programFolder, kHelpDisplayTopic, 0);
}

void ShowHelpContext(HWND owner, const std::wstring& programFolder, int context) {
  ShowHelp(owner, programFolder, kHelpContext, static_cast<DWORD_PTR>(context));
}

void OpenHelpContext(HWND owner, const std::wstring& programFolder, int context) {
  CallViewer(owner, programFolder + kHelpFile, kHelpContext, static_cast<DWORD_PTR>(context));
}

void OpenAddress(HWND owner, const std::wstring& address) {
  if (Opener()) return Opener()(owner, address);
  ShellExecuteW(owner, L"open", address.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

std::wstring MailToAddress(const std::wstring& address, const std::wstring& subject) {
  std::wstring out = L"mailto:" + address + L"?subject=";
  constexpr wchar_t kHex[] = L"0123456789ABCDEF";
  for (wchar_t c : subject) {
    const bool plain = (c >= L'a' && c <= L'z') || (c >= L'A' && c <= L'Z') || (c >= L'0' && c <= L'9') || c == L'-' ||
                       c == L'.' || c == L'_' || c == L'~' || c == L'\'';
    if (plain || c > 0x7F) {
      out += c;
    } else {
      out += L'%';
      out += kHex[(c >> 4) & 0xF];
      out += kHex[c & 0xF];
    }
  }
  return out;
}

void SetHelpViewer(std::function<void(const HelpCall&)> viewer) { Viewer() = std::move(viewer); }

void SetAddressOpener(std::function<void(HWND, const std::wstring&)> opener) { Opener() = std::move(opener); }

}  // namespace rn
