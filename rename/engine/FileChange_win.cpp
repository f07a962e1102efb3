#include "engine/FileChange_win.h"

#include "engine/TimeStamp.h"

namespace rn {

DWORD ApplyAttributeChange(const std::wstring& path, const RenameTask& task) {
  const DWORD value = AttributeValue(task.Attributes);
  // The system takes "normal" as the way to clear every attribute.
  if (!SetFileAttributesW(path.c_str(), value == 0 ? FILE_ATTRIBUTE_NORMAL : value)) return GetLastError();
  return ERROR_SUCCESS;
}

DWORD ApplyTimeStampChange(const std::wstring& path, const RenameTask& task, DateType type, const DateLocale& locale) {
  if (GetFileAttributesW(path.c_str()) == INVALID_FILE_ATTRIBUTES) return GetLastError();
  const std::optional<DateTime> stamp = ChangedTimeStamp(task, ReadFileTime(path, type), locale);
  if (!stamp || !IsStorableTimeStamp(*stamp)) return ERROR_INVALID_DATA;
  if (!WriteFileTime(path, *stamp, type)) {
    const DWORD error = GetLastError();
    return error == ERROR_SUCCESS ? ERROR_GEN_FAILURE : error;
  }
  return ERROR_SUCCESS;
}

}  // namespace rn
