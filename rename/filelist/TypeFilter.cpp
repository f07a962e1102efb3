#include "filelist/TypeFilter.h"

#include "base/Path.h"
#include "base/Text.h"

namespace rn {

std::wstring EffectiveFilter(const std::wstring& boxText) { return boxText.empty() ? L"*.*" : boxText; }

namespace {

// Wildcard match where "*" takes any run; iterative with one back-track point,
// so that long names cost linear time.
bool MatchNoCase(const std::wstring& pattern, const std::wstring& text) {
  size_t p = 0, t = 0, star = std::wstring::npos, resume = 0;
  while (t < text.size()) {
    if (p < pattern.size() && pattern[p] == L'*') {
      star = p++;
      resume = t;
    } else if (p < pattern.size() && FoldCase(pattern[p]) == FoldCase(text[t])) {
      ++p;
      ++t;
    } else if (star != std::wstring::npos) {
      p = star + 1;
      t = ++resume;
    } else {
      return false;
    }
  }
  while (p < pattern.size() && pattern[p] == L'*') ++p;
  return p == pattern.size();
}

}  // namespace

bool PassesTypeFilter(const std::wstring& filter, const std::wstring& extension) {
  if (filter == L"*.*") return true;
  return MatchNoCase(ExtensionOfPath(filter), extension);
}

std::wstring NormalizeFilterText(const std::wstring& text) {
  if (text.empty() || text[0] == L'*') return text;
  return L"*" + ExtensionOfPath(text);
}

bool OccursInMaskList(const std::vector<std::wstring>& masks, const std::wstring& text) {
  std::wstring joined;
  for (size_t i = 0; i < masks.size(); ++i) {
    if (i) joined += L"\r\n";
    joined += masks[i];
  }
  return joined.find(text) != std::wstring::npos;
}

}  // namespace rn
