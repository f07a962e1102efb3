// Native builds exist for the portable tests: Windows-1252 and a comparison
// of the folded texts stand in for the system's code page and locale.
#include <algorithm>

#include "base/Text.h"

namespace rn {

std::wstring WideFromAnsi(const std::string& s) { return WideFromCp1252(s); }

bool AnsiFromWide(const std::wstring& s, std::string& out) { return Cp1252FromWide(s, out); }

int CompareLocaleNoCase(const std::wstring& a, const std::wstring& b) {
  const size_t n = std::min(a.size(), b.size());
  for (size_t i = 0; i < n; ++i) {
    const wchar_t x = FoldCase(a[i]), y = FoldCase(b[i]);
    if (x != y) return x < y ? -1 : 1;
  }
  return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
}

}  // namespace rn
