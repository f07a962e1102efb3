#include <windows.h>

#include "base/Error.h"
#include "base/Handle_win.h"
#include "base/Texts.h"

namespace rn {

std::wstring SystemErrorText(uint32_t code) {
  wchar_t* buf = nullptr;
  DWORD n = FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                           nullptr, code, 0, reinterpret_cast<wchar_t*>(&buf), 0, nullptr);
  const LocalMemory owned(buf);
  std::wstring text = n ? std::wstring(buf, n) : Text(TextId::MsgSystemError, {std::to_wstring(code)});
  while (!text.empty() && (text.back() == L'\n' || text.back() == L'\r' || text.back() == L' ')) text.pop_back();
  return text;
}

uint32_t LastSystemError() { return GetLastError(); }

void RaiseLastError() { throw AppError{SystemErrorText(GetLastError())}; }

}  // namespace rn
