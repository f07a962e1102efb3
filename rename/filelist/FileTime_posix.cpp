// Native builds exist for the portable tests; they read the modification time
// through the C library, in local time.
#include <sys/stat.h>

#include <ctime>

#include "base/Text.h"
#include "filelist/FileTime.h"

namespace rn {

namespace {

std::optional<DateTime> LocalStamp(time_t t) {
  std::tm local{};
  localtime_r(&t, &local);
  DateTime dt{local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_hour, local.tm_min, local.tm_sec};
  return UnpackDos(PackDos(dt));
}

}  // namespace

std::optional<DateTime> ReadFileTime(const std::wstring& path, DateType type) {
  struct stat st {};
  if (stat(Utf8FromWide(path).c_str(), &st) != 0) return std::nullopt;
  return LocalStamp(type == DateAccessed ? st.st_atime : st.st_mtime);
}

// Ticks count 100 ns from 1601 as on Windows.
std::optional<DateTime> StampFromTicks(uint64_t ticks) {
  constexpr uint64_t kUnixEpoch = 116444736000000000ull;
  if (ticks < kUnixEpoch) return std::nullopt;
  return LocalStamp(static_cast<time_t>((ticks - kUnixEpoch) / 10000000ull));
}

}  // namespace rn
