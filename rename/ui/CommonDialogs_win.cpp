#include "ui/CommonDialogs_win.h"

#include <commdlg.h>
#include <shlobj.h>

#include <algorithm>
#include <cwchar>

namespace rn {

namespace {

OpenFilesResponder& FilesResponder() {
  static OpenFilesResponder responder;
  return responder;
}

BrowseResponder& FolderResponder() {
  static BrowseResponder responder;
  return responder;
}

// The browser opens on the folder it was given.
int CALLBACK BrowseCallback(HWND hwnd, UINT msg, LPARAM, LPARAM data) {
  if (msg == BFFM_INITIALIZED && data) SendMessageW(hwnd, BFFM_SETSELECTIONW, TRUE, data);
  return 0;
}

}  // namespace

void SetOpenFilesResponder(OpenFilesResponder responder) { FilesResponder() = std::move(responder); }
void SetBrowseResponder(BrowseResponder responder) { FolderResponder() = std::move(responder); }

OpenFilesResult ShowOpenFiles(HWND owner, const OpenFilesRequest& request) {
  if (FilesResponder()) return FilesResponder()(request);
  // The filter list: "name\0pattern\0" pairs, ended by an empty pair.
  std::wstring filter;
  for (size_t i = 0; i < request.filterNames.size() && i < request.filterPatterns.size(); ++i) {
    filter += request.filterNames[i];
    filter += L'\0';
    filter += request.filterPatterns[i];
    filter += L'\0';
  }
  filter += L'\0';
  // Room for many names: a multi-selection comes back as folder, then names.
  std::vector<wchar_t> buffer(1 << 20, L'\0');
  request.fileName.copy(buffer.data(), std::min(request.fileName.size(), buffer.size() - 1));
  OPENFILENAMEW ofn{};
  ofn.lStructSize = sizeof(ofn);
  ofn.hwndOwner = owner;
  ofn.lpstrFilter = filter.c_str();
  ofn.nFilterIndex = static_cast<DWORD>(request.filterIndex + 1);
  ofn.lpstrFile = buffer.data();
  ofn.nMaxFile = static_cast<DWORD>(buffer.size());
  ofn.lpstrInitialDir = request.initialFolder.empty() ? nullptr : request.initialFolder.c_str();
  ofn.lpstrTitle = request.title.empty() ? nullptr : request.title.c_str();
  ofn.Flags = OFN_ALLOWMULTISELECT | OFN_EXPLORER | OFN_HIDEREADONLY | OFN_ENABLESIZING | OFN_NOCHANGEDIR;
  OpenFilesResult result;
  result.filterIndex = request.filterIndex;
  if (!GetOpenFileNameW(&ofn)) return result;
  result.ok = true;
  result.filterIndex = ofn.nFilterIndex > 0 ? static_cast<int>(ofn.nFilterIndex) - 1 : 0;
  const wchar_t* p = buffer.data();
  std::wstring first = p;
  p += first.size() + 1;
  if (*p == L'\0') {
    result.paths.push_back(first);  // one file: its full path
  } else {
    if (!first.empty() && first.back() != L'\\') first += L'\\';
    for (; *p; p += wcslen(p) + 1) result.paths.push_back(first + p);
  }
  return result;
}

std::optional<std::wstring> BrowseForFolder(HWND owner, const std::wstring& title, const std::wstring& initialFolder) {
  if (FolderResponder()) return FolderResponder()({title, initialFolder});
  BROWSEINFOW bi{};
  bi.hwndOwner = owner;
  bi.lpszTitle = title.c_str();
  bi.ulFlags = BIF_RETURNONLYFSDIRS | BIF_NEWDIALOGSTYLE;
  bi.lpfn = BrowseCallback;
  bi.lParam = reinterpret_cast<LPARAM>(initialFolder.c_str());
  PIDLIST_ABSOLUTE picked = SHBrowseForFolderW(&bi);
  if (!picked) return std::nullopt;
  std::wstring path(32768, L'\0');  // the longest path the system knows
  const bool ok = SHGetPathFromIDListEx(picked, path.data(), static_cast<DWORD>(path.size()), GPFIDL_DEFAULT);
  CoTaskMemFree(picked);
  if (!ok) return std::nullopt;
  path.resize(wcslen(path.c_str()));
  return path;
}

}  // namespace rn
