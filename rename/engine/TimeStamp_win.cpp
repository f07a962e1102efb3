#include <windows.h>

#include "base/FileSystem_win.h"
#include "engine/TimeStamp.h"

namespace rn {

bool WriteFileTime(const std::wstring& path, const DateTime& local, DateType type) {
  if (!IsStorableTimeStamp(local)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return false;
  }
  // No sharing: a file another program holds open is left alone. The backup
  // flag lets folders be opened too. Writing the attributes is the right a
  // time stamp needs, so read-only files can be stamped as well.
  FileHandle h = OpenFile(path, GENERIC_READ | FILE_WRITE_ATTRIBUTES, 0, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS);
  if (!h) return false;
  const DosDateTime packed = PackDos(local);
  FILETIME localTime, universal;
  BOOL ok =
      DosDateTimeToFileTime(packed.date, packed.time, &localTime) && LocalFileTimeToFileTime(&localTime, &universal) &&
      SetFileTime(h.Get(), type == DateCreated ? &universal : nullptr, nullptr, type == DateCreated ? nullptr : &universal);
  const DWORD error = ok ? ERROR_SUCCESS : GetLastError();
  h.Reset();
  SetLastError(error);
  return ok != FALSE;
}

}  // namespace rn
