// Native builds exist for the portable tests: errno and its C library text.
#include <cerrno>
#include <cstring>

#include "base/Error.h"
#include "base/Text.h"

namespace rn {

std::wstring SystemErrorText(uint32_t code) { return WideFromUtf8(std::strerror(static_cast<int>(code))); }

uint32_t LastSystemError() { return static_cast<uint32_t>(errno); }

void RaiseLastError() { throw AppError{SystemErrorText(LastSystemError())}; }

}  // namespace rn
