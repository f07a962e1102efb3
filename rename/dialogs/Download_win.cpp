#include "dialogs/Download_win.h"
#include "base/Handle_win.h"

#include <wininet.h>

namespace rn {

namespace {

// The owner every handle has, for the internet's own kind.
struct InternetKind {
  using Value = HINTERNET;
  static Value Empty() { return nullptr; }
  static void Close(Value h) { InternetCloseHandle(h); }
};
using InternetHandle = Owned<InternetKind>;

constexpr DWORD kTimeoutMs = 15000;  // the window waits meanwhile, so never long

}  // namespace

Download DownloadAddress(const std::wstring& address) {
  Download result;
  InternetHandle internet{InternetOpenW(L"Rename", INTERNET_OPEN_TYPE_PRECONFIG, nullptr, nullptr, 0)};
  if (!internet) {
    result.error = GetLastError();
    return result;
  }
  DWORD timeout = kTimeoutMs;
  for (DWORD option : {INTERNET_OPTION_CONNECT_TIMEOUT, INTERNET_OPTION_RECEIVE_TIMEOUT, INTERNET_OPTION_SEND_TIMEOUT})
    InternetSetOptionW(internet.Get(), option, &timeout, sizeof(timeout));

  // Always the server's current file: a cached copy would hide a new version.
  const DWORD flags = INTERNET_FLAG_RELOAD | INTERNET_FLAG_NO_CACHE_WRITE | INTERNET_FLAG_PRAGMA_NOCACHE |
                      INTERNET_FLAG_NO_COOKIES | INTERNET_FLAG_NO_UI;
  InternetHandle request{InternetOpenUrlW(internet.Get(), address.c_str(), nullptr, 0, flags, 0)};
  if (!request) {
    result.error = GetLastError();
    return result;
  }
  DWORD status = 0, size = sizeof(status);
  if (HttpQueryInfoW(request.Get(), HTTP_QUERY_STATUS_CODE | HTTP_QUERY_FLAG_NUMBER, &status, &size, nullptr))
    result.httpStatus = status;
  // An address of another scheme has no status; one of HTTP must say 2xx.
  if (result.httpStatus != 0 && (result.httpStatus < 200 || result.httpStatus > 299)) return result;

  char buffer[4096];
  for (;;) {
    DWORD read = 0;
    if (!InternetReadFile(request.Get(), buffer, sizeof(buffer), &read)) {
      result.error = GetLastError();
      return result;
    }
    if (read == 0) break;
    if (result.body.size() + read > kLargestDownload) {
      result.body.clear();
      return result;
    }
    result.body.append(buffer, read);
  }
  result.ok = true;
  return result;
}

}  // namespace rn
