// What a result of a cut or an insertion must look like, shared by the name
// transform tests and the fuzz target.
#pragma once
#include <string>

namespace rn::test {

// True when result is name with one run of characters (maybe none) taken out.
inline bool IsNameWithOneCut(const std::wstring& result, const std::wstring& name) {
  if (result.size() > name.size()) return false;
  size_t head = 0;
  while (head < result.size() && result[head] == name[head]) ++head;
  const size_t tail = result.size() - head;
  return name.compare(name.size() - tail, tail, result, head, tail) == 0;
}

// True when result is name with text put in at one place.
inline bool IsNameWithInsert(const std::wstring& result, const std::wstring& name, const std::wstring& text) {
  if (result.size() != name.size() + text.size()) return false;
  for (size_t i = 0; i <= name.size(); ++i)
    if (result.compare(0, i, name, 0, i) == 0 && result.compare(i, text.size(), text) == 0 &&
        result.compare(i + text.size(), std::wstring::npos, name, i, std::wstring::npos) == 0)
      return true;
  return false;
}

}  // namespace rn::test
