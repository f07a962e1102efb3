#include "filelist/DirScan.h"
#include "filelist/FileTicks_win.h"

#include <windows.h>

#include "base/LongPath.h"

namespace rn {

bool IsFolder(const std::wstring& path) {
  const DWORD attributes = GetFileAttributesW(SystemPath(path).c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

bool IsFile(const std::wstring& path) {
  const DWORD attributes = GetFileAttributesW(SystemPath(path).c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

bool EnterFolder(const std::wstring& folder) {
  // The working directory takes the plain spelling: an extended one would
  // leak into every relative path the system resolves later.
  return SetCurrentDirectoryW(folder.c_str()) || IsFolder(folder);
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
  if (!GetFileAttributesExW(SystemPath(path).c_str(), GetFileExInfoStandard, &data)) return entry;
  entry.isDir = (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
  entry.isLink = (data.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0;
  entry.date = DateText(data, type, dateSeparator);
  return entry;
}

void ScanDirectory(const std::wstring& pattern, DateType type, const std::wstring& dateSeparator,
                   const std::function<bool(const FoundEntry&)>& each) {
  WIN32_FIND_DATAW data;
  // The basic form skips the short names and large fetches cut the round trips.
  HANDLE search = FindFirstFileExW(SystemPath(pattern).c_str(), FindExInfoBasic, &data, FindExSearchNameMatch, nullptr,
                                   FIND_FIRST_EX_LARGE_FETCH);
  if (search == INVALID_HANDLE_VALUE) return;
  FoundEntry entry;
  do {
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
    if (!each(entry)) break;
  } while (FindNextFileW(search, &data));
  FindClose(search);
}

}  // namespace rn
