// Date-times as local wall-clock values at the old file system's 2-second
// resolution, from 1 January 1980 to the end of 2107, and their packed form.
#pragma once
#include <cstdint>
#include <string>

namespace rn {

struct DateTime {
  int year = 1980, month = 1, day = 1;
  int hour = 0, minute = 0, second = 0;
  bool operator==(const DateTime&) const = default;
};

// Which stamp is meant: 1 last modified, 2 created, 3 last accessed.
enum DateType : int { DateModified = 1, DateCreated = 2, DateAccessed = 3 };
// Any other stored value is read as "modified".
DateType DateTypeFromSetting(int value);

struct DosDateTime {
  uint16_t date = 0;
  uint16_t time = 0;
};

// Packing clips to the representable range and drops odd seconds.
DosDateTime PackDos(const DateTime& dt);
DateTime UnpackDos(const DosDateTime& packed);

// "yyyymmddhhnnss", zero-padded: ordered as text as the moments are in time.
std::wstring DateSortKey(const DateTime& dt);

// "yyyy/mm/dd" with "/" replaced by the locale's date separator.
std::wstring FormatFileDate(const DateTime& dt, const std::wstring& separator);

}  // namespace rn
