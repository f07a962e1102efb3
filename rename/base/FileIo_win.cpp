#include <windows.h>

#include <algorithm>
#include <atomic>
#include <string>

#include "base/FileIo.h"
#include "base/LongPath.h"

namespace rn {

namespace {

std::atomic<unsigned> g_tempCounter{0};

bool WriteAll(HANDLE h, std::string_view bytes) {
  size_t done = 0;
  while (done < bytes.size()) {
    const DWORD chunk = static_cast<DWORD>(std::min<size_t>(bytes.size() - done, 1u << 20));
    DWORD written = 0;
    if (!WriteFile(h, bytes.data() + done, chunk, &written, nullptr) || written == 0) return false;
    done += written;
  }
  return true;
}

}  // namespace

bool ReadWholeFile(const std::wstring& path, std::string& bytes) {
  bytes.clear();
  HANDLE h = CreateFileW(SystemPath(path).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                         nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h == INVALID_HANDLE_VALUE) return false;
  bool ok = true;
  char buffer[65536];
  for (;;) {
    DWORD got = 0;
    if (!ReadFile(h, buffer, sizeof buffer, &got, nullptr)) {
      ok = false;
      break;
    }
    if (got == 0) break;
    bytes.append(buffer, got);
  }
  CloseHandle(h);
  return ok;
}

bool ReplaceFileContents(const std::wstring& path, const std::string& bytes) {
  if (path.empty()) return false;
  std::wstring temp;
  HANDLE h = INVALID_HANDLE_VALUE;
  for (int attempt = 0; attempt < 16 && h == INVALID_HANDLE_VALUE; ++attempt) {
    // Kept in the form the system calls take: only they see it.
    temp = SystemPath(path + L"." + std::to_wstring(GetCurrentProcessId()) + L"-" + std::to_wstring(++g_tempCounter) +
                      L".tmp");
    h = CreateFileW(temp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE && GetLastError() != ERROR_FILE_EXISTS && GetLastError() != ERROR_ALREADY_EXISTS)
      return false;
  }
  if (h == INVALID_HANDLE_VALUE) return false;

  bool ok = WriteAll(h, bytes) && FlushFileBuffers(h);
  ok = CloseHandle(h) && ok;
  ok = ok && MoveFileExW(temp.c_str(), SystemPath(path).c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
  if (!ok) DeleteFileW(temp.c_str());
  return ok;
}

FileStamp GetFileStamp(const std::wstring& path) {
  FileStamp stamp;
  // Opening for attributes only gives the file index as well; should even
  // that be refused, the attribute query still tells size and time.
  HANDLE h = CreateFileW(SystemPath(path).c_str(), FILE_READ_ATTRIBUTES,
                         FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                         FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  if (h != INVALID_HANDLE_VALUE) {
    BY_HANDLE_FILE_INFORMATION info{};
    const bool got = GetFileInformationByHandle(h, &info);
    CloseHandle(h);
    if (got) {
      stamp.exists = true;
      stamp.size = (static_cast<uint64_t>(info.nFileSizeHigh) << 32) | info.nFileSizeLow;
      stamp.mtime =
          (static_cast<uint64_t>(info.ftLastWriteTime.dwHighDateTime) << 32) | info.ftLastWriteTime.dwLowDateTime;
      stamp.id = (static_cast<uint64_t>(info.nFileIndexHigh) << 32) | info.nFileIndexLow;
      return stamp;
    }
  }
  WIN32_FILE_ATTRIBUTE_DATA data{};
  if (!GetFileAttributesExW(SystemPath(path).c_str(), GetFileExInfoStandard, &data)) return stamp;
  stamp.exists = true;
  stamp.size = (static_cast<uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
  stamp.mtime = (static_cast<uint64_t>(data.ftLastWriteTime.dwHighDateTime) << 32) | data.ftLastWriteTime.dwLowDateTime;
  return stamp;
}

bool AppendFile::Append(std::string_view bytes, bool flush) {
  if (handle_ == -1) {
    // Only this program writes the file: one move to its end is enough.
    HANDLE h = CreateFileW(path_.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_DELETE, nullptr, OPEN_ALWAYS,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) return false;
    if (!SetFilePointerEx(h, LARGE_INTEGER{}, nullptr, FILE_END)) {
      CloseHandle(h);
      return false;
    }
    handle_ = reinterpret_cast<intptr_t>(h);
  }
  HANDLE h = reinterpret_cast<HANDLE>(handle_);
  return WriteAll(h, bytes) && (!flush || FlushFileBuffers(h));
}

void AppendFile::Close() {
  if (handle_ == -1) return;
  CloseHandle(reinterpret_cast<HANDLE>(handle_));
  handle_ = -1;
}

}  // namespace rn
