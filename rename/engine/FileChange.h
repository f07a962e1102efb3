// The two operations that change an entry on disk without renaming it, applied
// to one path (a file or a folder). Each returns 0 or the system's error code;
// the run shows nothing for a failure and goes on.
#pragma once
#include <cstdint>
#include <string>

#include "base/DateLocale.h"
#include "base/DateTime.h"
#include "engine/Operation.h"

namespace rn {

// Operation 9: the entry's attributes become exactly the request's set; the
// empty set clears them all.
uint32_t ApplyAttributeChange(const std::wstring& path, const RenameTask& task);

// Operation 15: reads the entry's stamp of `type`, makes the new one from the
// request and writes it with WriteFileTime (creation time for DateCreated,
// else last-write time). ERROR_INVALID_DATA when the request's date or time
// does not read, or the new stamp is one no entry can hold.
uint32_t ApplyTimeStampChange(const std::wstring& path, const RenameTask& task, DateType type,
                              const DateLocale& locale);

}  // namespace rn
