// The file system as the intake sees it: folder tests and directory scans.
#pragma once
#include <functional>
#include <string>

#include "base/DateTime.h"
#include "filelist/Intake.h"

namespace rn {

// True when the path names a directory; a path that cannot be found is not one.
bool IsFolder(const std::wstring& path);

// One path's folder flag and FileDate text, from a single query of its attributes.
FoundEntry LookupPath(const std::wstring& path, DateType type, const std::wstring& dateSeparator);

// Every entry matching the pattern (hidden and system ones included), in the
// file system's order, with its FileDate text for the given date type.
void ScanDirectory(const std::wstring& pattern, DateType type, const std::wstring& dateSeparator,
                   const std::function<bool(const FoundEntry&)>& each);

}  // namespace rn
