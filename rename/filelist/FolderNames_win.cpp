#include <windows.h>

#include "base/LongPath.h"
#include "filelist/FolderNames.h"

namespace rn {

namespace {

uint64_t Ticks(const FILETIME& t) { return (static_cast<uint64_t>(t.dwHighDateTime) << 32) | t.dwLowDateTime; }

}  // namespace

bool ScanFolder(const std::wstring& folder, const std::function<void(FolderEntry&&)>& each) {
  WIN32_FIND_DATAW data;
  // The basic form skips the short names and large fetches cut the round trips.
  HANDLE search = FindFirstFileExW(SystemPath(folder + L"*").c_str(), FindExInfoBasic, &data, FindExSearchNameMatch,
                                   nullptr, FIND_FIRST_EX_LARGE_FETCH);
  if (search == INVALID_HANDLE_VALUE) return false;
  do {
    FolderEntry e;
    e.name = data.cFileName;
    if (e.name == L"." || e.name == L"..") continue;
    e.isDir = (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    e.ticks = {Ticks(data.ftLastWriteTime), Ticks(data.ftCreationTime), Ticks(data.ftLastAccessTime)};
    each(std::move(e));
  } while (FindNextFileW(search, &data));
  FindClose(search);
  return true;
}

}  // namespace rn
