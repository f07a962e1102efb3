#include "base/DateTime.h"

#include <algorithm>
#include <cstdio>
#include <cwchar>

namespace rn {

DateType DateTypeFromSetting(int value) {
  return (value == DateCreated || value == DateAccessed) ? static_cast<DateType>(value) : DateModified;
}

DosDateTime PackDos(const DateTime& dt) {
  DateTime c = dt;
  if (c.year < 1980) c = DateTime{};
  if (c.year > 2107) c = DateTime{2107, 12, 31, 23, 59, 58};
  auto clip = [](int v, int lo, int hi) { return std::clamp(v, lo, hi); };
  DosDateTime p;
  p.date = static_cast<uint16_t>(((c.year - 1980) << 9) | (clip(c.month, 1, 12) << 5) | clip(c.day, 1, 31));
  p.time =
      static_cast<uint16_t>((clip(c.hour, 0, 23) << 11) | (clip(c.minute, 0, 59) << 5) | (clip(c.second, 0, 59) / 2));
  return p;
}

DateTime UnpackDos(const DosDateTime& p) {
  DateTime dt;
  dt.year = 1980 + (p.date >> 9);
  dt.month = (p.date >> 5) & 0x0F;
  dt.day = p.date & 0x1F;
  dt.hour = p.time >> 11;
  dt.minute = (p.time >> 5) & 0x3F;
  dt.second = (p.time & 0x1F) * 2;
  return dt;
}

std::wstring FormatFileDate(const DateTime& dt, const std::wstring& separator) {
  wchar_t buf[32];
  std::swprintf(buf, 32, L"%04d%ls%02d%ls%02d", dt.year, separator.c_str(), dt.month, separator.c_str(), dt.day);
  return buf;
}

std::wstring DateSortKey(const DateTime& dt) {
  wchar_t key[32];
  swprintf(key, 32, L"%04d%02d%02d%02d%02d%02d", dt.year, dt.month, dt.day, dt.hour, dt.minute, dt.second);
  return key;
}

}  // namespace rn
