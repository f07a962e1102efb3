#include <windows.h>

#include <algorithm>
#include <atomic>
#include <string>

#include "base/FileIo.h"
#include "base/FileSystem_win.h"

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
  const FileHandle h = OpenFile(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL);
  if (!h) return false;
  char buffer[65536];
  for (;;) {
    DWORD got = 0;
    if (!ReadFile(h.Get(), buffer, sizeof buffer, &got, nullptr)) return false;
    if (got == 0) return true;
    bytes.append(buffer, got);
  }
}

bool ReplaceFileContents(const std::wstring& path, const std::string& bytes) {
  if (path.empty()) return false;
  std::wstring temp;
  FileHandle h;
  for (int attempt = 0; attempt < 16 && !h; ++attempt) {
    temp = path + L"." + std::to_wstring(GetCurrentProcessId()) + L"-" + std::to_wstring(++g_tempCounter) + L".tmp";
    h = OpenFile(temp, GENERIC_WRITE, 0, CREATE_NEW, FILE_ATTRIBUTE_NORMAL);
    if (!h && GetLastError() != ERROR_FILE_EXISTS && GetLastError() != ERROR_ALREADY_EXISTS) return false;
  }
  if (!h) return false;

  bool ok = WriteAll(h.Get(), bytes) && FlushFileBuffers(h.Get());
  h.Reset();  // closed before it moves
  ok = ok && MoveEntry(temp, path, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
  if (!ok) {
    const DWORD error = GetLastError();
    DeleteFileAt(temp);
    SetLastError(error);
  }
  return ok;
}

FileStamp GetFileStamp(const std::wstring& path) {
  FileStamp stamp;
  // Opening for attributes only gives the file index as well; should even
  // that be refused, the attribute query still tells size and time.
  const FileHandle h = OpenFile(path, FILE_READ_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS);
  if (h) {
    BY_HANDLE_FILE_INFORMATION info{};
    if (GetFileInformationByHandle(h.Get(), &info)) {
      stamp.exists = true;
      stamp.size = (static_cast<uint64_t>(info.nFileSizeHigh) << 32) | info.nFileSizeLow;
      stamp.mtime =
          (static_cast<uint64_t>(info.ftLastWriteTime.dwHighDateTime) << 32) | info.ftLastWriteTime.dwLowDateTime;
      stamp.id = (static_cast<uint64_t>(info.nFileIndexHigh) << 32) | info.nFileIndexLow;
      return stamp;
    }
  }
  WIN32_FILE_ATTRIBUTE_DATA data{};
  if (!FileAttributeData(path, data)) return stamp;
  stamp.exists = true;
  stamp.size = (static_cast<uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
  stamp.mtime = (static_cast<uint64_t>(data.ftLastWriteTime.dwHighDateTime) << 32) | data.ftLastWriteTime.dwLowDateTime;
  return stamp;
}

bool AppendFile::Append(std::string_view bytes, bool flush) {
  if (handle_ == -1) {
    // Only this program writes the file: one move to its end is enough.
    FileHandle h = OpenFile(path_, GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_DELETE, OPEN_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL);
    if (!h || !SetFilePointerEx(h.Get(), LARGE_INTEGER{}, nullptr, FILE_END)) return false;
    handle_ = reinterpret_cast<intptr_t>(h.Release());
  }
  HANDLE h = reinterpret_cast<HANDLE>(handle_);
  return WriteAll(h, bytes) && (!flush || FlushFileBuffers(h));
}

void AppendFile::Close() {
  if (handle_ == -1) return;
  FileHandle(reinterpret_cast<HANDLE>(handle_)).Reset();
  handle_ = -1;
}

}  // namespace rn
