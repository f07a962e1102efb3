#include "filelist/DirScan.h"
#include "filelist/FileTicks_win.h"

#include <windows.h>

#include "base/FileSystem_win.h"

namespace rn {

bool IsFolder(const std::wstring& path) {
  const DWORD attributes = FileAttributes(path);
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

bool IsFile(const std::wstring& path) {
  const DWORD attributes = FileAttributes(path);
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

bool EnterFolder(const std::wstring& folder) {
  return SetWorkingFolder(folder) || IsFolder(folder);
}

namespace {

std::wstring DateText(const WIN32_FILE_ATTRIBUTE_DATA& data, DateType type, const std::wstring& separator) {
  const FILETIME& stamp = type == DateCreated    ? data.ftCreationTime
                          : type == DateAccessed ? data.ftLastAccessTime
                                                 : data.ftLastWriteTime;
  FILETIME local;
  DosDateTime packed;
  if (!FileTimeToLocalFileTime(&stamp, &local) || !FileTimeToDosDateTime(&local, &packed.date, &packed.time))
    return L"";
  return FormatFileDate(UnpackDos(packed), separator);
}

}  // namespace

FoundEntry LookupPath(const std::wstring& path, DateType type, const std::wstring& dateSeparator) {
  FoundEntry entry;
  WIN32_FILE_ATTRIBUTE_DATA data;
  if (!FileAttributeData(path, data)) return entry;
  entry.isDir = (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
  entry.isLink = (data.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0;
  entry.date = DateText(data, type, dateSeparator);
  return entry;
}

void ScanDirectory(const std::wstring& pattern, DateType type, const std::wstring& dateSeparator,
                   const std::function<bool(const FoundEntry&)>& each) {
  FoundEntry entry;
  ListFolder(pattern, [&](const WIN32_FIND_DATAW& data) {
    entry.name = data.cFileName;
    entry.isDir = (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    entry.isLink = (data.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0;
    WIN32_FILE_ATTRIBUTE_DATA times{};
    times.ftCreationTime = data.ftCreationTime;
    times.ftLastAccessTime = data.ftLastAccessTime;
    times.ftLastWriteTime = data.ftLastWriteTime;
    entry.date = entry.isDir ? std::wstring() : DateText(times, type, dateSeparator);
    entry.ticks = {FileTimeTicks(data.ftLastWriteTime), FileTimeTicks(data.ftCreationTime),
                   FileTimeTicks(data.ftLastAccessTime)};
    entry.size = (uint64_t{data.nFileSizeHigh} << 32) | data.nFileSizeLow;
    return each(entry);
  });
}

}  // namespace rn
