#include <windows.h>

#include <shellapi.h>
#include <shlobj.h>
#include <shlwapi.h>

#include "base/ComRef_win.h"
#include "base/FileSystem_win.h"
#include "base/LongPath.h"
#include "base/Path.h"
#include "base/Text.h"
#include "engine/FileAside.h"

namespace rn {

namespace {

bool Exists(const std::wstring& path) { return FileAttributes(path) != INVALID_FILE_ATTRIBUTES; }

// "name.ext" free in the folder, or "name (2).ext" and up.
std::wstring FreeName(const std::wstring& folder, const std::wstring& name) {
  const std::wstring ext = ExtensionOf(name), stem = name.substr(0, name.size() - ext.size());
  std::wstring candidate = folder + name;
  for (int n = 2; Exists(candidate) && n < 100000; ++n) candidate = folder + stem + L" (" + std::to_wstring(n) + L")" + ext;
  return candidate;
}

bool FileId(const std::wstring& path, BY_HANDLE_FILE_INFORMATION& info) {
  const FileHandle file = OpenFile(path, FILE_READ_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                   OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS);
  return file && GetFileInformationByHandle(file.Get(), &info);
}

DWORD LinkCount(const std::wstring& path) {
  BY_HANDLE_FILE_INFORMATION info{};
  return FileId(path, info) ? info.nNumberOfLinks : 0;
}

// The shell's delete with undo allowed and no questions. Its calls take
// paths of the old length only.
void ToRecycleBin(const std::wstring& path) {
  if (path.size() >= MAX_PATH) return;
  std::wstring from = NormalPath(path);
  from.push_back(L'\0');  // the list ends in two
  SHFILEOPSTRUCTW op{};
  op.wFunc = FO_DELETE;
  op.pFrom = from.c_str();
  op.fFlags = FOF_ALLOWUNDO | FOF_NO_UI;
  SHFileOperationW(&op);
}

bool MakeFolders(const std::wstring& folder) {
  for (size_t at = folder.find(L'\\', 3); at != std::wstring::npos; at = folder.find(L'\\', at + 1))
    if (!MakeFolder(folder.substr(0, at)) && GetLastError() != ERROR_ALREADY_EXISTS) return false;
  return true;
}

bool MoveTo(const std::wstring& from, const std::wstring& to) {
  return MakeFolders(FolderOf(to)) && MoveEntry(from, to, MOVEFILE_COPY_ALLOWED | MOVEFILE_WRITE_THROUGH);
}

// Once per thread, never undone.
void EnsureCom() {
  thread_local const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  (void)com;
}

std::wstring Details(IShellFolder2* bin, PCUITEMID_CHILD item, UINT column) {
  SHELLDETAILS details{};
  wchar_t text[MAX_PATH * 2] = L"";
  if (FAILED(bin->GetDetailsOf(item, column, &details))) return L"";
  if (FAILED(StrRetToBufW(&details.str, item, text, ARRAYSIZE(text)))) return L"";
  return text;
}

// When the item was deleted, where the shell tells it (0 where it does not).
double DeletedAt(IShellFolder2* bin, PCUITEMID_CHILD item) {
  static const SHCOLUMNID kDateDeleted{{0x9B174B33, 0x40FF, 0x11D2, {0xA2, 0x7E, 0x00, 0xC0, 0x4F, 0xC3, 0x08, 0x71}},
                                       3};
  VARIANT value;
  VariantInit(&value);
  if (FAILED(bin->GetDetailsEx(item, &kDateDeleted, &value))) return 0;
  const double at = value.vt == VT_DATE ? value.date : 0;
  VariantClear(&value);
  return at;
}

struct ItemId {
  PITEMID_CHILD id = nullptr;
  ~ItemId() { CoTaskMemFree(id); }
};

bool Invoke(IContextMenu* menu, LPCSTR verb) {
  CMINVOKECOMMANDINFO info{};
  info.cbSize = sizeof info;
  info.fMask = CMIC_MASK_FLAG_NO_UI;
  info.lpVerb = verb;
  info.nShow = SW_SHOWNORMAL;
  return SUCCEEDED(menu->InvokeCommand(&info));
}

// The shell's own "Restore" of the item: by its verb, or, from a shell that
// names no verbs, by its menu, which leads with it.
bool Restore(IContextMenu* menu, const std::wstring& path) {
  if (Invoke(menu, "undelete") && Exists(path)) return true;
  const MenuHandle popup(CreatePopupMenu());
  if (!popup) return false;
  constexpr UINT kFirst = 1;
  int byVerb = -1, first = -1;
  bool verbsKnown = false;
  if (SUCCEEDED(menu->QueryContextMenu(popup.Get(), 0, kFirst, 0x7FFF, CMF_NORMAL))) {
    for (int i = 0; i < GetMenuItemCount(popup.Get()); ++i) {
      const UINT id = GetMenuItemID(popup.Get(), i);
      if (id == static_cast<UINT>(-1) || id < kFirst) continue;
      if (first < 0) first = static_cast<int>(id - kFirst);
      wchar_t verb[64] = L"";
      if (FAILED(menu->GetCommandString(id - kFirst, GCS_VERBW, nullptr, reinterpret_cast<LPSTR>(verb),
                                        ARRAYSIZE(verb))))
        continue;
      verbsKnown = true;
      if (lstrcmpiW(verb, L"undelete") == 0) byVerb = static_cast<int>(id - kFirst);
    }
  }
  const int restore = verbsKnown ? byVerb : first;
  return restore >= 0 && Invoke(menu, MAKEINTRESOURCEA(restore)) && Exists(path);
}

uint32_t FromRecycleBin(const std::wstring& path) {
  EnsureCom();
  std::wstring folder, name;
  SplitPath(NormalPath(path), folder, name);
  if (folder.size() > 1) folder.pop_back();
  const std::wstring stem = name.substr(0, name.size() - ExtensionOf(name).size());

  ComRef<IShellFolder> desktop;
  ComRef<IShellFolder2> bin;
  PIDLIST_ABSOLUTE binId = nullptr;
  if (FAILED(SHGetDesktopFolder(desktop.Out())) ||
      FAILED(SHGetSpecialFolderLocation(nullptr, CSIDL_BITBUCKET, &binId)))
    return ERROR_FILE_NOT_FOUND;
  const HRESULT bound = desktop->BindToObject(binId, nullptr, IID_IShellFolder2, bin.OutVoid());
  CoTaskMemFree(binId);
  ComRef<IEnumIDList> items;
  if (FAILED(bound) ||
      bin->EnumObjects(nullptr, SHCONTF_FOLDERS | SHCONTF_NONFOLDERS | SHCONTF_INCLUDEHIDDEN, items.Out()) != S_OK)
    return ERROR_FILE_NOT_FOUND;

  // The latest deleted from the path; the shell may show names without
  // their extensions.
  ItemId best;
  double bestAt = -1;
  bool bestExact = false;
  for (ItemId item; items->Next(1, &item.id, nullptr) == S_OK; CoTaskMemFree(std::exchange(item.id, nullptr))) {
    if (!EqualsNoCase(Details(bin.Get(), item.id, 1), folder)) continue;
    const std::wstring shown = Details(bin.Get(), item.id, 0);
    const bool exact = EqualsNoCase(shown, name);
    if (!exact && !EqualsNoCase(shown, stem)) continue;
    const double at = DeletedAt(bin.Get(), item.id);
    if (best.id && (bestExact && !exact)) continue;
    if (best.id && bestExact == exact && at < bestAt) continue;
    CoTaskMemFree(std::exchange(best.id, std::exchange(item.id, nullptr)));
    bestAt = at;
    bestExact = exact;
  }
  if (!best.id) return ERROR_FILE_NOT_FOUND;
  ComRef<IContextMenu> menu;
  PCUITEMID_CHILD one[] = {best.id};
  if (FAILED(bin->GetUIObjectOf(nullptr, 1, one, IID_IContextMenu, nullptr, menu.OutVoid())))
    return ERROR_FILE_NOT_FOUND;
  return Restore(menu.Get(), path) ? 0 : ERROR_FILE_NOT_FOUND;
}

}  // namespace

AsideNames PlanAside(const std::wstring& path, const std::wstring& keepFolder) {
  std::wstring folder, name;
  SplitPath(path, folder, name);
  AsideNames names;
  for (unsigned n = GetTickCount() & 0xFFFF, tries = 0; tries < 1000; ++n, ++tries) {
    const std::wstring candidate = folder + L"~rename" + std::to_wstring(n) + L".replaced";
    if (!Exists(candidate)) {
      names.link = candidate;
      break;
    }
  }
  names.kept = FreeName(keepFolder, name);
  return names;
}

AsideResult SetAside(const std::wstring& path, const AsideNames& names, uint32_t& error) {
  error = 0;
  if (!names.link.empty() && MakeHardLink(names.link, path)) {
    ToRecycleBin(path);
    if (!Exists(path)) {
      // Still two names: the other one is in the Recycle Bin.
      if (LinkCount(names.link) >= 2 && RemoveName(names.link)) return AsideResult::RecycleBin;
      if (MoveTo(names.link, names.kept)) return AsideResult::Kept;
      error = GetLastError();
      MoveEntry(names.link, path);
      return AsideResult::Failed;
    }
    RemoveName(names.link);
  }
  if (MoveTo(path, names.kept)) return AsideResult::Kept;
  error = GetLastError();
  return AsideResult::Failed;
}

uint32_t PutBack(const std::wstring& path, const std::wstring& kept) {
  if (Exists(path)) return ERROR_FILE_EXISTS;
  if (kept.empty()) return FromRecycleBin(path);
  return MoveEntry(kept, path, MOVEFILE_COPY_ALLOWED) ? 0 : GetLastError();
}

bool SameFile(const std::wstring& a, const std::wstring& b) {
  BY_HANDLE_FILE_INFORMATION x{}, y{};
  return FileId(a, x) && FileId(b, y) && x.dwVolumeSerialNumber == y.dwVolumeSerialNumber &&
         x.nFileIndexHigh == y.nFileIndexHigh && x.nFileIndexLow == y.nFileIndexLow;
}

// The attributes belong to the file, not to one of its names: a read-only
// file keeps its second name (it then goes to the program's folder too).
bool RemoveName(const std::wstring& path) { return DeleteFileAt(path); }

}  // namespace rn
