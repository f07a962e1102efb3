#include "base/LongPath.h"

#include <string_view>
#include <vector>

namespace rn {

namespace {

constexpr std::wstring_view kExtended = L"\\\\?\\";
constexpr std::wstring_view kExtendedUnc = L"\\\\?\\UNC\\";

bool IsSeparator(wchar_t c) { return c == L'\\' || c == L'/'; }

bool IsDriveLetter(wchar_t c) { return (c >= L'A' && c <= L'Z') || (c >= L'a' && c <= L'z'); }

// "\\?\", "\\.\", "\??\" and their slash spellings: the system's own forms,
// which are either taken literally or normalised by the system itself.
bool IsDevicePath(const std::wstring& p) {
  return p.size() >= 4 && IsSeparator(p[0]) && IsSeparator(p[3]) &&
         ((IsSeparator(p[1]) && (p[2] == L'?' || p[2] == L'.')) || (p[1] == L'?' && p[2] == L'?'));
}

// The components from `from` on, with "." dropped and ".." taking the one
// before it away (never above the root).
std::vector<std::wstring_view> Components(std::wstring_view p, size_t from) {
  std::vector<std::wstring_view> out;
  size_t i = from;
  while (i < p.size()) {
    while (i < p.size() && IsSeparator(p[i])) ++i;
    size_t end = i;
    while (end < p.size() && !IsSeparator(p[end])) ++end;
    const std::wstring_view part = p.substr(i, end - i);
    if (part == L"..") {
      if (!out.empty()) out.pop_back();
    } else if (!part.empty() && part != L".") {
      out.push_back(part);
    }
    i = end;
  }
  return out;
}

}  // namespace

std::wstring ExtendedLengthPath(const std::wstring& path) {
  if (IsDevicePath(path)) return path;
  std::wstring out;
  size_t rest = 0;
  if (path.size() >= 3 && IsDriveLetter(path[0]) && path[1] == L':' && IsSeparator(path[2])) {
    out = std::wstring(kExtended) + path.substr(0, 2) + L'\\';
    rest = 3;
  } else if (path.size() >= 3 && IsSeparator(path[0]) && IsSeparator(path[1]) && !IsSeparator(path[2])) {
    // A UNC path needs its server and share; the share is the root.
    size_t server = 2;
    while (server < path.size() && !IsSeparator(path[server])) ++server;
    size_t share = server;
    while (share < path.size() && IsSeparator(path[share])) ++share;
    size_t shareEnd = share;
    while (shareEnd < path.size() && !IsSeparator(path[shareEnd])) ++shareEnd;
    if (shareEnd == share) return path;
    out =
        std::wstring(kExtendedUnc) + path.substr(2, server - 2) + L'\\' + path.substr(share, shareEnd - share) + L'\\';
    rest = shareEnd;
  } else {
    return path;  // relative, drive-relative or rooted on the current drive
  }
  const std::vector<std::wstring_view> parts = Components(path, rest);
  for (size_t k = 0; k < parts.size(); ++k) {
    if (k > 0) out += L'\\';
    out += parts[k];
  }
  if (!parts.empty() && IsSeparator(path.back())) out += L'\\';
  return out;
}

std::wstring SystemPath(const std::wstring& path) {
  return path.size() < kPlainPathLimit ? path : ExtendedLengthPath(path);
}

std::wstring NormalPath(const std::wstring& path) {
  const std::wstring_view p = path;
  if (p.size() > kExtendedUnc.size() && p.substr(0, kExtendedUnc.size()) == kExtendedUnc)
    return L"\\\\" + path.substr(kExtendedUnc.size());
  if (p.size() >= kExtended.size() + 3 && p.substr(0, kExtended.size()) == kExtended &&
      IsDriveLetter(p[kExtended.size()]) && p[kExtended.size() + 1] == L':' && p[kExtended.size() + 2] == L'\\')
    return path.substr(kExtended.size());
  return path;
}

}  // namespace rn
