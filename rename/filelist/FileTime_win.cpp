#include <windows.h>

#include "filelist/FileTime.h"

namespace rn {

std::optional<DateTime> ReadFileTime(const std::wstring& path, DateType type) {
  WIN32_FIND_DATAW found;
  HANDLE search = FindFirstFileW(path.c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return std::nullopt;
  FindClose(search);
  const FILETIME& stamp = type == DateCreated    ? found.ftCreationTime
                          : type == DateAccessed ? found.ftLastAccessTime
                                                 : found.ftLastWriteTime;
  FILETIME local;
  DosDateTime packed;
  if (!FileTimeToLocalFileTime(&stamp, &local) || !FileTimeToDosDateTime(&local, &packed.date, &packed.time))
    return std::nullopt;
  return UnpackDos(packed);
}

}  // namespace rn
