#include <windows.h>

#include "engine/FileChange.h"

#include "base/FileSystem_win.h"
#include "engine/TimeStamp.h"
#include "filelist/FileTime.h"

namespace rn {

uint32_t ApplyAttributeChange(const std::wstring& path, const RenameTask& task) {
  const DWORD value = AttributeValue(task.Attributes);
  // The system takes "normal" as the way to clear every attribute.
  if (!SetFileAttributesOf(path, value == 0 ? FILE_ATTRIBUTE_NORMAL : value)) return GetLastError();
  return ERROR_SUCCESS;
}

uint32_t ApplyTimeStampChange(const std::wstring& path, const RenameTask& task, DateType type,
                              const DateLocale& locale) {
  if (FileAttributes(path) == INVALID_FILE_ATTRIBUTES) return GetLastError();
  const std::optional<DateTime> stamp = ChangedTimeStamp(task, ReadFileTime(path, type), locale);
  if (!stamp || !IsStorableTimeStamp(*stamp)) return ERROR_INVALID_DATA;
  if (!WriteFileTime(path, *stamp, type)) {
    const DWORD error = GetLastError();
    return error == ERROR_SUCCESS ? ERROR_GEN_FAILURE : error;
  }
  return ERROR_SUCCESS;
}

}  // namespace rn
