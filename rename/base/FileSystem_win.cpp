#include "base/FileSystem_win.h"

#include "base/LongPath.h"

namespace rn {

DWORD FileAttributes(const std::wstring& path) { return GetFileAttributesW(SystemPath(path).c_str()); }

bool FileAttributeData(const std::wstring& path, WIN32_FILE_ATTRIBUTE_DATA& data) {
  return GetFileAttributesExW(SystemPath(path).c_str(), GetFileExInfoStandard, &data) != FALSE;
}

bool SetFileAttributesOf(const std::wstring& path, DWORD attributes) {
  return SetFileAttributesW(SystemPath(path).c_str(), attributes) != FALSE;
}

bool MoveEntry(const std::wstring& from, const std::wstring& to, DWORD flags) {
  return MoveFileExW(SystemPath(from).c_str(), SystemPath(to).c_str(), flags) != FALSE;
}

bool DeleteFileAt(const std::wstring& path) { return DeleteFileW(SystemPath(path).c_str()) != FALSE; }

bool MakeFolder(const std::wstring& path) { return CreateDirectoryW(SystemPath(path).c_str(), nullptr) != FALSE; }

bool CopyFileTo(const std::wstring& from, const std::wstring& to, bool failIfExists) {
  return CopyFileW(SystemPath(from).c_str(), SystemPath(to).c_str(), failIfExists) != FALSE;
}

bool MakeHardLink(const std::wstring& link, const std::wstring& existing) {
  return CreateHardLinkW(SystemPath(link).c_str(), SystemPath(existing).c_str(), nullptr) != FALSE;
}

FileHandle OpenFile(const std::wstring& path, DWORD access, DWORD share, DWORD disposition, DWORD flags) {
  return FileHandle(CreateFileW(SystemPath(path).c_str(), access, share, nullptr, disposition, flags, nullptr));
}

bool SetWorkingFolder(const std::wstring& folder) { return SetCurrentDirectoryW(folder.c_str()) != FALSE; }

std::wstring WholePath(const std::wstring& path) {
  std::wstring whole(path.size() + MAX_PATH, L'\0');
  for (;;) {
    const DWORD n = GetFullPathNameW(path.c_str(), static_cast<DWORD>(whole.size()), whole.data(), nullptr);
    if (n == 0) return path;
    if (n < whole.size()) return whole.substr(0, n);
    whole.resize(n);
  }
}

bool ListFolder(const std::wstring& pattern, const std::function<bool(const WIN32_FIND_DATAW&)>& each) {
  WIN32_FIND_DATAW data;
  // The basic form skips the short names and large fetches cut the round trips.
  const FindHandle search(FindFirstFileExW(SystemPath(pattern).c_str(), FindExInfoBasic, &data, FindExSearchNameMatch,
                                           nullptr, FIND_FIRST_EX_LARGE_FETCH));
  if (!search) return false;
  do {
    const wchar_t* name = data.cFileName;
    if (name[0] == L'.' && (name[1] == 0 || (name[1] == L'.' && name[2] == 0))) continue;
    if (!each(data)) break;
  } while (FindNextFileW(search.Get(), &data));
  return true;
}

std::optional<std::wstring> SpellingOnDisk(const std::wstring& path) {
  if (path.find_first_of(L"*?") != std::wstring::npos) return std::nullopt;
  WIN32_FIND_DATAW data;
  const FindHandle search(FindFirstFileW(SystemPath(path).c_str(), &data));
  if (!search) return std::nullopt;
  return std::wstring(data.cFileName);
}

}  // namespace rn
