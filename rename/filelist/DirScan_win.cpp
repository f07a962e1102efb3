#include "filelist/DirScan_win.h"

#include <windows.h>

namespace rn {

bool IsFolder(const std::wstring& path) {
  const DWORD attributes = GetFileAttributesW(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

void ScanDirectory(const std::wstring& pattern, DateType type, const std::wstring& dateSeparator,
                   const std::function<bool(const FoundEntry&)>& each) {
  WIN32_FIND_DATAW data;
  // The basic form skips the short names and large fetches cut the round trips.
  HANDLE search =
      FindFirstFileExW(pattern.c_str(), FindExInfoBasic, &data, FindExSearchNameMatch, nullptr, FIND_FIRST_EX_LARGE_FETCH);
  if (search == INVALID_HANDLE_VALUE) return;
  FoundEntry entry;
  do {
    entry.name = data.cFileName;
    entry.isDir = (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    entry.isLink = (data.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0;
    entry.date.clear();
    const FILETIME& stamp = type == DateCreated    ? data.ftCreationTime
                            : type == DateAccessed ? data.ftLastAccessTime
                                                   : data.ftLastWriteTime;
    FILETIME local;
    DosDateTime packed;
    if (!entry.isDir && FileTimeToLocalFileTime(&stamp, &local) &&
        FileTimeToDosDateTime(&local, &packed.date, &packed.time))
      entry.date = FormatFileDate(UnpackDos(packed), dateSeparator);
    if (!each(entry)) break;
  } while (FindNextFileW(search, &data));
  FindClose(search);
}

}  // namespace rn
