#include <windows.h>

#include "engine/CaseConvert.h"

namespace rn {

namespace {

// The user's locale mapping; should the call fail, the older per-buffer call
// (which never changes the length) still gives the system's conversion.
std::wstring MapWithLocale(const std::wstring& s, DWORD flag) {
  if (s.empty()) return s;
  const int n = static_cast<int>(s.size());
  const int need = LCMapStringEx(LOCALE_NAME_USER_DEFAULT, flag, s.c_str(), n, nullptr, 0, nullptr, nullptr, 0);
  if (need > 0) {
    std::wstring out(static_cast<size_t>(need), L'\0');
    if (LCMapStringEx(LOCALE_NAME_USER_DEFAULT, flag, s.c_str(), n, out.data(), need, nullptr, nullptr, 0) == need)
      return out;
  }
  std::wstring out = s;
  if (flag == LCMAP_UPPERCASE)
    CharUpperBuffW(out.data(), static_cast<DWORD>(out.size()));
  else
    CharLowerBuffW(out.data(), static_cast<DWORD>(out.size()));
  return out;
}

std::wstring Upper(const std::wstring& s) { return MapWithLocale(s, LCMAP_UPPERCASE); }
std::wstring Lower(const std::wstring& s) { return MapWithLocale(s, LCMAP_LOWERCASE); }

}  // namespace

const CaseConverter& SystemCaseConverter() {
  static const CaseConverter converter{Upper, Lower};
  return converter;
}

}  // namespace rn
