#include "core/RememberedLists.h"

#include <algorithm>

#include "base/Text.h"

namespace rn {

const wchar_t* const kBuiltInMaskList[kBuiltInMasks] = {L"*.*",   L"*.htm*", L"*.bmp", L"*.gif",
                                                        L"*.jpg", L"*.txt",  L"*.log"};

std::vector<std::wstring> ReadRememberedList(const SettingsFile& settings, const std::wstring& section, int maxKeys) {
  std::vector<std::wstring> items;
  for (int i = 0; i < maxKeys; ++i) {
    std::wstring value = ReadListEntry(settings, section, std::to_wstring(i));
    if (Trim(value).empty()) continue;
    items.push_back(value);
  }
  return items;
}

void WriteRememberedList(SettingsFile& settings, const std::wstring& section, const std::vector<std::wstring>& items,
                         int maxCount) {
  const int n = std::min<int>(maxCount, static_cast<int>(items.size()));
  for (int i = 0; i < n; ++i) settings.WriteString(section, std::to_wstring(i), QuoteListEntry(items[i]));
}

std::vector<std::wstring> ReadTypeFilterMasks(const SettingsFile& settings) {
  std::vector<std::wstring> masks(kBuiltInMaskList, kBuiltInMaskList + kBuiltInMasks);
  for (int i = 0; i < 6; ++i) {
    std::wstring value = settings.ReadString(L"Extensions", std::to_wstring(i), L"");
    if (value.empty()) continue;
    bool known = std::any_of(masks.begin(), masks.end(), [&](const std::wstring& m) { return EqualsNoCase(m, value); });
    if (!known) masks.push_back(value);
  }
  return masks;
}

void WriteTypeFilterMasks(SettingsFile& settings, const std::vector<std::wstring>& masks) {
  const int c = static_cast<int>(masks.size());
  int key = 0;
  for (int i = std::max(c - 6, kBuiltInMasks); i < c; ++i)
    settings.WriteString(L"Extensions", std::to_wstring(key++), masks[i]);
}

}  // namespace rn
