// Writing an entry's time stamp, and the new stamp of the change date/time
// operation. Stamps are local date-times at the old file system's 2-second
// resolution, from 1 January 1980 to the end of 2107.
#pragma once
#include <optional>
#include <string>

#include "base/DateLocale.h"
#include "base/DateTime.h"
#include "engine/Operation.h"

namespace rn {

// True for a real date and time of day from 1980-01-01 00:00:00 to
// 2107-12-31 23:59:59: what a stamp can hold.
bool IsStorableTimeStamp(const DateTime& dt);

// Sets the entry's creation time when type is DateCreated, its last-write time
// for any other type; the other stamps stay. Odd seconds go down to the even
// second below. A date-time that cannot be stored, a path that cannot be
// opened (missing, held open by another program) or a stamp the system does
// not take gives false and leaves the entry as it was. Files and folders alike.
// Implemented by the platform layer.
bool WriteFileTime(const std::wstring& path, const DateTime& local, DateType type);

// The stamp the change date/time operation writes. `current` is the entry's
// stamp as ReadFileTime gives it. `SetDatePart` 1: `NewDate` with the current
// time of day; 2: the current date with `NewTime`; 3: both new. The current
// part goes through the user's format and back, so it carries what that format
// shows. Nothing when a part that is needed does not read (or `current` is
// missing when it is needed), or for any other `SetDatePart`.
std::optional<DateTime> ChangedTimeStamp(const RenameTask& task, const std::optional<DateTime>& current,
                                         const DateLocale& locale);

}  // namespace rn
