// Native builds exist for the portable tests. The C library sets only the
// access and modification times, so a creation time cannot be written here.
#include <fcntl.h>
#include <sys/stat.h>

#include <ctime>

#include "base/Text.h"
#include "engine/TimeStamp.h"

namespace rn {

bool WriteFileTime(const std::wstring& path, const DateTime& local, DateType type) {
  if (!IsStorableTimeStamp(local) || type == DateCreated) return false;
  const DateTime even = UnpackDos(PackDos(local));
  std::tm tm{};
  tm.tm_year = even.year - 1900;
  tm.tm_mon = even.month - 1;
  tm.tm_mday = even.day;
  tm.tm_hour = even.hour;
  tm.tm_min = even.minute;
  tm.tm_sec = even.second;
  tm.tm_isdst = -1;
  const time_t t = mktime(&tm);
  if (t == static_cast<time_t>(-1)) return false;
  // Only the modification time changes; the access time is left alone.
  struct timespec times[2] = {{0, UTIME_OMIT}, {t, 0}};
  return utimensat(AT_FDCWD, Utf8FromWide(path).c_str(), times, 0) == 0;
}

}  // namespace rn
