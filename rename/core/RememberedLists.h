// The remembered inputs of the operation panel and the user's type filters,
// as stored in their own sections of Rename.ini.
#pragma once
#include <string>
#include <vector>

#include "base/SettingsFile.h"

namespace rn {

inline constexpr int kBuiltInMasks = 7;
extern const wchar_t* const kBuiltInMaskList[kBuiltInMasks];

// Keys "0" … maxKeys-1 in order; values blank after trimming are skipped.
// Entries were stored quoted with inner quotes doubled; the doubling is undone.
std::vector<std::wstring> ReadRememberedList(const SettingsFile& settings, const std::wstring& section, int maxKeys);
// The first maxCount entries to keys "0", "1", …, quoted; keys beyond stay.
void WriteRememberedList(SettingsFile& settings, const std::wstring& section, const std::vector<std::wstring>& items,
                         int maxCount);

// The type filter list: the built-in masks followed by the remembered ones
// (empty values and masks already present, compared without case, are skipped).
std::vector<std::wstring> ReadTypeFilterMasks(const SettingsFile& settings);
// The masks after the built-in ones, the last six at most, to keys "0", "1", ….
void WriteTypeFilterMasks(SettingsFile& settings, const std::vector<std::wstring>& masks);

}  // namespace rn
