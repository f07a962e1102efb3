#include <windows.h>

#include "base/LongPath.h"
#include "filelist/FileTicks_win.h"
#include "filelist/FolderNames.h"

namespace rn {

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
    e.ticks = {FileTimeTicks(data.ftLastWriteTime), FileTimeTicks(data.ftCreationTime),
               FileTimeTicks(data.ftLastAccessTime)};
    each(std::move(e));
  } while (FindNextFileW(search, &data));
  FindClose(search);
  return true;
}

}  // namespace rn
