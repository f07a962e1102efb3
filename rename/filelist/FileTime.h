// An entry's time stamp as the file list shows and sorts it.
#pragma once
#include <cstdint>
#include <optional>
#include <string>

#include "base/DateTime.h"

namespace rn {

// The entry's stamp as a local date-time; nothing when the path cannot be found.
// Implemented by the platform layer.
std::optional<DateTime> ReadFileTime(const std::wstring& path, DateType type);

// A stamp as the file system keeps it (FolderEntry::ticks) as a local
// date-time, the way ReadFileTime turns it. Implemented by the platform layer.
std::optional<DateTime> StampFromTicks(uint64_t ticks);

}  // namespace rn
