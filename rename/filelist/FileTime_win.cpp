#include <windows.h>

#include "base/FileSystem_win.h"
#include "filelist/FileTime.h"

namespace rn {

std::optional<DateTime> ReadFileTime(const std::wstring& path, DateType type) {
  // One attribute query: no directory search, and wildcards in the text stay plain characters.
  WIN32_FILE_ATTRIBUTE_DATA found;
  if (!FileAttributeData(path, found)) return std::nullopt;
  const FILETIME& stamp = type == DateCreated    ? found.ftCreationTime
                          : type == DateAccessed ? found.ftLastAccessTime
                                                 : found.ftLastWriteTime;
  return StampFromTicks((static_cast<uint64_t>(stamp.dwHighDateTime) << 32) | stamp.dwLowDateTime);
}

std::optional<DateTime> StampFromTicks(uint64_t ticks) {
  const FILETIME stamp{static_cast<DWORD>(ticks), static_cast<DWORD>(ticks >> 32)};
  FILETIME local;
  DosDateTime packed;
  if (!FileTimeToLocalFileTime(&stamp, &local) || !FileTimeToDosDateTime(&local, &packed.date, &packed.time))
    return std::nullopt;
  return UnpackDos(packed);
}

}  // namespace rn
