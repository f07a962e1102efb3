// Fetching a small file over the internet (the version file), synchronously
// on the calling thread. A server's error answer is a failure, never data.
#pragma once
#include <windows.h>

#include <string>

namespace rn {

struct Download {
  bool ok = false;
  std::string body;      // the bytes received, when ok
  DWORD httpStatus = 0;  // the server's status (0 when none arrived)
  DWORD error = 0;       // the system's error code of a failed connection or read
};

// Files larger than this are refused: a version file is a few hundred bytes.
inline constexpr size_t kLargestDownload = 1 << 20;

Download DownloadAddress(const std::wstring& address);

}  // namespace rn
