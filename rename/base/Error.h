// Errors a handler does not handle itself: the window procedure shows their
// text in the error box and the program goes on.
#pragma once
#include <cstdint>
#include <string>

namespace rn {

struct AppError {
  std::wstring text;
};

// The system's text for an error code of the platform (GetLastError() on
// Windows, errno natively), without trailing line breaks.
std::wstring SystemErrorText(uint32_t code);
// The code of the last failed system call of this thread.
uint32_t LastSystemError();
// Raises the last system error as an AppError.
[[noreturn]] void RaiseLastError();

}  // namespace rn
